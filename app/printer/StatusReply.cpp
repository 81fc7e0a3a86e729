#include "StatusReply.h"
#include "protocol/HexDigit.h"

#include <string_view>

namespace printer {

namespace {

using protocol::HexDigit;

enum class Group { Missing, Invalid, Read };

// The two characters after the first occurrence of key, read as one hexadecimal byte.
Group ReadGroup(std::string_view text, std::string_view key, std::uint8_t* value) {
    const std::size_t at = text.find(key);
    if (at == std::string_view::npos) {
        return Group::Missing;
    }
    const std::size_t first = at + key.size();
    if (text.size() - first < 2) {
        return Group::Invalid;
    }
    const int high = HexDigit(text[first]);
    const int low = HexDigit(text[first + 1]);
    if (high < 0 || low < 0) {
        return Group::Invalid;
    }
    *value = static_cast<std::uint8_t>(high * 16 + low);
    return Group::Read;
}

}  // namespace

std::uint16_t ParseStatusReply(const char* buffer, std::size_t size, StatusReplyCodes* codes) {
    if (buffer == nullptr || codes == nullptr) {
        return kStatusReplyUnparsable;
    }
    std::string_view text(buffer, size);
    text = text.substr(0, text.find('\0'));

    if (text.find("@BDC ST\r\n") == std::string_view::npos) {
        return kStatusReplyUnparsable;
    }
    StatusReplyCodes read;
    if (ReadGroup(text, "ST:", &read.status) != Group::Read) {
        return kStatusReplyUnparsable;
    }
    if (ReadGroup(text, "ER:", &read.error) == Group::Invalid ||
        ReadGroup(text, "TP:", &read.third) == Group::Invalid) {
        return kStatusReplyUnparsable;
    }
    *codes = read;
    return kStatusReplyParsed;
}

}  // namespace printer
