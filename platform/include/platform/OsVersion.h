// The OS version record, in the shape of the Win32 OSVERSIONINFOA record (GetVersionExA).
#pragma once

#include <cstdint>

namespace platform {

// Platform ids of the Win32 record, and one of ours for Linux.
constexpr std::uint32_t kPlatformWin32s = 0;
constexpr std::uint32_t kPlatformWindows = 1;  // Windows 95, 98, Me
constexpr std::uint32_t kPlatformNt = 2;
constexpr std::uint32_t kPlatformLinux = 0x4C;  // not a Win32 value; the native build reports it

struct OsVersionInfo {
    std::uint32_t majorVersion = 0;
    std::uint32_t minorVersion = 0;
    std::uint32_t buildNumber = 0;
    std::uint32_t platformId = 0;
    char csdVersion[128] = {};  // the service-pack text, NUL-terminated
};

// Fills the record, zero-filled first. False when the OS does not tell.
bool GetOsVersion(OsVersionInfo* info);

// Tests that run the procedures of another system (Windows 98, Me) install the record GetOsVersion
// gives; null returns to the OS's own. Process-wide, like the clock.
void OverrideOsVersion(const OsVersionInfo* info);

class ScopedOsVersion {
public:
    explicit ScopedOsVersion(const OsVersionInfo& info) { OverrideOsVersion(&info); }
    ~ScopedOsVersion() { OverrideOsVersion(nullptr); }
    ScopedOsVersion(const ScopedOsVersion&) = delete;
    ScopedOsVersion& operator=(const ScopedOsVersion&) = delete;
};

namespace detail {
// True, with the record filled, while an override is installed.
bool OverriddenOsVersion(OsVersionInfo* info);
}  // namespace detail

}  // namespace platform
