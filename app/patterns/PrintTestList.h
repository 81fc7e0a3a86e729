// What the print test page offers and what its Readjust runs, apart from the dialog: the test
// sequences of the printer per paper width, and the order of the adjustments run again.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace patterns {

// The flags of the general print test item: every sequence the paper width has.
inline constexpr int kAllPrintTests = 0xFFF;

struct PrintTestEntry {
    std::string text;
    // High byte: the engine's job selector; low byte: the job item.
    std::uint16_t code;

    int Selector() const { return code >> 8; }
    int Item() const { return code & 0xFF; }
};

// The entries for the test flags on a printer of `columns` columns, in the fixed order of the
// sequences.
std::vector<PrintTestEntry> PrintTestEntries(int flags, int columns);

// The run that Readjust starts: the checked adjustment items ("101" to "104") in the order of the
// master sequence, then the sequence's closing item. An item the sequence does not hold keeps its
// place after the sorted ones rather than being dropped; none runs twice.
std::vector<int> ReadjustRun(const std::vector<std::string>& checkedItems,
                             const std::vector<std::string>& masterSequence);

}  // namespace patterns
