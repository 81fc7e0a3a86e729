#include "patterns/CVexilCommon.h"

#include <cstring>
#include <string>
#include <utility>

#include "platform/DebugOutput.h"

CVexilCommon::CVexilCommon(patterns::PatternModel model)
    : model_(std::move(model)), buffer_(std::make_unique<std::uint8_t[]>(kBufferSize)) {}

CVexilCommon::~CVexilCommon() = default;

bool CVexilCommon::Append(const void* bytes, std::size_t count) {
    if (overflowed_) {
        return false;
    }
    if (count > kBufferSize - writePosition_) {
        return Refuse(count);
    }
    if (count > 0) {
        std::memcpy(buffer_.get() + writePosition_, bytes, count);
        writePosition_ += static_cast<std::uint32_t>(count);
    }
    return true;
}

bool CVexilCommon::AppendRepeated(std::span<const std::uint8_t> unit, int count) {
    if (overflowed_) {
        return false;
    }
    if (count <= 0 || unit.empty()) {
        return true;
    }
    const std::uint64_t total = static_cast<std::uint64_t>(unit.size()) * static_cast<std::uint64_t>(count);
    if (total > kBufferSize - writePosition_) {
        return Refuse(total);
    }
    for (int time = 0; time < count; ++time) {
        std::memcpy(buffer_.get() + writePosition_, unit.data(), unit.size());
        writePosition_ += static_cast<std::uint32_t>(unit.size());
    }
    return true;
}

bool CVexilCommon::Refuse(std::uint64_t count) {
    // A job that does not fit would reach the printer cut off in the middle of a command; keep what
    // is there intact and take nothing more until the buffer is emptied.
    overflowed_ = true;
    const std::string text = "CVexilCommon: " + std::to_string(count) +
                             " bytes of print data refused at position " + std::to_string(writePosition_) +
                             "; the buffer holds " + std::to_string(kBufferSize) + " bytes\n";
    platform::DebugOutput(text.c_str());
    return false;
}

bool CVexilCommon::AppendText(std::string_view text) {
    return Append(text.data(), text.size());
}

bool CVexilCommon::AppendTextWithNul(std::string_view text) {
    // One append, so that a refused text never leaves its characters without the NUL.
    std::string withNul(text);
    withNul.push_back('\0');
    return Append(withNul.data(), withNul.size());
}

void CVexilCommon::EmptyBuffer() {
    writePosition_ = 0;
    overflowed_ = false;
}

void CVexilCommon::SetModelIdBytes(std::uint8_t first, std::uint8_t second) {
    model_.firstIdByte = first;
    model_.secondIdByte = second;
}
