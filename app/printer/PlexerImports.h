// The eight driver-selector functions that the plain print stream and the status reader's time-out
// setting call directly, as delayed imports: the Windows build resolves each through the delay-load
// helper at its first call, the Linux build binds it lazily by name at its first call. This binding is
// independent of CPortLibraryBinder, but both reach the one loaded Plexer, so a port opened through
// one is closed through either. A function the library lacks answers 0xB000 (nothing for
// PortCloseByPlex) without a call; in the Windows build the failure hook of the selector client's
// delay-load library answers for it.
#pragma once

#include <cstdint>

#include "platform/CallingConvention.h"

extern "C" {

std::uint32_t TOLVANE_STDCALL SetPortTimeOutByPlex(std::uint32_t readInterval, std::uint32_t readMultiplier,
                                                   std::uint32_t readConstant, std::uint32_t writeMultiplier,
                                                   std::uint32_t writeConstant);
void TOLVANE_STDCALL PortCloseByPlex();
// name: at least 1025 bytes, zero-filled by the caller.
std::uint32_t TOLVANE_STDCALL GetModelNameByPlex(char* name);
std::uint32_t TOLVANE_STDCALL PortOpenByPlex(std::uint32_t portNumber);
// buffer: at least 1024 bytes; *length in: the length expected (receive type 2), out: bytes received.
std::uint32_t TOLVANE_STDCALL ReceiveByPlex(std::uint8_t* buffer, std::uint32_t* length);
std::uint32_t TOLVANE_STDCALL SetReceiveTypeByPlex(std::uint32_t type);
std::uint32_t TOLVANE_STDCALL SendByPlex(const std::uint8_t* data, std::uint32_t count,
                                         const std::uint8_t* cancel);
std::uint32_t TOLVANE_STDCALL GetIoErrorCodeByPlex(std::int16_t* code);

}  // extern "C"
