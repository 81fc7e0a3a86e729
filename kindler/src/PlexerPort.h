// The driver selector as the flashing program uses it: Plexer.dll loaded by name (it loads the port
// driver for the running system at once), the port functions looked up in it, and the library freed
// again at the end.
#pragma once

#include <cstdint>

#include "platform/CallingConvention.h"
#include "platform/DynamicLibrary.h"

namespace kindler {

inline constexpr std::uint32_t kPlexerSuccess = 0x0001;

class PlexerPort {
public:
    PlexerPort();
    ~PlexerPort();
    PlexerPort(const PlexerPort&) = delete;
    PlexerPort& operator=(const PlexerPort&) = delete;

    // False when the library cannot be loaded or lacks one of the functions below.
    bool Bound() const { return bound_; }

    using PortOpenFunction = std::uint32_t(TOLVANE_STDCALL*)(std::uint32_t);
    using PortCloseFunction = void(TOLVANE_STDCALL*)();
    using SendFunction = std::uint32_t(TOLVANE_STDCALL*)(const std::uint8_t*, std::uint32_t,
                                                         const std::uint8_t*);
    using ReceiveFunction = std::uint32_t(TOLVANE_STDCALL*)(std::uint8_t*, std::uint32_t*);
    using SetReceiveTypeFunction = std::uint32_t(TOLVANE_STDCALL*)(std::uint32_t);
    using GetModelNameFunction = std::uint32_t(TOLVANE_STDCALL*)(char*);
    using ErrorCodeFunction = std::uint32_t(TOLVANE_STDCALL*)(std::int16_t*);

    PortOpenFunction portOpen = nullptr;
    PortCloseFunction portClose = nullptr;
    SendFunction send = nullptr;
    ReceiveFunction receive = nullptr;
    SetReceiveTypeFunction setReceiveType = nullptr;
    GetModelNameFunction getModelName = nullptr;
    ErrorCodeFunction errorCode = nullptr;

    // The driver's I/O error code of the last failure.
    int IoError() const;

private:
    platform::LibraryHandle library_ = nullptr;
    bool bound_ = false;
};

}  // namespace kindler
