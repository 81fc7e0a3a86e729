#include "DriverSelector.h"

#include <cstdio>
#include <string>

#include "platform/DebugOutput.h"
#include "platform/ModulePath.h"

namespace plexer {

std::uint32_t DriverSelector::Attach(const platform::OsVersionInfo& version, const DriverLoader& load) {
    const std::uint8_t code = ClassifyOs(version);
    const DriverChoice choice = ChooseDriver(code);
    char text[160];
    if (choice.library == nullptr) {
        std::snprintf(text, sizeof text, "Plexer: OS code 0x%02X (platform %u, %u.%u): no port driver\n",
                      code, version.platformId, version.majorVersion, version.minorVersion);
        platform::DebugOutput(text);
        return status::kUnsupportedSystem;
    }
    Detach();
    driver_ = load(choice);
    std::snprintf(text, sizeof text, "Plexer: OS code 0x%02X: %s %s\n", code, choice.library,
                  driver_ != nullptr ? "loaded" : "not loaded");
    platform::DebugOutput(text);
    return driver_ != nullptr ? status::kSuccess : status::kMissing;
}

void DriverSelector::Detach() {
    platform::FreeSharedLibrary(driver_);
    driver_ = nullptr;
}

platform::LibraryHandle LoadDriverLibrary(const DriverChoice& choice) {
    if (choice.besideThisLibraryFirst) {
        static const int anchor = 0;
        std::string folder = platform::ModuleFolderContaining(&anchor);
        if (!folder.empty()) {
            if (platform::LibraryHandle beside = platform::LoadSharedLibrary(folder + choice.library)) {
                return beside;
            }
        }
    }
    return platform::LoadSharedLibrary(choice.library);
}

DriverSelector& ProcessSelector() {
    static DriverSelector selector;
    return selector;
}

}  // namespace plexer
