// The thirteen exports of the port driver. The module state is one object, built when the process
// attaches the library and destroyed, closing an open port, when it detaches it. The build names the
// variant (TOLVANE_WIREX_VARIANT): one source, one library per system family.
#include <cstdint>

#include "WirexExports.h"
#include "WirexPort.h"
#include "platform/CallingConvention.h"

namespace {

wirex::WirexPort module(wirex::TOLVANE_WIREX_VARIANT);

}  // namespace

extern "C" {

TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL PortOpen(std::uint32_t portNumber) {
    return module.PortOpen(portNumber);
}

TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL Send(const std::uint8_t* data, std::uint32_t count,
                                                  const std::uint8_t* cancel) {
    return module.Send(data, count, cancel);
}

TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL GetPreviousSentDataSize() {
    return module.GetPreviousSentDataSize();
}

TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL Receive(std::uint8_t* buffer, std::uint32_t* length) {
    return module.Receive(buffer, length);
}

TOLVANE_EXPORT void TOLVANE_STDCALL PortClose() {
    module.PortClose();
}

TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL CheckDeviceID(std::uint8_t* isD4) {
    return module.CheckDeviceID(isD4);
}

TOLVANE_EXPORT std::int16_t TOLVANE_STDCALL GetIOErrorCode() {
    return module.GetIOErrorCode();
}

TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL GetModelName(char* name) {
    return module.GetModelName(name);
}

TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL ResetDevice() {
    return module.ResetDevice();
}

TOLVANE_EXPORT void TOLVANE_STDCALL SetReceiveType(std::uint32_t type) {
    module.SetReceiveType(type);
}

TOLVANE_EXPORT void TOLVANE_STDCALL SetWaitTimeBeforeReceive(std::int32_t parallel, std::int32_t usb,
                                                             std::int32_t com) {
    module.SetWaitTimeBeforeReceive(parallel, usb, com);
}

TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL SetPortTimeOut(std::uint32_t readInterval,
                                                            std::uint32_t readMultiplier,
                                                            std::uint32_t readConstant,
                                                            std::uint32_t writeMultiplier,
                                                            std::uint32_t writeConstant) {
    return module.SetPortTimeOut(readInterval, readMultiplier, readConstant, writeMultiplier, writeConstant);
}

TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL SetComSetting(std::uint32_t baudRate, std::uint8_t dataBits,
                                                           std::uint8_t parityCheck, std::uint8_t stopBits) {
    return module.SetComSetting(baudRate, dataBits, parityCheck, stopBits);
}

}  // extern "C"
