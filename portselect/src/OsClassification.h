// Which system is running, as the driver selector's OS code, and which port driver serves it. Pure:
// the version record in, the code and the driver out, so every row can be tested on any machine.
#pragma once

#include <cstdint>

#include "platform/OsVersion.h"

namespace plexer {

namespace oscode {
inline constexpr std::uint8_t kUnknown = 0x00;
inline constexpr std::uint8_t kWin32s = 0xA1;
inline constexpr std::uint8_t kWindows95 = 0xA2;
inline constexpr std::uint8_t kWindows95C = 0xA3;
inline constexpr std::uint8_t kWindows98 = 0xA4;
inline constexpr std::uint8_t kWindows98SE = 0xA5;
inline constexpr std::uint8_t kWindowsMe = 0xA6;
inline constexpr std::uint8_t kWindowsNt351 = 0xA7;
inline constexpr std::uint8_t kWindowsNt4 = 0xA8;
inline constexpr std::uint8_t kWindows2000 = 0xA9;
inline constexpr std::uint8_t kWindowsXp = 0xAA;
inline constexpr std::uint8_t kWindowsVista = 0xAB;
// Not a Windows code: the native build's Linux family.
inline constexpr std::uint8_t kLinux = 0xC0;
}  // namespace oscode

std::uint8_t ClassifyOs(const platform::OsVersionInfo& version);

struct DriverChoice {
    const char* library = nullptr;        // the Windows name; null when no driver serves the system
    bool besideThisLibraryFirst = false;  // look in the selector's own folder before the search order
};

DriverChoice ChooseDriver(std::uint8_t osCode);

}  // namespace plexer
