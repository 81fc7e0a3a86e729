// The port functions of the driver selector that the program and its tools call, as one table, so
// that a caller does not care whether the selector was loaded by name or imported.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/CallingConvention.h"

namespace portselect {

// Every selector call answers a 16-bit status in the low half of its result.
inline constexpr std::uint32_t kPlexerSuccess = 0x0001;

using PortOpenFunction = std::uint32_t TOLVANE_STDCALL(std::uint32_t);
using SendFunction = std::uint32_t TOLVANE_STDCALL(const std::uint8_t*, std::uint32_t, const std::uint8_t*);
using PortCloseFunction = void TOLVANE_STDCALL();
using GetModelNameFunction = std::uint32_t TOLVANE_STDCALL(char*);
using ErrorCodeFunction = std::uint32_t TOLVANE_STDCALL(std::int16_t*);

// The port driver copies a model name without a terminator into a caller's buffer that it expects
// to be zero-filled and this large.
inline constexpr std::size_t kModelNameBufferSize = 1025;

struct PlexerPortFunctions {
    PortOpenFunction* portOpen = nullptr;
    SendFunction* send = nullptr;
    PortCloseFunction* portClose = nullptr;
    GetModelNameFunction* getModelName = nullptr;
    ErrorCodeFunction* errorCode = nullptr;

    bool Complete() const {
        return portOpen != nullptr && send != nullptr && portClose != nullptr && getModelName != nullptr &&
               errorCode != nullptr;
    }
};

}  // namespace portselect
