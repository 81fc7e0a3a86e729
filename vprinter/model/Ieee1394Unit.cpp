#include "vprinter/model/Ieee1394Unit.h"

#include <algorithm>
#include <cstring>

#include "d4/Packet.h"
#include "platform/Clock.h"
#include "protocol/PrinterCommandCodes.h"

namespace vprinter {
namespace {

namespace ieee1394 = protocol::ieee1394;
using Outcome = Ieee1394Unit::Outcome;

std::uint32_t WordAt(std::span<const std::uint8_t> block, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < ieee1394::kWordSize; ++i) {
        value |= static_cast<std::uint32_t>(block[at + i]) << (8 * i);
    }
    return value;
}

void PutWord(std::uint8_t* block, std::uint32_t value) {
    for (std::size_t i = 0; i < ieee1394::kWordSize; ++i) {
        block[i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

bool Due(std::uint32_t dueTick, std::uint32_t now) {
    return static_cast<std::int32_t>(now - dueTick) >= 0;
}

}  // namespace

Outcome Ieee1394Unit::Request(std::uint32_t code, std::span<const std::uint8_t> input, std::uint8_t* output,
                              std::uint32_t capacity, std::uint32_t* returned) {
    *returned = 0;
    if (output == nullptr) {
        capacity = 0;
    }
    switch (code) {
        case ieee1394::kLookUpService:
            return LookUp(output, capacity, returned);
        case ieee1394::kOpenChannel:
            return OpenChannel(input, output, capacity, returned);
        case ieee1394::kWrite:
            return Write(input, output, capacity, returned);
        case ieee1394::kRead:
            return Read(input, output, capacity, returned);
        case ieee1394::kCloseChannel:
            return CloseChannel(input);
        case ieee1394::kReleaseSocket:
            return ReleaseSocket(input);
        case ieee1394::kLock:
            if (locked_) {
                return Outcome::Refused;
            }
            locked_ = true;
            return Outcome::Done;
        case ieee1394::kUnlock:
            if (!locked_) {
                return Outcome::Refused;
            }
            locked_ = false;
            return Outcome::Done;
        default:
            return Outcome::Unknown;
    }
}

std::size_t Ieee1394Unit::HeldSockets() const {
    std::size_t held = 0;
    for (const auto& [socket, count] : heldSockets_) {
        held += count;
    }
    return held;
}

Outcome Ieee1394Unit::LookUp(std::uint8_t* output, std::uint32_t capacity, std::uint32_t* returned) {
    if (capacity < ieee1394::kLookUpBlockSize) {
        return Outcome::Refused;
    }
    const auto* name = output + ieee1394::kLookUpNameAt;
    const auto* end = std::find(name, name + ieee1394::kLookUpNameField, std::uint8_t{0});
    if (end == name + ieee1394::kLookUpNameField) {
        return Outcome::Refused;  // no terminating NUL within the name field
    }
    // The unit offers its control service over the driver's channels; data goes by plain writes.
    if (std::string(name, end) != ieee1394::kControlService) {
        return Outcome::Refused;
    }
    output[ieee1394::kLookUpSocketAt] = d4::kControlSocket;
    ++heldSockets_[d4::kControlSocket];
    *returned = static_cast<std::uint32_t>(ieee1394::kLookUpBlockSize);
    return Outcome::Done;
}

Outcome Ieee1394Unit::OpenChannel(std::span<const std::uint8_t> input, std::uint8_t* output,
                                  std::uint32_t capacity, std::uint32_t* returned) {
    if (input.size() < ieee1394::kWordSize || capacity < ieee1394::kWordSize) {
        return Outcome::Refused;
    }
    const std::uint32_t socket = WordAt(input, 0);
    const auto held =
        socket <= 0xFF ? heldSockets_.find(static_cast<std::uint8_t>(socket)) : heldSockets_.end();
    if (held == heldSockets_.end() || channels_.size() >= kLargestChannels) {
        return Outcome::Refused;
    }
    // 0 is never a handle, so that a block left zeroed names no channel.
    if (nextHandle_ == 0) {
        ++nextHandle_;
    }
    const std::uint32_t handle = nextHandle_++;
    channels_[handle];
    PutWord(output, handle);
    *returned = static_cast<std::uint32_t>(ieee1394::kWordSize);
    return Outcome::Done;
}

Outcome Ieee1394Unit::Write(std::span<const std::uint8_t> input, const std::uint8_t* output,
                            std::uint32_t capacity, std::uint32_t* returned) {
    if (input.size() < ieee1394::kTransferBlockSize) {
        return Outcome::Refused;
    }
    const auto found = channels_.find(WordAt(input, ieee1394::kTransferHandleAt));
    const std::uint32_t length = WordAt(input, ieee1394::kTransferLengthAt);
    // The bytes are in the buffer that came with the request; a length beyond it is refused.
    if (found == channels_.end() || length > capacity) {
        return Outcome::Refused;
    }
    Channel& channel = found->second;
    channel.decoder.Feed(
        std::span<const std::uint8_t>(output, length),
        [this, &channel](const std::string& letters, std::span<const std::uint8_t> parameters) {
            QueueAnswer(channel, core_.AnswerControlCommand(letters, parameters));
        });
    *returned = length;
    return Outcome::Done;
}

Outcome Ieee1394Unit::Read(std::span<const std::uint8_t> input, std::uint8_t* output, std::uint32_t capacity,
                           std::uint32_t* returned) {
    if (input.size() < ieee1394::kTransferBlockSize) {
        return Outcome::Refused;
    }
    const auto found = channels_.find(WordAt(input, ieee1394::kTransferHandleAt));
    if (found == channels_.end()) {
        return Outcome::Refused;
    }
    Channel& channel = found->second;
    const std::size_t due = DueBytes(channel);
    if (capacity == 0) {
        *returned = static_cast<std::uint32_t>(due);
        return Outcome::Done;
    }
    std::size_t copied = 0;
    while (copied < capacity && copied < due) {
        std::vector<std::uint8_t>& bytes = channel.answers.front().bytes;
        const std::size_t count = std::min<std::size_t>(capacity - copied, bytes.size());
        std::memcpy(output + copied, bytes.data(), count);
        bytes.erase(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(count));
        copied += count;
        channel.waiting -= count;
        if (bytes.empty()) {
            channel.answers.pop_front();
        }
    }
    *returned = static_cast<std::uint32_t>(copied);
    return Outcome::Done;
}

Outcome Ieee1394Unit::CloseChannel(std::span<const std::uint8_t> input) {
    if (input.size() < ieee1394::kWordSize || channels_.erase(WordAt(input, 0)) == 0) {
        return Outcome::Refused;
    }
    return Outcome::Done;
}

Outcome Ieee1394Unit::ReleaseSocket(std::span<const std::uint8_t> input) {
    if (input.size() < ieee1394::kWordSize) {
        return Outcome::Refused;
    }
    const std::uint32_t socket = WordAt(input, 0);
    const auto held =
        socket <= 0xFF ? heldSockets_.find(static_cast<std::uint8_t>(socket)) : heldSockets_.end();
    if (held == heldSockets_.end()) {
        return Outcome::Refused;
    }
    if (--held->second == 0) {
        heldSockets_.erase(held);
    }
    return Outcome::Done;
}

void Ieee1394Unit::QueueAnswer(Channel& channel, std::vector<std::uint8_t> bytes) {
    const Faults& faults = core_.State().faults;
    if (faults.offline != Offline::No || bytes.empty() || channel.waiting + bytes.size() > kLargestWaiting) {
        return;
    }
    channel.waiting += bytes.size();
    channel.answers.push_back({std::move(bytes), platform::Clock().TickCount() + faults.latencyMilliseconds});
}

std::size_t Ieee1394Unit::DueBytes(const Channel& channel) const {
    const std::uint32_t now = platform::Clock().TickCount();
    std::size_t due = 0;
    for (const Answer& answer : channel.answers) {
        if (!Due(answer.dueTick, now)) {
            break;
        }
        due += answer.bytes.size();
    }
    return due;
}

}  // namespace vprinter
