// The driver selector as the flashing program uses it: Plexer.dll loaded by name (it loads the port
// driver for the running system at once), the port functions looked up in it, and the library freed
// again at the end.
#pragma once

#include "platform/DynamicLibrary.h"
#include "portselect/PlexerFunctions.h"

namespace kindler {

class PlexerPort : public portselect::PlexerPortFunctions {
public:
    PlexerPort();
    ~PlexerPort();
    PlexerPort(const PlexerPort&) = delete;
    PlexerPort& operator=(const PlexerPort&) = delete;

    // False when the library cannot be loaded or lacks one of the port functions.
    bool Bound() const { return bound_; }

    // The driver's I/O error code of the last failure.
    int IoError() const;

private:
    platform::LibraryHandle library_ = nullptr;
    bool bound_ = false;
};

}  // namespace kindler
