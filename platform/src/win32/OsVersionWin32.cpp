#include <windows.h>

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
    // The record is zero-filled and carries its own size (148 bytes), as GetVersionExA demands.
    OSVERSIONINFOA record;
    std::memset(&record, 0, sizeof record);
    record.dwOSVersionInfoSize = sizeof record;
    if (!GetVersionExA(&record)) {
        return false;
    }
    info->majorVersion = record.dwMajorVersion;
    info->minorVersion = record.dwMinorVersion;
    info->buildNumber = record.dwBuildNumber;
    info->platformId = record.dwPlatformId;
    std::memcpy(info->csdVersion, record.szCSDVersion, sizeof info->csdVersion);
    info->csdVersion[sizeof info->csdVersion - 1] = '\0';
    return true;
}

static_assert(sizeof(OSVERSIONINFOA) == 148, "GetVersionExA takes the record of 148 bytes");

}  // namespace platform
