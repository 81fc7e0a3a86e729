// The printer's three usage counters: unsigned 32-bit values stored little-endian in four EEPROM
// bytes each. A counter is chosen by its flag, so one reset can clear any set of them.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "printer/IEepromRW.h"

namespace printer {

struct UsageCounter {
    int flag;
    int firstAddress;
};

// In the order they are read, shown and reset.
inline constexpr std::array<UsageCounter, 3> kUsageCounters = {{
    {1, 0x04},  // driving line count for ribbon change timing
    {2, 0x08},  // driving hours
    {4, 0x0C},  // driving line count
}};
// One progress step per counter byte, read or reset, whether the counter is touched or not.
inline constexpr int kUsageCounterSteps = 4 * static_cast<int>(kUsageCounters.size());

// Called after each byte (read or reset), kUsageCounterSteps times on a full run.
using StepCallback = std::function<void()>;

// Reads the counters in table order; shown(index, value) follows each counter read whole. The
// number of counters read: the run ends at the first failed byte.
int ReadUsageCounters(IEepromRW* eeprom, const std::function<void(int index, std::uint32_t value)>& shown,
                      const StepCallback& step);

// Writes 0 to the four bytes of every counter whose flag is in flags; a counter left alone still
// takes its four steps. 1, or 0 at the first failed write.
int ResetUsageCounters(IEepromRW* eeprom, int flags, const StepCallback& step);

}  // namespace printer
