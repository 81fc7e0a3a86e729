// The raw EEPROM as the service pages and the command line hold it: one signed 32-bit entry per
// one-byte address, a byte value 0 to 255 or kNotRead. The same 256 entries are the .eep file, the
// dump, the range mask and the restore image, so every loop over them is bounded by one number.
#pragma once

#include <array>
#include <cstdint>

namespace printer {

// Every address a one-byte address reaches: 0x00 to 0xFF.
inline constexpr int kEepromImageEntries = 256;
inline constexpr std::int32_t kNotRead = -1;

using EepromImage = std::array<std::int32_t, kEepromImageEntries>;

// Every entry kNotRead.
EepromImage BlankEepromImage();
// A mask that marks the addresses from..to inclusive (entry 1) and leaves the rest kNotRead; an
// empty range (from > to) marks nothing.
EepromImage RangeMask(int from, int to);
inline bool IsByteEntry(std::int32_t entry) {
    return entry >= 0 && entry <= 0xFF;
}

}  // namespace printer
