// The run of the sequential adjustment mode: every item that a ticked part requires, once per entry of
// the language's master sequence, in the order of that sequence.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "config/MenuTables.h"

namespace workflow {

enum class SequentialOutcome {
    Ready,            // items holds the run (empty only when the master sequence is empty)
    NothingSelected,  // no part ticked, or the ticked parts list no items
};

struct SequentialList {
    SequentialOutcome outcome = SequentialOutcome::NothingSelected;
    std::vector<std::string> items;
};

// The parts list shows this when the outcome is NothingSelected.
inline constexpr const char* kMsgSelectParts = "Please select replace or removal parts.";

// Items are compared as exact texts. Items the sequence does not list are dropped; an item the
// sequence lists twice runs twice. When none of the selected items is in the sequence, the run is the
// sequence's last entry alone.
SequentialList BuildSequentialList(std::span<const std::vector<std::string>> tickedPartItems,
                                   const std::vector<std::string>& masterSequence);

// The same for rows of the parts table; rows outside the table and rows without a part name are
// ignored.
SequentialList BuildSequentialList(const config::PartsTable& parts, std::span<const int> tickedRows,
                                   const std::vector<std::string>& masterSequence);

}  // namespace workflow
