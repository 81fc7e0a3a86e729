// The exports of the driver selector: GetOsVersion and the thirteen forwarders to the port driver. This
// is their one declaration: the selector defines them; every binding takes its function types from here
// (PlexerFunctions.h); a program that imports them calls them by these names (ImportedSelector.h).
// Port numbers: PortNumbers.h; status words: PlexerStatus.h.
#pragma once

#include <cstdint>

#include "platform/CallingConvention.h"

extern "C" {

TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL GetOsVersion();
TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL PortOpenByPlex(std::uint32_t portNumber);
TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL SendByPlex(const std::uint8_t* data, std::uint32_t count,
                                                        const std::uint8_t* cancel);
// buffer: at least 1024 bytes; *length in: the length expected (receive type 2), out: bytes received.
TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL ReceiveByPlex(std::uint8_t* buffer, std::uint32_t* length);
TOLVANE_EXPORT void TOLVANE_STDCALL PortCloseByPlex();
TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL CheckDeviceIDByPlex();
// name: kModelNameBufferSize bytes (PlexerFunctions.h), zero-filled by the caller.
TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL GetModelNameByPlex(char* name);
TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL ResetDeviceByPlex();
TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL GetIoErrorCodeByPlex(std::int16_t* code);
TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL GetPreviousSentDataSizeByPlex(std::uint32_t* size);
TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL SetReceiveTypeByPlex(std::uint32_t type);
TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL SetWaitTimeBeforeReceiveByPlex(std::int32_t parallel,
                                                                            std::int32_t usb,
                                                                            std::int32_t com);
TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL SetPortTimeOutByPlex(std::uint32_t readInterval,
                                                                  std::uint32_t readMultiplier,
                                                                  std::uint32_t readConstant,
                                                                  std::uint32_t writeMultiplier,
                                                                  std::uint32_t writeConstant);
TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL SetComSettingByPlex(std::uint32_t baudRate,
                                                                 std::uint8_t dataBits,
                                                                 std::uint8_t parityCheck,
                                                                 std::uint8_t stopBits);

}  // extern "C"
