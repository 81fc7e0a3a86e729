#include "vprinter/model/VirtualPrinter.h"

#include <algorithm>
#include <cstring>

#include "platform/Clock.h"

namespace vprinter {
namespace {

bool Due(std::uint32_t dueTick, std::uint32_t now) {
    return static_cast<std::int32_t>(now - dueTick) >= 0;
}

}  // namespace

VirtualPrinter::VirtualPrinter(ModelProfile profile, std::string portName, IPrintSink* sink)
    : core_(std::move(profile), std::move(portName), sink),
      transport_(core_, [this](std::vector<std::uint8_t> packet) { QueueAnswer(std::move(packet), false); }),
      plainStream_(
          core_, [this](std::vector<std::uint8_t> answer) { QueueAnswer(std::move(answer), true); },
          // ESC @ starts every EEPROM request on the plain stream: the answer to the request is then
          // the first thing the host reads, whatever was left unread before.
          [this] { DropPlainAnswers(); }, [this] { enteredPacketMode_ = true; }) {}

bool VirtualPrinter::Open() {
    if (core_.State().faults.offline == Offline::Refuse) {
        return false;
    }
    EndSession(false);
    disconnected_ = false;
    return true;
}

void VirtualPrinter::EndSession(bool printerReset) {
    transport_.Reset();
    if (printerReset) {
        plainStream_.Reset();
    } else {
        plainStream_.EndConnection();
    }
    packetMode_ = false;
    output_.clear();
    outputBytes_ = 0;
}

void VirtualPrinter::Close() {
    EndSession(false);
    disconnected_ = false;
    core_.Sink().EndOfJob();
}

void VirtualPrinter::SoftReset() {
    EndSession(true);
    core_.Sink().EndOfJob();
}

VirtualPrinter::WriteResult VirtualPrinter::Write(std::span<const std::uint8_t> bytes) {
    WriteResult result;
    if (disconnected_) {
        result.disconnected = true;
        return result;
    }
    Faults& faults = core_.State().faults;
    if (faults.dropAfterBytes >= 0) {
        const std::size_t allowed = static_cast<std::size_t>(faults.dropAfterBytes);
        if (bytes.size() >= allowed) {
            bytes = bytes.first(allowed);
            faults.dropAfterBytes = -1;
            disconnected_ = true;
        } else {
            faults.dropAfterBytes -= static_cast<long long>(bytes.size());
        }
    }
    result.taken = static_cast<std::uint32_t>(bytes.size());
    result.disconnected = disconnected_;
    while (!bytes.empty()) {
        if (packetMode_) {
            bool left = false;
            const std::size_t taken = transport_.Feed(bytes, &left);
            bytes = bytes.subspan(left ? taken : bytes.size());
            if (left) {
                packetMode_ = false;
                plainStream_.Reset();
            }
        } else {
            enteredPacketMode_ = false;
            const std::size_t taken = plainStream_.Feed(bytes);
            bytes = bytes.subspan(taken);
            if (enteredPacketMode_) {
                packetMode_ = true;
                transport_.Reset();
            }
        }
    }
    return result;
}

void VirtualPrinter::Garble(std::vector<std::uint8_t>& bytes, std::size_t from) {
    for (std::size_t i = from; i < bytes.size(); ++i) {
        noise_ ^= noise_ << 13;
        noise_ ^= noise_ >> 17;
        noise_ ^= noise_ << 5;
        bytes[i] = static_cast<std::uint8_t>(noise_);
    }
}

void VirtualPrinter::QueueAnswer(std::vector<std::uint8_t> bytes, bool plain) {
    const Faults& faults = core_.State().faults;
    if (faults.offline != Offline::No || bytes.empty() || outputBytes_ + bytes.size() > kLargestOutput) {
        return;
    }
    if (faults.garbage) {
        // A packet keeps its header, so that the host still finds where the next one starts.
        Garble(bytes, plain ? 0 : std::min<std::size_t>(6, bytes.size()));
    }
    Answer answer;
    answer.dueTick = platform::Clock().TickCount() + faults.latencyMilliseconds;
    answer.plain = plain;
    outputBytes_ += bytes.size();
    answer.bytes = std::move(bytes);
    output_.push_back(std::move(answer));
}

void VirtualPrinter::DropPlainAnswers() {
    for (auto it = output_.begin(); it != output_.end();) {
        if (it->plain) {
            outputBytes_ -= it->bytes.size() - it->consumed;
            it = output_.erase(it);
        } else {
            ++it;
        }
    }
}

std::size_t VirtualPrinter::Read(std::uint8_t* buffer, std::size_t largest) {
    const std::uint32_t now = platform::Clock().TickCount();
    std::size_t copied = 0;
    while (copied < largest && !output_.empty() && Due(output_.front().dueTick, now)) {
        Answer& answer = output_.front();
        const std::size_t count = std::min(largest - copied, answer.bytes.size() - answer.consumed);
        std::memcpy(buffer + copied, answer.bytes.data() + answer.consumed, count);
        answer.consumed += count;
        copied += count;
        outputBytes_ -= count;
        if (answer.consumed == answer.bytes.size()) {
            output_.pop_front();
        }
    }
    return copied;
}

std::optional<std::uint32_t> VirtualPrinter::MillisecondsUntilReply() const {
    if (output_.empty()) {
        return std::nullopt;
    }
    const std::uint32_t now = platform::Clock().TickCount();
    const std::uint32_t due = output_.front().dueTick;
    return Due(due, now) ? 0u : due - now;
}

}  // namespace vprinter
