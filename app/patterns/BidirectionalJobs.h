// The bi-directional jobs of the service command engine, as the adjustment page and the command line
// start them: selector 0, item 8 + m for row m (mode 1 sends the row's value command, mode 0 prints
// the row's alignment pattern), and item 12, which ends a printout of patterns with a form feed.
#pragma once

#include <cstddef>

#include "patterns/PrintJobRecord.h"

namespace patterns {

inline constexpr int kBidirectionalSelector = 0;
inline constexpr int kBidirectionalFirstItem = 8;
inline constexpr int kPrintoutEndItem = 12;

// A row the record has a value for; the engine fails the job of any other row.
inline bool IsBidirectionalRow(int row) {
    return row >= 0 && static_cast<std::size_t>(row) < PrintJobRecord().bidirectionalValues.size();
}

struct BidirectionalJob {
    int item = 0;
    PrintJobRecord record;
};

// Row m's value job: the engine sends the value as a signed byte with the model's command code.
inline BidirectionalJob BidirectionalValueJob(int row, int value) {
    BidirectionalJob job;
    job.item = kBidirectionalFirstItem + row;
    job.record.mode = 1;
    job.record.modeIndex = row;
    if (IsBidirectionalRow(row)) {
        job.record.bidirectionalValues[static_cast<std::size_t>(row)] = value;
    }
    return job;
}

// Row m's pattern job, labelled with the correction the printer holds; lastSent is the value last
// sent for the row (0 when none was).
inline BidirectionalJob BidirectionalPatternJob(int row, int lastSent, int stored) {
    BidirectionalJob job;
    job.item = kBidirectionalFirstItem + row;
    job.record.mode = 0;
    job.record.modeIndex = row;
    if (IsBidirectionalRow(row)) {
        job.record.bidirectionalValues[static_cast<std::size_t>(row)] = lastSent;
    }
    job.record.value = stored;
    return job;
}

// Ends a printout of patterns; only a printout that was begun is ended, since a form feed alone
// ejects a blank sheet.
inline BidirectionalJob PrintoutEndJob() {
    BidirectionalJob job;
    job.item = kPrintoutEndItem;
    return job;
}

}  // namespace patterns
