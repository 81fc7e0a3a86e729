#include "platform/VirtualEcpDriver.h"

#include <cstring>
#include <limits>
#include <optional>
#include <string>

#include "platform/DebugOutput.h"
#include "platform/EcpDriverRequests.h"

namespace platform {
namespace {

// An open answered with no port.
constexpr std::int32_t kNoPort = -1;
// The parallel ports a machine of the family can have.
constexpr std::uint32_t kHighestPortNumber = 9;

void Answer(std::int32_t value, std::uint8_t* output, std::uint32_t* returned) {
    const auto word = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) {
        output[i] = static_cast<std::uint8_t>(word >> (8 * i));
    }
    *returned = 4;
}

std::int32_t StateAfter(DeviceError error) {
    switch (error) {
        case DeviceError::None:
            return ecp::state::kReady;
        case DeviceError::Disconnected:
        case DeviceError::NotFound:
            return ecp::state::kNoPrinter;
        default:
            return ecp::state::kNotReady;
    }
}

}  // namespace

DeviceError VirtualEcpDriver::Carry(const DeviceRequest& request, std::uint8_t* output,
                                    std::uint32_t capacity, std::uint32_t* returned) {
    *returned = 0;
    const std::vector<std::uint8_t>& input = request.input;
    switch (request.controlCode) {
        case ecp::request::kOpenPort:
            return OpenPort(input, output, capacity, returned);
        case ecp::request::kClosePort: {
            if (input.size() != 4) {
                return DeviceError::InvalidArgument;
            }
            // The printer's port closes with the entry: the printer sees its cable let go.
            const std::size_t closed = ports_.erase(static_cast<std::int32_t>(*ecp::WordAt(input, 0)));
            return closed == 0 ? DeviceError::Io : DeviceError::None;
        }
        case ecp::request::kTimeoutFirstStep:
        case ecp::request::kTimeoutSecondStep:
            // Reads here return at once with what the printer has; the time-out changes nothing, and
            // the caller's variable is neither read nor written.
            if (input.size() != ecp::kTimeoutStepSize) {
                return DeviceError::InvalidArgument;
            }
            return Find(input) == nullptr ? DeviceError::Io : DeviceError::None;
        case ecp::request::kPortState: {
            if (input.size() != 4) {
                return DeviceError::InvalidArgument;
            }
            const Port* port = Find(input);
            if (port == nullptr) {
                return DeviceError::Io;
            }
            if (output == nullptr || capacity < 4) {
                return DeviceError::InvalidArgument;
            }
            Answer(port->state, output, returned);
            return DeviceError::None;
        }
        case ecp::request::kWrite:
            return Transfer(true, input, output, capacity, returned);
        case ecp::request::kRead:
            return Transfer(false, input, output, capacity, returned);
        default:
            return DeviceError::NotSupported;
    }
}

DeviceError VirtualEcpDriver::OpenPort(const std::vector<std::uint8_t>& input, std::uint8_t* output,
                                       std::uint32_t capacity, std::uint32_t* returned) {
    if (input.size() != 8 || output == nullptr || capacity < 4) {
        return DeviceError::InvalidArgument;
    }
    const std::uint32_t number = *ecp::WordAt(input, 0);
    const std::uint32_t mode = *ecp::WordAt(input, 4);
    if (mode != ecp::kModeEcp || number == 0 || number > kHighestPortNumber) {
        Answer(kNoPort, output, returned);
        return DeviceError::None;
    }
    for (const auto& [handle, port] : ports_) {
        if (port.number == number) {
            // The driver holds a port for one caller at a time.
            Answer(kNoPort, output, returned);
            return DeviceError::None;
        }
    }
    PortAddress address;
    address.kind = PortKind::Parallel;
    address.number = number;
    address.procedure = OpenProcedure::ParallelDosName;
    Port opened;
    opened.number = number;
    const DeviceError error = printers_.Open(address, &opened.port);
    if (error != DeviceError::None || !opened.port) {
        DebugOutput(
            ("ECP driver: LPT" + std::to_string(number) + " does not open: " + DeviceErrorName(error) + "\n")
                .c_str());
        Answer(kNoPort, output, returned);
        return DeviceError::None;
    }
    const std::int32_t handle = nextHandle_;
    nextHandle_ = nextHandle_ == std::numeric_limits<std::int32_t>::max() ? 1 : nextHandle_ + 1;
    ports_[handle] = std::move(opened);
    Answer(handle, output, returned);
    return DeviceError::None;
}

DeviceError VirtualEcpDriver::Transfer(bool write, const std::vector<std::uint8_t>& input,
                                       std::uint8_t* output, std::uint32_t capacity,
                                       std::uint32_t* returned) {
    std::optional<ecp::TransferBlock> block = ecp::DecodeTransfer(input.data(), input.size());
    if (!block || output == nullptr || capacity < ecp::kTransferBlockSize) {
        return DeviceError::InvalidArgument;
    }
    Port* port = Find(input);
    if (port == nullptr) {
        return DeviceError::Io;
    }
    auto* buffer = reinterpret_cast<std::uint8_t*>(block->buffer);
    block->count = 0;
    if (buffer == nullptr && block->length > 0) {
        block->status = write ? ecp::status::kWriteFailed : ecp::status::kReadFailed;
    } else if (write) {
        std::uint32_t written = 0;
        const DeviceError error = printers_.Write(*port->port, buffer, block->length, &written);
        port->state = StateAfter(error);
        block->count = written;
        block->status = error != DeviceError::None ? ecp::status::kWriteFailed
                        : written < block->length  ? ecp::status::kWritePending
                                                   : ecp::status::kWriteDone;
    } else {
        std::uint32_t received = 0;
        const DeviceError error = printers_.Read(*port->port, buffer, block->length, &received);
        port->state = StateAfter(error);
        block->count = received;
        block->status = error != DeviceError::None ? ecp::status::kReadFailed : ecp::status::kReadDone;
    }
    const std::vector<std::uint8_t> answer = ecp::EncodeTransfer(*block);
    std::memcpy(output, answer.data(), answer.size());
    *returned = static_cast<std::uint32_t>(answer.size());
    return DeviceError::None;
}

VirtualEcpDriver::Port* VirtualEcpDriver::Find(const std::vector<std::uint8_t>& input) {
    const std::optional<std::uint32_t> handle = ecp::WordAt(input, 0);
    if (!handle) {
        return nullptr;
    }
    const auto found = ports_.find(static_cast<std::int32_t>(*handle));
    return found == ports_.end() ? nullptr : &found->second;
}

VirtualEcpDriver* EcpDriverOf(DevicePort& port) {
    auto* device = dynamic_cast<VirtualEcpDevice*>(&port);
    return device == nullptr ? nullptr : &device->driver;
}

}  // namespace platform
