#include "DriverModule.h"
#include "platform/OsVersion.h"

namespace drvlib {
namespace {

platform::OsVersionInfo Version() {
    platform::OsVersionInfo info;
    platform::GetOsVersion(&info);
    if (info.platformId == platform::kPlatformLinux) {
        // The native build: the device seam gives it the NT line's procedures.
        info.platformId = platform::kPlatformNt;
        info.majorVersion = 5;
    }
    return info;
}

}  // namespace

bool IsWindows9x() {
    return Version().platformId == platform::kPlatformWindows;
}

bool IsWindows98() {
    const platform::OsVersionInfo info = Version();
    return info.platformId == platform::kPlatformWindows && info.majorVersion > 3 &&
           info.minorVersion >= 10 && info.minorVersion <= 89;
}

bool IsWindowsMe() {
    const platform::OsVersionInfo info = Version();
    return info.platformId == platform::kPlatformWindows && info.majorVersion > 3 && info.minorVersion >= 90;
}

bool IsNt5OrLater() {
    const platform::OsVersionInfo info = Version();
    return info.platformId == platform::kPlatformNt && info.majorVersion > 4;
}

}  // namespace drvlib
