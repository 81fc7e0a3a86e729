#include "PlexerPort.h"

#include "platform/DebugOutput.h"

namespace kindler {

PlexerPort::PlexerPort() : library_(platform::LoadSharedLibrary("Plexer.dll")) {
    if (library_ == nullptr) {
        platform::DebugOutput("Kindler: Plexer.dll or the port driver it chooses cannot be loaded\n");
        return;
    }
    static_cast<portselect::PlexerPortFunctions&>(*this) = portselect::FindPortFunctions(library_);
    bound_ = Complete();
    if (!bound_) {
        platform::DebugOutput("Kindler: Plexer.dll lacks one of its port functions\n");
    }
}

PlexerPort::~PlexerPort() {
    platform::FreeSharedLibrary(library_);
}

int PlexerPort::IoError() const {
    std::int16_t code = 0;
    errorCode(&code);
    return code;
}

}  // namespace kindler
