// Receive: the polled read of the NT family, the single reads of the 98 and 95 parallel path, and the
// two COM forms that watch the input queue.
#include <algorithm>

#include "WirexPort.h"
#include "platform/Clock.h"

namespace wirex {
namespace {

constexpr std::uint32_t kPollMilliseconds = 10;
// The IEEE 1284.4 packet header: socket ids, a big-endian length that counts the header, credit, control.
constexpr std::uint32_t kPacketHeaderSize = 6;

}  // namespace

std::uint32_t WirexPort::Receive(std::uint8_t* buffer, std::uint32_t* length) {
    ioError_ = io::kNoError;
    if (!IsOpen()) {
        return Fail(io::kNoPort);
    }
    if (buffer == nullptr || length == nullptr) {
        return Fail(io::kReadFailed);
    }
    if (portKind_ == kind::kCom) {
        return ReceiveCom(buffer, length);
    }
    if (portKind_ == kind::kParallel && variant_.parallelReceive == ParallelReceive::SingleRead) {
        return ReceiveSingleRead(buffer, length);
    }
    return ReceivePolled(buffer, length);
}

std::uint32_t WirexPort::ReadExactly(std::uint8_t* buffer, std::uint32_t count) {
    if (count == 0) {
        return status::kSuccess;
    }
    std::uint32_t received = 0;
    if (backend_->Read(*port_, buffer, count, &received) != platform::DeviceError::None) {
        return Fail(io::kReadFailed);
    }
    return received == count ? status::kSuccess : Fail(io::kTimeout);
}

std::uint32_t WirexPort::ReceivePolled(std::uint8_t* buffer, std::uint32_t* length) {
    const bool usb = portKind_ == kind::kUsb;
    const std::uint32_t limitConstant = usb && variant_.usbPollLimitFromReadTotal
                                            ? timeouts_.readTotalConstant
                                            : timeouts_.writeTotalConstant;
    const std::uint32_t pollLimit = limitConstant / kPollMilliseconds;
    // A packet receive hands over whatever one read brought and its caller joins the pieces, so it
    // may take the answer the moment it arrives instead of at the end of each wait: a channel that
    // asks hundreds of questions then pays the printer's latency, not the wait. The waits and the
    // time-out stay as long as ever when nothing comes. The exact-length and whatever-arrives receives
    // wait whole, so that an answer arriving in pieces is read in one.
    const bool early = receiveType_ == kReceivePacket;
    auto readAfter = [&](std::uint32_t milliseconds, std::uint32_t* received) {
        if (early) {
            return backend_->ReadAfterWait(*port_, buffer, kWindow, milliseconds, received);
        }
        platform::Clock().Sleep(milliseconds);
        return backend_->Read(*port_, buffer, kWindow, received);
    };
    std::uint32_t received = 0;
    std::uint32_t wait = usb ? waitUsb_ : waitParallel_;
    for (std::uint32_t emptyPolls = 0;;) {
        if (readAfter(wait, &received) != platform::DeviceError::None) {
            return Fail(io::kReadFailed);
        }
        if (received > 0) {
            break;
        }
        if (++emptyPolls >= pollLimit) {
            return Fail(io::kTimeout);
        }
        wait = kPollMilliseconds;
    }
    if (receiveType_ == kReceivePacket || receiveType_ == kReceiveWhatArrives) {
        *length = received;
    } else if (receiveType_ == kReceiveExact) {
        if (received != *length) {
            return Fail(io::kTimeout);
        }
    } else {
        return Fail(io::kBadReceiveType);
    }
    return *length >= kWindow ? Fail(io::kTooLong) : status::kSuccess;
}

std::uint32_t WirexPort::ReceiveSingleRead(std::uint8_t* buffer, std::uint32_t* length) {
    platform::Clock().Sleep(waitParallel_);
    if (receiveType_ == kReceivePacket) {
        std::uint32_t header = ReadExactly(buffer, kPacketHeaderSize);
        if (header != status::kSuccess) {
            return header;
        }
        const std::uint32_t packetLength = buffer[2] * 256u + buffer[3];
        // A length below the header's own size or above the window is not a packet of this printer.
        // The length then tells only what the buffer holds, so that no caller reads beyond it.
        if (packetLength > kWindow) {
            *length = kPacketHeaderSize;
            return Fail(io::kTooLong);
        }
        if (packetLength < kPacketHeaderSize) {
            *length = kPacketHeaderSize;
            return Fail(io::kTimeout);
        }
        *length = packetLength;
        return ReadExactly(buffer + kPacketHeaderSize, packetLength - kPacketHeaderSize);
    }
    if (receiveType_ == kReceiveExact) {
        if (*length > kWindow) {
            return Fail(io::kTooLong);
        }
        return ReadExactly(buffer, *length);
    }
    if (receiveType_ == kReceiveWhatArrives) {
        std::uint32_t received = 0;
        if (backend_->Read(*port_, buffer, kWindow, &received) != platform::DeviceError::None) {
            return Fail(io::kReadFailed);
        }
        *length = received;
        return received == 0 ? Fail(io::kTimeout) : status::kSuccess;
    }
    return Fail(io::kBadReceiveType);
}

std::uint32_t WirexPort::ReceiveCom(std::uint8_t* buffer, std::uint32_t* length) {
    platform::Clock().Sleep(waitCom_);
    if (receiveType_ == kReceivePacket) {
        return Fail(io::kPacketOnCom);
    }
    if (receiveType_ == kReceiveExact) {
        return ReceiveComExact(buffer, length);
    }
    if (receiveType_ == kReceiveWhatArrives) {
        return ReceiveComWhatArrives(buffer, length);
    }
    return Fail(io::kBadReceiveType);
}

std::uint32_t WirexPort::ReceiveComExact(std::uint8_t* buffer, std::uint32_t* length) {
    // The caller's buffer holds the window: a longer exact read would run past it.
    if (*length > kWindow) {
        return Fail(io::kTooLong);
    }
    const std::uint32_t pollLimit = timeouts_.readTotalConstant / kPollMilliseconds;
    for (std::uint32_t polls = 0;;) {
        platform::ComStatus comStatus;
        if (backend_->GetComStatus(*port_, &comStatus) != platform::DeviceError::None ||
            comStatus.lineError) {
            return Fail(io::kReadFailed);
        }
        // A queue holding more than expected is left alone: the reply is not the one asked for.
        if (comStatus.queuedInput == *length) {
            break;
        }
        if (++polls >= pollLimit) {
            return Fail(io::kTimeout);
        }
        platform::Clock().Sleep(kPollMilliseconds);
    }
    return ReadExactly(buffer, *length);
}

std::uint32_t WirexPort::ReceiveComWhatArrives(std::uint8_t* buffer, std::uint32_t* length) {
    *length = 0;
    const std::uint32_t pollLimit = timeouts_.readTotalConstant / kPollMilliseconds;
    std::uint32_t recorded = 0;
    std::uint32_t queued = 0;
    for (std::uint32_t polls = 0;;) {
        platform::Clock().Sleep(kPollMilliseconds);
        platform::ComStatus comStatus;
        if (backend_->GetComStatus(*port_, &comStatus) != platform::DeviceError::None ||
            comStatus.lineError) {
            return Fail(io::kReadFailed);
        }
        queued = comStatus.queuedInput;
        if (queued <= recorded) {
            break;
        }
        recorded = queued;
        if (++polls >= pollLimit) {
            return Fail(io::kTimeout);
        }
    }
    // More than the window stays queued for the next Receive; the caller learns it by 0xFF91.
    const std::uint32_t count = std::min(queued, kWindow);
    std::uint32_t result = ReadExactly(buffer, count);
    if (result != status::kSuccess) {
        return result;
    }
    *length = count;
    return queued > kWindow ? Fail(io::kTooLong) : status::kSuccess;
}

}  // namespace wirex
