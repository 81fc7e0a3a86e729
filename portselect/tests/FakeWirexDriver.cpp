// A port driver for the selector's tests: it answers every call from a few switches and records what it
// was passed, and it lacks ResetDevice and GetIOErrorCode.
#include <cstdint>
#include <cstring>

#include "platform/CallingConvention.h"

namespace {

std::uint32_t lastPortNumber = 0;
std::uint32_t checkStatus = 0x0001;
std::uint8_t reportedD4 = 1;
std::uint32_t lastTimeouts[5] = {};

}  // namespace

extern "C" {

// The test's switches and records.
TOLVANE_EXPORT void FakeConfigure(std::uint32_t status, std::uint8_t d4) {
    checkStatus = status;
    reportedD4 = d4;
}
TOLVANE_EXPORT std::uint32_t FakeLastPortNumber() {
    return lastPortNumber;
}
TOLVANE_EXPORT std::uint32_t FakeLastTimeout(std::uint32_t index) {
    return index < 5 ? lastTimeouts[index] : 0;
}

TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL PortOpen(std::uint32_t portNumber) {
    lastPortNumber = portNumber;
    return 0x1100;
}
TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL Send(const std::uint8_t*, std::uint32_t count,
                                                  const std::uint8_t*) {
    return count == 0 ? 0xD000 : 0x0001;
}
TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL GetPreviousSentDataSize() {
    return 77;
}
TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL Receive(std::uint8_t* buffer, std::uint32_t* length) {
    std::memcpy(buffer, "OK", 2);
    *length = 2;
    return 0x0001;
}
TOLVANE_EXPORT void TOLVANE_STDCALL PortClose() {}
TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL CheckDeviceID(std::uint8_t* isD4) {
    *isD4 = reportedD4;
    return checkStatus;
}
TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL GetModelName(char* name) {
    std::memcpy(name, "572", 3);
    return 0x0001;
}
TOLVANE_EXPORT void TOLVANE_STDCALL SetReceiveType(std::uint32_t) {}
TOLVANE_EXPORT void TOLVANE_STDCALL SetWaitTimeBeforeReceive(std::int32_t, std::int32_t, std::int32_t) {}
TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL SetPortTimeOut(std::uint32_t a, std::uint32_t b, std::uint32_t c,
                                                            std::uint32_t d, std::uint32_t e) {
    const std::uint32_t values[5] = {a, b, c, d, e};
    std::memcpy(lastTimeouts, values, sizeof values);
    return 0x1000;
}
TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL SetComSetting(std::uint32_t, std::uint8_t, std::uint8_t,
                                                           std::uint8_t) {
    return 0x1000;
}

}  // extern "C"
