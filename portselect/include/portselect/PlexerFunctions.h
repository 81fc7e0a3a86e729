// The driver selector's functions as its callers bind them. Their types come from the export
// declarations themselves, so a binding cannot disagree with the library. The port functions that the
// program and its tools call form one table, so that a caller does not care whether the selector was
// loaded by name or imported.
#pragma once

#include <cstddef>

#include "platform/DynamicLibrary.h"
#include "portselect/PlexerExports.h"
#include "portselect/PlexerStatus.h"

namespace portselect {

// The port driver copies a model name without a terminator into a caller's buffer, which it expects
// to be zero-filled and this large. The name comes from a device ID shorter than 1024 bytes, so the
// last byte stays zero.
inline constexpr std::size_t kModelNameBufferSize = 1025;

// The address of an export of a loaded selector; null when the library is null or lacks it.
inline void* FindExport(platform::LibraryHandle library, const char* name) {
    return library == nullptr ? nullptr : platform::FindLibraryFunction(library, name);
}

}  // namespace portselect

// The selector's function `name` (PortOpenByPlex, ...) in a loaded library, typed by its declaration;
// null when it is missing. One token gives both the name looked up and the type.
#define TOLVANE_PLEXER_FUNCTION(library, name) \
    reinterpret_cast<decltype(&::name)>(::portselect::FindExport((library), #name))

namespace portselect {

struct PlexerPortFunctions {
    decltype(&::PortOpenByPlex) portOpen = nullptr;
    decltype(&::SendByPlex) send = nullptr;
    decltype(&::ReceiveByPlex) receive = nullptr;
    decltype(&::PortCloseByPlex) portClose = nullptr;
    decltype(&::SetReceiveTypeByPlex) setReceiveType = nullptr;
    decltype(&::GetModelNameByPlex) getModelName = nullptr;
    decltype(&::GetIoErrorCodeByPlex) errorCode = nullptr;

    bool Complete() const {
        return portOpen != nullptr && send != nullptr && receive != nullptr && portClose != nullptr &&
               setReceiveType != nullptr && getModelName != nullptr && errorCode != nullptr;
    }
};

// The table's functions in a loaded selector; those it lacks stay null.
PlexerPortFunctions FindPortFunctions(platform::LibraryHandle library);

}  // namespace portselect
