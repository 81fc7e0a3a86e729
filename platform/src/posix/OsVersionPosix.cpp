#include <sys/utsname.h>

#include <cstdlib>
#include <cstring>

#include "platform/OsVersion.h"

namespace platform {

bool GetOsVersion(OsVersionInfo* info) {
    if (info == nullptr) {
        return false;
    }
    if (detail::OverriddenOsVersion(info)) {
        return true;
    }
    *info = OsVersionInfo{};
    utsname name{};
    if (uname(&name) != 0) {
        return false;
    }
    // The kernel release reads "6.1.0-18-amd64": major, minor and patch level.
    char* next = name.release;
    info->majorVersion = static_cast<std::uint32_t>(std::strtoul(next, &next, 10));
    if (*next == '.') {
        info->minorVersion = static_cast<std::uint32_t>(std::strtoul(next + 1, &next, 10));
    }
    if (*next == '.') {
        info->buildNumber = static_cast<std::uint32_t>(std::strtoul(next + 1, &next, 10));
    }
    info->platformId = kPlatformLinux;
    std::strncpy(info->csdVersion, name.release, sizeof info->csdVersion - 1);
    return true;
}

}  // namespace platform
