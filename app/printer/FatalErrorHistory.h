// The printer's record of its last five fatal errors, entry 0 the latest: the error code byte at
// 0x77 + i and the driving line count at which it happened, little-endian in the four bytes from
// 0x7C + 4 * i (0x7C-0x8F in all).
#pragma once

#include <cstdint>
#include <functional>

#include "printer/IEepromRW.h"

namespace printer {

inline constexpr int kFatalHistoryEntries = 5;
inline constexpr int kFatalCodeAddress = 0x77;
inline constexpr int kFatalLineCountAddress = 0x7C;

struct FatalErrorEntry {
    std::uint8_t code = 0;
    // False when a byte of the line count could not be read: the bytes read so far are no count.
    bool lineCountRead = false;
    std::uint32_t lineCount = 0;
};

// Reads the entries in order; entry(index, value) follows each entry whose code was read, and step
// after it. The number of entries whose code was read: the run ends at the first failed code read.
int ReadFatalErrorHistory(IEepromRW* eeprom,
                          const std::function<void(int index, const FatalErrorEntry&)>& entry,
                          const std::function<void()>& step);

}  // namespace printer
