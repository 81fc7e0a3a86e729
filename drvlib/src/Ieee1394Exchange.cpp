#include "Ieee1394Exchange.h"

#include <algorithm>
#include <cstring>

#include "platform/Clock.h"
#include "protocol/PrinterCommandCodes.h"

namespace drvlib {
namespace {

namespace ieee1394 = protocol::ieee1394;

// The driver needs this long to carry a written command to the printer and bring its reply back.
constexpr std::uint32_t kReplyDelayMilliseconds = 500;
constexpr int kLengthQueries = 5;
constexpr std::uint32_t kLengthQueryPauseMilliseconds = 300;
constexpr std::uint32_t kAfterReadMilliseconds = 100;
// A write the unit did not take is offered again after this pause.
constexpr std::uint32_t kWritePollMilliseconds = 1000;
// The production reply comes this long after the object's wait time.
constexpr std::uint32_t kProductionExtraMilliseconds = 100;
constexpr std::uint32_t kProductionReplySize = 256;
constexpr int kRetriesUsedUpToCaller = -16;

platform::DeviceBackend& Backend() {
    return platform::ActiveDeviceBackend();
}

void Pause(std::uint32_t milliseconds) {
    platform::Clock().Sleep(milliseconds);
}

void PutWord(std::vector<std::uint8_t>& block, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < ieee1394::kWordSize; ++i) {
        block[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

void PutHalf(std::vector<std::uint8_t>& block, std::size_t at, std::uint16_t value) {
    block[at] = static_cast<std::uint8_t>(value & 0xFF);
    block[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

std::vector<std::uint8_t> Word(std::uint32_t value) {
    std::vector<std::uint8_t> block(ieee1394::kWordSize);
    PutWord(block, 0, value);
    return block;
}

std::vector<std::uint8_t> TransferBlock(std::uint32_t handle, std::uint32_t length) {
    std::vector<std::uint8_t> block(ieee1394::kTransferBlockSize);
    PutWord(block, ieee1394::kTransferHandleAt, handle);
    PutWord(block, ieee1394::kTransferLengthAt, length);
    PutWord(block, ieee1394::kTransferReservedAt, 0);
    PutWord(block, ieee1394::kTransferTimeoutAt, ieee1394::kTransferTimeoutMilliseconds);
    return block;
}

std::vector<std::uint8_t> LookUpBlock(const char* service) {
    std::vector<std::uint8_t> block(ieee1394::kLookUpBlockSize);
    const std::size_t length = std::min(std::strlen(service), ieee1394::kLookUpNameField - 1);
    std::memcpy(block.data() + ieee1394::kLookUpNameAt, service, length);
    PutHalf(block, ieee1394::kLookUpLargestAt, ieee1394::kLookUpLargest);
    PutHalf(block, ieee1394::kLookUpFirstAnyAt, ieee1394::kLookUpAny);
    PutHalf(block, ieee1394::kLookUpSecondAnyAt, ieee1394::kLookUpAny);
    block[ieee1394::kLookUpFlagAt] = 0;
    return block;
}

// One request of the driver; *returned is never more than the capacity.
bool Request(platform::DevicePort& port, std::uint32_t code, std::vector<std::uint8_t> input,
             std::uint8_t* output, std::uint32_t capacity, std::uint32_t* returned) {
    *returned = 0;
    const bool done = Backend().DeviceControl(port, platform::DeviceRequest{code, std::move(input)}, output,
                                              capacity, returned) == platform::DeviceError::None;
    *returned = std::min(*returned, capacity);
    return done;
}

bool Request(platform::DevicePort& port, std::uint32_t code, std::vector<std::uint8_t> input = {}) {
    std::uint32_t returned = 0;
    return Request(port, code, std::move(input), nullptr, 0, &returned);
}

// The length of the reply waiting on the channel: asked for without a buffer, the driver gives it as
// its returned count.
bool QueryReplyLength(platform::DevicePort& port, std::uint32_t handle, std::uint32_t* waiting) {
    *waiting = 0;
    return Backend().DeviceControl(port, platform::DeviceRequest{ieee1394::kRead, TransferBlock(handle, 0)},
                                   nullptr, 0, waiting) == platform::DeviceError::None;
}

// The channel and the socket go back to the driver on every way out of a control exchange, so that a
// failed exchange does not leave them held.
void CloseChannel(platform::DevicePort& port, std::uint32_t handle, std::uint8_t socket) {
    Request(port, ieee1394::kCloseChannel, Word(handle));
    Request(port, ieee1394::kReleaseSocket, Word(socket));
}

std::uint32_t Count(int length) {
    return length < 0 ? 0u : static_cast<std::uint32_t>(length);
}

// Plain writes of the bytes between a lock and an unlock, in pieces of at most pieceSize. A piece the
// unit takes only partly is followed at once by its rest; a write that takes nothing is offered again
// after the poll interval, up to `retries` times in a row. *sent counts every byte taken.
int LockedWrite(const Ieee1394Link& link, const std::uint8_t* data, unsigned long count,
                unsigned long pieceSize, unsigned long* sent) {
    platform::DevicePort& port = *link.port;
    if (!Request(port, ieee1394::kLock)) {
        return kIeee1394Refused;
    }
    int result = 0;
    int refusals = 0;
    unsigned long done = 0;
    while (done < count) {
        const auto piece = static_cast<std::uint32_t>(std::min({pieceSize, count - done, 0xFFFFFFFFul}));
        std::uint32_t written = 0;
        if (Backend().Write(port, data + done, piece, &written) != platform::DeviceError::None) {
            result = kIeee1394WriteFailed;
            break;
        }
        // The unit never takes more than it was given; a count above it is not believed.
        written = std::min(written, piece);
        done += written;
        *sent += written;
        if (written > 0) {
            refusals = 0;
            continue;
        }
        if (refusals >= link.retries) {
            result = kIeee1394RetriesUsedUp;
            break;
        }
        ++refusals;
        Pause(kWritePollMilliseconds);
    }
    // A unit left locked would refuse the next exchange: it is unlocked on every way out.
    Request(port, ieee1394::kUnlock);
    return result;
}

}  // namespace

int Ieee1394CallerResult(int result) {
    return result == kIeee1394RetriesUsedUp ? kRetriesUsedUpToCaller : result;
}

int Ieee1394ControlExchange(platform::DevicePort* port, const std::uint8_t* command, int length,
                            std::vector<std::uint8_t>* reply) {
    reply->clear();
    if (port == nullptr) {
        return kIeee1394NoPort;
    }
    std::vector<std::uint8_t> block = LookUpBlock(ieee1394::kControlService);
    std::uint32_t returned = 0;
    if (!Request(*port, ieee1394::kLookUpService, std::vector<std::uint8_t>(ieee1394::kLookUpInputSize),
                 block.data(), static_cast<std::uint32_t>(block.size()), &returned) ||
        returned <= ieee1394::kLookUpSocketAt) {
        return kIeee1394Refused;
    }
    const std::uint8_t socket = block[ieee1394::kLookUpSocketAt];

    std::uint8_t handleBytes[ieee1394::kWordSize] = {};
    if (!Request(*port, ieee1394::kOpenChannel, Word(socket), handleBytes, sizeof handleBytes, &returned) ||
        returned < sizeof handleBytes) {
        Request(*port, ieee1394::kReleaseSocket, Word(socket));
        return kIeee1394Refused;
    }
    std::uint32_t handle = 0;
    for (std::size_t i = 0; i < ieee1394::kWordSize; ++i) {
        handle |= static_cast<std::uint32_t>(handleBytes[i]) << (8 * i);
    }

    const std::uint32_t count = command != nullptr ? Count(length) : 0;
    // The driver takes the command from the output buffer of its direct-I/O write.
    std::vector<std::uint8_t> data(command, command + count);
    if (!Request(*port, ieee1394::kWrite, TransferBlock(handle, count), data.data(), count, &returned)) {
        CloseChannel(*port, handle, socket);
        return kIeee1394WriteFailed;
    }

    Pause(kReplyDelayMilliseconds);
    for (int query = 0; query < kLengthQueries; ++query) {
        std::uint32_t waiting = 0;
        if (!QueryReplyLength(*port, handle, &waiting)) {
            break;
        }
        if (waiting == 0) {
            Pause(kLengthQueryPauseMilliseconds);
            continue;
        }
        // A length beyond any reply of the printer is the driver's fault: nothing is allocated for it.
        if (waiting > kLargestIeee1394Reply) {
            break;
        }
        std::vector<std::uint8_t> bytes(waiting);
        const bool read =
            Request(*port, ieee1394::kRead, TransferBlock(handle, waiting), bytes.data(), waiting, &returned);
        Pause(kAfterReadMilliseconds);
        CloseChannel(*port, handle, socket);
        if (!read || returned == 0) {
            return kIeee1394NoReply;
        }
        bytes.resize(returned);
        *reply = std::move(bytes);
        return 0;
    }
    CloseChannel(*port, handle, socket);
    return kIeee1394NoReply;
}

int Ieee1394ProductionExchange(const Ieee1394Link& link, const std::uint8_t* command, int length,
                               std::string* reply) {
    reply->clear();
    if (link.port == nullptr) {
        return kIeee1394NoPort;
    }
    const std::uint32_t count = command != nullptr ? Count(length) : 0;
    if (count > 0) {
        unsigned long sent = 0;
        const int written = LockedWrite(link, command, count, count, &sent);
        if (written != 0) {
            return written;
        }
    }
    Pause(Count(link.waitMilliseconds) + kProductionExtraMilliseconds);
    std::uint8_t buffer[kProductionReplySize] = {};
    std::uint32_t received = 0;
    if (Backend().Read(*link.port, buffer, sizeof buffer, &received) != platform::DeviceError::None) {
        return kIeee1394NoReply;
    }
    received = std::min<std::uint32_t>(received, sizeof buffer);
    const std::uint8_t* end = std::find(buffer, buffer + received, std::uint8_t{0});
    reply->assign(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(end - buffer));
    return 0;
}

int Ieee1394Send(const Ieee1394Link& link, const std::uint8_t* data, int length) {
    if (link.port == nullptr) {
        return kIeee1394NoPort;
    }
    const std::uint32_t count = data != nullptr ? Count(length) : 0;
    if (count == 0) {
        return 0;
    }
    unsigned long sent = 0;
    return LockedWrite(link, data, count, count, &sent);
}

int Ieee1394SendPieces(const Ieee1394Link& link, const std::uint8_t* data, unsigned long count,
                       unsigned long* sent) {
    unsigned long unused = 0;
    unsigned long* taken = sent != nullptr ? sent : &unused;
    *taken = 0;
    if (link.port == nullptr) {
        return kIeee1394NoPort;
    }
    if (count == 0 || data == nullptr) {
        return 0;
    }
    // A piece of 0 bytes would never move on: a write size below 1 is taken as 1.
    const unsigned long pieceSize = link.writeSize < 1 ? 1ul : static_cast<unsigned long>(link.writeSize);
    return LockedWrite(link, data, count, pieceSize, taken);
}

}  // namespace drvlib
