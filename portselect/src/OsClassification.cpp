#include "OsClassification.h"

namespace plexer {

std::uint8_t ClassifyOs(const platform::OsVersionInfo& version) {
    const std::uint32_t major = version.majorVersion;
    const std::uint32_t minor = version.minorVersion;
    // The release letter of Windows 95 OSR2 (" C") and Windows 98 SE (" A") is the service-pack text's
    // second character.
    const char release = version.csdVersion[1];
    switch (version.platformId) {
        case platform::kPlatformWin32s:
            return oscode::kWin32s;
        case platform::kPlatformWindows:
            if (major == 4 && minor == 0) {
                return release == 'C' ? oscode::kWindows95C : oscode::kWindows95;
            }
            if (major == 4 && minor == 10) {
                return release == 'A' ? oscode::kWindows98SE : oscode::kWindows98;
            }
            if (major == 4 && minor == 90) {
                return oscode::kWindowsMe;
            }
            return oscode::kUnknown;
        case platform::kPlatformNt:
            if (major <= 4) {
                return minor == 51  ? oscode::kWindowsNt351
                       : minor == 0 ? oscode::kWindowsNt4
                                    : oscode::kUnknown;
            }
            if (major == 5) {
                return minor == 0 ? oscode::kWindows2000 : minor == 1 ? oscode::kWindowsXp : oscode::kUnknown;
            }
            return major == 6 ? oscode::kWindowsVista : oscode::kUnknown;
        case platform::kPlatformLinux:
            return oscode::kLinux;
        default:
            return oscode::kUnknown;
    }
}

DriverChoice ChooseDriver(std::uint8_t osCode) {
    switch (osCode) {
        case oscode::kWindows95:
        case oscode::kWindows95C:
            return {"Wirex95.dll", false};
        case oscode::kWindows98:
        case oscode::kWindows98SE:
        case oscode::kWindowsMe:
            return {"Wirex98.dll", false};
        case oscode::kWindows2000:
        case oscode::kWindowsXp:
        case oscode::kWindowsVista:
            return {"WirexXP.dll", false};
        case oscode::kLinux:
            // libWirexLinux.so ships beside libPlexer.so, which may be loaded from another folder than
            // the program's.
            return {"WirexLinux.dll", true};
        default:
            return {};
    }
}

}  // namespace plexer
