// The paper-end sensors' learned thresholds. Clearing a threshold's bytes makes the printer learn it
// again from the sensor on its next paper load.
#pragma once

#include <functional>
#include <span>

#include "printer/IEepromRW.h"

namespace printer {

struct PaperEndThreshold {
    int kind;             // the flag the page is made with
    const char* caption;  // the page's group caption
    std::span<const int> addresses;
};

// The threshold of that kind; null for a kind the printer has none of.
const PaperEndThreshold* PaperEndThresholdOf(int kind);

// Writes 0 to the kind's addresses in order, step after each write: 1 when every write reached the
// printer (also for a kind without addresses), 0 at the first failed write, which ends the run.
int ClearPaperEndThreshold(IEepromRW* eeprom, int kind, const std::function<void()>& step);

}  // namespace printer
