// The driver selector loaded by name: Plexer.dll (which loads the port driver for the running system
// at once) with its port functions looked up, freed again when the binding ends.
#pragma once

#include <ostream>

#include "platform/DynamicLibrary.h"
#include "portselect/PlexerFunctions.h"

namespace portselect {

class PlexerBinding : public PlexerPortFunctions {
public:
    // Loads the selector; what fails is said on the error stream, and Bound() is then false.
    explicit PlexerBinding(std::ostream& errors);
    ~PlexerBinding();
    PlexerBinding(const PlexerBinding&) = delete;
    PlexerBinding& operator=(const PlexerBinding&) = delete;

    bool Bound() const { return bound_; }

    // The driver's I/O error code of the last failure.
    int IoError() const;

private:
    platform::LibraryHandle library_ = nullptr;
    bool bound_ = false;
};

}  // namespace portselect
