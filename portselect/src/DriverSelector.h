// The driver selector's state: the one port driver it loaded at attach, and the forwarding to it.
// Every forwarder looks its function up by name at each call; nothing is cached.
#pragma once

#include <cstdint>
#include <functional>

#include "OsClassification.h"
#include "platform/DynamicLibrary.h"
#include "portselect/PlexerStatus.h"

namespace plexer {

namespace status = portselect::status;

using DriverLoader = std::function<platform::LibraryHandle(const DriverChoice&)>;

class DriverSelector {
public:
    DriverSelector() = default;
    ~DriverSelector() { Detach(); }
    DriverSelector(const DriverSelector&) = delete;
    DriverSelector& operator=(const DriverSelector&) = delete;

    // Chooses the driver for the system and loads it, freeing one loaded before: 0x0001, 0x1110 when
    // no driver serves the system, 0xB000 when it does not load.
    std::uint32_t Attach(const platform::OsVersionInfo& version, const DriverLoader& load);
    void Detach();
    bool HasDriver() const { return driver_ != nullptr; }

    // The driver's function of that exact export name, or null (also with no driver loaded).
    template <typename Function>
    Function* Find(const char* name) const {
        return reinterpret_cast<Function*>(platform::FindLibraryFunction(driver_, name));
    }

private:
    platform::LibraryHandle driver_ = nullptr;
};

// The loader of the shipped library: the selector's own folder first where the choice asks for it,
// then the system's normal search order.
platform::LibraryHandle LoadDriverLibrary(const DriverChoice& choice);

// The process's selector, which the exports forward through.
DriverSelector& ProcessSelector();

}  // namespace plexer
