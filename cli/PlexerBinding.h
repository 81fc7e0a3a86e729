// The driver selector as the command line uses it: Plexer.dll loaded by name (it loads the port driver
// for the running system at once) and the port functions looked up in it, freed again at the end.
#pragma once

#include <cstdint>
#include <ostream>

#include "platform/CallingConvention.h"
#include "platform/DynamicLibrary.h"

namespace tolvane_cli {

inline constexpr std::uint32_t kPlexerSuccess = 0x0001;

class PlexerBinding {
public:
    using PortOpenFunction = std::uint32_t TOLVANE_STDCALL(std::uint32_t);
    using SendFunction = std::uint32_t TOLVANE_STDCALL(const std::uint8_t*, std::uint32_t,
                                                       const std::uint8_t*);
    using PortCloseFunction = void TOLVANE_STDCALL();
    using GetModelNameFunction = std::uint32_t TOLVANE_STDCALL(char*);
    using ErrorCodeFunction = std::uint32_t TOLVANE_STDCALL(std::int16_t*);

    // Loads the selector; what fails is said on the error stream, and Bound() is then false.
    explicit PlexerBinding(std::ostream& errors);
    ~PlexerBinding();
    PlexerBinding(const PlexerBinding&) = delete;
    PlexerBinding& operator=(const PlexerBinding&) = delete;

    bool Bound() const { return bound_; }

    PortOpenFunction* portOpen = nullptr;
    SendFunction* send = nullptr;
    PortCloseFunction* portClose = nullptr;
    GetModelNameFunction* getModelName = nullptr;
    ErrorCodeFunction* errorCode = nullptr;

    // The driver's I/O error code of the last failure.
    int IoError() const;

private:
    platform::LibraryHandle library_ = nullptr;
    bool bound_ = false;
};

}  // namespace tolvane_cli
