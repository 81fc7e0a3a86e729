// The thirteen functions every build of the port driver exports, by these names, undecorated.
#pragma once

#include <cstdint>

#include "platform/CallingConvention.h"

extern "C" {

TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL PortOpen(std::uint32_t portNumber);
TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL Send(const std::uint8_t* data, std::uint32_t count,
                                                  const std::uint8_t* cancel);
TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL GetPreviousSentDataSize();
TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL Receive(std::uint8_t* buffer, std::uint32_t* length);
TOLVANE_EXPORT void TOLVANE_STDCALL PortClose();
TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL CheckDeviceID(std::uint8_t* isD4);
TOLVANE_EXPORT std::int16_t TOLVANE_STDCALL GetIOErrorCode();
TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL GetModelName(char* name);
TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL ResetDevice();
TOLVANE_EXPORT void TOLVANE_STDCALL SetReceiveType(std::uint32_t type);
TOLVANE_EXPORT void TOLVANE_STDCALL SetWaitTimeBeforeReceive(std::int32_t parallel, std::int32_t usb,
                                                             std::int32_t com);
TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL SetPortTimeOut(std::uint32_t readInterval,
                                                            std::uint32_t readMultiplier,
                                                            std::uint32_t readConstant,
                                                            std::uint32_t writeMultiplier,
                                                            std::uint32_t writeConstant);
TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL SetComSetting(std::uint32_t baudRate, std::uint8_t dataBits,
                                                           std::uint8_t parityCheck, std::uint8_t stopBits);

}  // extern "C"
