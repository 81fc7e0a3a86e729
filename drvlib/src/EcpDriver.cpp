#include "EcpDriver.h"

#include <algorithm>
#include <map>
#include <vector>

#include "DriverModule.h"
#include "platform/EcpDriverRequests.h"

namespace drvlib {
namespace {

namespace ecp = platform::ecp;

// Last-error values the transport library finds after a hook gave up or found a transfer unfinished.
constexpr std::uint32_t kErrorDeviceNotReady = 21;
constexpr std::uint32_t kErrorIoDevice = 1117;
constexpr std::uint32_t kErrorCounterTimeout = 1121;

// The time-out of the driver's second set-up step, in milliseconds.
constexpr std::uint32_t kDriverTimeout = 100;

// What a hook returns: the transfer went through (the request's own success), is still under way,
// or failed.
constexpr std::int32_t kHookDone = 1;
constexpr std::int32_t kHookUnderWay = 1;
constexpr std::int32_t kHookFailed = 0;

struct EcpState {
    std::int32_t device = kInvalidHandle;       // the driver's device, a port of the device seam
    std::map<std::int32_t, std::int32_t> open;  // port handle -> port number, the ports held open
    std::int32_t hookPort = -1;                 // the port the hooks serve
    std::uint32_t lastError = 0;
};

EcpState& State() {
    static EcpState state;
    return state;
}

// A signed 32-bit answer of the driver, low byte first.
std::int32_t SignedAnswer(const std::uint8_t* bytes) {
    std::uint32_t word = 0;
    for (int i = 3; i >= 0; --i) {
        word = word << 8 | bytes[i];
    }
    return static_cast<std::int32_t>(word);
}

bool Request(std::uint32_t code, std::vector<std::uint8_t> input, std::uint8_t* output,
             std::uint32_t capacity, std::uint32_t* returned) {
    *returned = 0;
    platform::DevicePort* device = FindPort(State().device);
    if (device == nullptr) {
        return false;
    }
    const platform::DeviceRequest deviceRequest{code, std::move(input)};
    return platform::ActiveDeviceBackend().DeviceControl(*device, deviceRequest, output, capacity,
                                                         returned) == platform::DeviceError::None;
}

bool Request(std::uint32_t code, std::vector<std::uint8_t> input) {
    std::uint32_t returned = 0;
    return Request(code, std::move(input), nullptr, 0, &returned);
}

bool OpenDevice() {
    EcpState& state = State();
    if (!IsRealHandle(state.device)) {
        state.device = OpenPath(ecp::kDevicePath);
    }
    return IsRealHandle(state.device);
}

void ReleaseDeviceWhenIdle() {
    EcpState& state = State();
    if (state.open.empty() && IsRealHandle(state.device)) {
        ReleasePort(state.device);
        state.device = kInvalidHandle;
    }
}

void ClosePortOnDriver(std::int32_t portHandle) {
    EcpState& state = State();
    Request(ecp::request::kClosePort, ecp::EncodePortHandle(portHandle));
    state.open.erase(portHandle);
    if (state.hookPort == portHandle) {
        state.hookPort = -1;
    }
}

// The port state the driver reports for an unfinished transfer; a state it cannot give counts as a
// printer that is not ready, so that a dead driver does not look like a transfer still under way.
std::int32_t PortState(std::int32_t portHandle) {
    std::uint8_t answer[4] = {};
    std::uint32_t returned = 0;
    if (!Request(ecp::request::kPortState, ecp::EncodePortHandle(portHandle), answer, sizeof answer,
                 &returned) ||
        returned < sizeof answer) {
        return ecp::state::kNotReady;
    }
    return SignedAnswer(answer);
}

struct TransferCodes {
    std::uint32_t request;
    std::uint32_t done;
    std::uint32_t pending;
    std::uint32_t failed;
};

constexpr TransferCodes kWriteCodes{ecp::request::kWrite, ecp::status::kWriteDone, ecp::status::kWritePending,
                                    ecp::status::kWriteFailed};
constexpr TransferCodes kReadCodes{ecp::request::kRead, ecp::status::kReadDone, ecp::status::kReadPending,
                                   ecp::status::kReadFailed};

// One synchronous transfer request for the hooks' port, and the driver's status read the way the
// transport library expects it.
std::int32_t Transfer(const TransferCodes& codes, std::uint8_t* buffer, std::uint32_t length,
                      std::uint32_t* count) {
    EcpState& state = State();
    ecp::TransferBlock block;
    block.port = state.hookPort;
    block.buffer = reinterpret_cast<std::uintptr_t>(buffer);
    block.length = length;
    std::uint8_t answer[ecp::kTransferBlockSize] = {};
    std::uint32_t returned = 0;
    std::uint32_t status = codes.failed;
    std::uint32_t moved = 0;
    if (Request(codes.request, ecp::EncodeTransfer(block), answer, sizeof answer, &returned)) {
        if (const auto filled = ecp::DecodeTransfer(answer, returned)) {
            status = filled->status;
            // A driver's count is not trusted beyond the buffer it was given.
            moved = std::min(filled->count, length);
        }
    }
    if (count != nullptr) {
        *count = moved;
    }
    if (status == codes.done) {
        return kHookDone;
    }
    if (status == codes.pending) {
        const std::int32_t portState = PortState(state.hookPort);
        if (portState != ecp::state::kNotReady && portState != ecp::state::kNoPrinter) {
            state.lastError = kErrorCounterTimeout;
            return kHookUnderWay;
        }
        state.lastError = kErrorDeviceNotReady;
        return kHookFailed;
    }
    state.lastError = status == codes.failed ? kErrorIoDevice : kErrorCounterTimeout;
    return kHookFailed;
}

std::int32_t TOLVANE_STDCALL WriteHook(void*, std::uint8_t* buffer, std::uint32_t length,
                                       std::uint32_t* count) {
    return Transfer(kWriteCodes, buffer, length, count);
}

std::int32_t TOLVANE_STDCALL ReadHook(void*, std::uint8_t* buffer, std::uint32_t length,
                                      std::uint32_t* count) {
    return Transfer(kReadCodes, buffer, length, count);
}

}  // namespace

std::int32_t EcpOpenPort(std::int32_t number, std::int32_t mode) {
    if (!OpenDevice()) {
        return -1;
    }
    EcpState& state = State();
    std::vector<std::int32_t> stale;
    for (const auto& [handle, openNumber] : state.open) {
        if (openNumber == number) {
            stale.push_back(handle);
        }
    }
    for (const std::int32_t handle : stale) {
        ClosePortOnDriver(handle);
    }
    std::uint8_t answer[4] = {};
    std::uint32_t returned = 0;
    std::int32_t portHandle = -1;
    if (Request(ecp::request::kOpenPort,
                ecp::EncodeOpenPort(static_cast<std::uint32_t>(number), static_cast<std::uint32_t>(mode)),
                answer, sizeof answer, &returned) &&
        returned >= sizeof answer) {
        portHandle = SignedAnswer(answer);
    }
    if (portHandle < 0) {
        ReleaseDeviceWhenIdle();
        return portHandle;
    }
    state.open[portHandle] = number;
    state.hookPort = portHandle;
    return portHandle;
}

void EcpClosePort(std::int32_t portHandle) {
    if (State().open.count(portHandle) != 0) {
        ClosePortOnDriver(portHandle);
    }
    ReleaseDeviceWhenIdle();
}

void EcpSetTimeouts(std::int32_t portHandle) {
    std::uint32_t work = 0;
    const auto address = reinterpret_cast<std::uintptr_t>(&work);
    Request(ecp::request::kTimeoutFirstStep, ecp::EncodeTimeoutStep(portHandle, address, 0));
    work = 0;
    Request(ecp::request::kTimeoutFirstStep, ecp::EncodeTimeoutStep(portHandle, address, 0));
    std::uint32_t timeout = kDriverTimeout;
    Request(ecp::request::kTimeoutSecondStep,
            ecp::EncodeTimeoutStep(portHandle, reinterpret_cast<std::uintptr_t>(&timeout), 1));
}

const cbt::IoHookTable& EcpHookTable(std::int32_t portHandle) {
    static cbt::IoHookTable table{{0, 0, 0, 0}, nullptr, nullptr};
    State().hookPort = portHandle;
    table.write = WriteHook;
    table.read = ReadHook;
    return table;
}

std::uint32_t EcpLastError() {
    return State().lastError;
}

}  // namespace drvlib
