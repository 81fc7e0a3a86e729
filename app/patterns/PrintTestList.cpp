#include "patterns/PrintTestList.h"

#include <algorithm>
#include <iterator>

#include "config/MenuTables.h"

namespace patterns {
namespace {

// The printer's test sequences. A wide (136-column) printer prints the copy tests on A3 and A4
// and has the pitch tests; a narrow one prints A4 copies and has the passbook test instead.
struct PrintTestRow {
    int flag;
    const char* wide;    // null: not on a 136-column printer
    const char* narrow;  // null: only on a 136-column printer
    std::uint16_t code;
};

constexpr PrintTestRow kRows[] = {
    {4, "FF Paper(1P)", "FF Paper(1P)", 0x0102},
    {1, "A3 Copy(7P)", "A4 Copy(7P)", 0x0104},
    {2, "A4 Copy(1P)", "A4 Horizontal(1P)", 0x0105},
    {8, "Pitch x1", nullptr, 0x0106},
    {16, "Pitch x20", nullptr, 0x0107},
    {32, nullptr, "Passbook", 0x0103},
};

constexpr int kWideColumns = 136;

}  // namespace

std::vector<PrintTestEntry> PrintTestEntries(int flags, int columns) {
    std::vector<PrintTestEntry> entries;
    for (const PrintTestRow& row : kRows) {
        const char* text = columns == kWideColumns ? row.wide : row.narrow;
        if ((flags & row.flag) != 0 && text != nullptr) {
            entries.push_back({text, row.code});
        }
    }
    return entries;
}

std::vector<int> ReadjustRun(const std::vector<std::string>& checkedItems,
                             const std::vector<std::string>& masterSequence) {
    std::vector<std::string> ordered;
    for (const std::string& item : masterSequence) {
        const bool checked = std::find(checkedItems.begin(), checkedItems.end(), item) != checkedItems.end();
        if (checked && std::find(ordered.begin(), ordered.end(), item) == ordered.end()) {
            ordered.push_back(item);
        }
    }
    for (const std::string& item : checkedItems) {
        if (std::find(ordered.begin(), ordered.end(), item) == ordered.end()) {
            ordered.push_back(item);
        }
    }
    if (!masterSequence.empty() &&
        std::find(ordered.begin(), ordered.end(), masterSequence.back()) == ordered.end()) {
        ordered.push_back(masterSequence.back());
    }
    std::vector<int> run;
    std::transform(ordered.begin(), ordered.end(), std::back_inserter(run),
                   [](const std::string& item) { return config::ItemNumber(item); });
    return run;
}

}  // namespace patterns
