// The status words of the driver selector. Every selector call answers a 16-bit status in the low half
// of its 32-bit result; the high half is whatever the callee left in its register, so only the low
// half is ever compared. The port driver's own status words pass through unchanged.
#pragma once

#include <cstdint>

namespace portselect {

namespace status {
inline constexpr std::uint32_t kSuccess = 0x0001;
// CheckDeviceIDByPlex: the device ID was read and does not announce the D4 channel protocol.
inline constexpr std::uint32_t kNoD4 = 0x1001;
// Choosing the driver: the running system is none the selector serves.
inline constexpr std::uint32_t kUnsupportedSystem = 0x1110;
// The driver library is not loaded or lacks the function; a caller that binds the selector by name
// answers the same for a function the selector lacks.
inline constexpr std::uint32_t kMissing = 0xB000;
}  // namespace status

constexpr std::uint32_t LowWord(std::uint32_t result) {
    return result & 0xFFFFu;
}

constexpr bool Succeeded(std::uint32_t result) {
    return LowWord(result) == status::kSuccess;
}

}  // namespace portselect
