// The menu, parts and sequence tables of a language file, and the run that the sequential mode builds
// from them. The input is four blocks separated by an empty line: menu entries (one a line), parts
// entries, the master sequence, and the ticked parts rows.
//
// Properties: fields split at a separator join back into the text; every table has one row per slot
// up to the last one used; a menu lookup finds the first row of the item; a sequential run is a part
// of the master sequence in its order and holds only ticked items, or the sequence's last entry.
#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "config/MenuTables.h"
#include "workflow/SequentialList.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

void CheckSplit(const std::string& text, const std::string& separator) {
    const std::vector<std::string> fields = config::SplitFields(text, separator);
    std::string joined;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        joined += (i == 0 ? "" : separator) + fields[i];
    }
    const bool endsWithSeparator =
        text.size() >= separator.size() && !separator.empty() &&
        text.compare(text.size() - separator.size(), separator.size(), separator) == 0;
    FUZZ_CHECK(joined == text || (endsWithSeparator && joined + separator == text),
               fuzz::Printable(text) + " split at " + separator + " joins as " + fuzz::Printable(joined));
}

std::size_t UsedSlots(const std::vector<std::string>& entries) {
    std::size_t used = entries.size();
    while (used > 0 && entries[used - 1].empty()) {
        --used;
    }
    return used;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> blocks;
    for (std::size_t start = 0; blocks.size() < 3;) {
        const std::size_t end = input.find("\n\n", start);
        blocks.push_back(input.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) {
            break;
        }
        start = end + 2;
        if (blocks.size() == 3) {
            blocks.push_back(input.substr(start));
        }
    }
    blocks.resize(4);

    std::vector<std::string> menuEntries = Lines(blocks[0]);
    menuEntries.resize(std::min<std::size_t>(menuEntries.size(), 100));
    std::vector<std::string> partsEntries = Lines(blocks[1]);
    partsEntries.resize(std::min<std::size_t>(partsEntries.size(), 200));
    for (const std::string& entry : menuEntries) {
        CheckSplit(entry, "||");
        CheckSplit(entry, ",");
    }

    const config::MenuTable menu = config::ParseMenu(menuEntries);
    const std::size_t menuRows = UsedSlots(menuEntries);
    FUZZ_CHECK(
        menu.names.size() == menuRows && menu.numbers.size() == menuRows && menu.captions.size() == menuRows,
        "one menu row per slot");
    for (std::size_t row = 0; row < menuRows; ++row) {
        const int item = config::ItemNumber(menu.numbers[row]);
        const int found = config::FindMenuRow(menu, item);
        if (item > 0) {
            FUZZ_CHECK(found >= 0 && static_cast<std::size_t>(found) <= row &&
                           config::ItemNumber(menu.numbers[static_cast<std::size_t>(found)]) == item,
                       "item " + std::to_string(item) + " of row " + std::to_string(row) + " found in row " +
                           std::to_string(found));
        } else {
            FUZZ_CHECK(found == -1, "an item number that is not positive is never found");
        }
    }

    const config::PartsTable parts = config::ParseParts(partsEntries);
    const std::size_t partsRows = UsedSlots(partsEntries);
    FUZZ_CHECK(parts.names.size() == partsRows && parts.items.size() == partsRows, "one parts row per slot");

    const std::vector<std::string> sequence = config::ParseSequence(blocks[2]);
    CheckSplit(blocks[2], ",");
    std::vector<int> ticked;
    std::set<std::string> selected;
    for (const std::string& line : Lines(blocks[3])) {
        const int row = config::ItemNumber(line);
        ticked.push_back(row);
        // A row without a part name cannot be ticked: its items never join the run.
        if (row >= 0 && static_cast<std::size_t>(row) < parts.items.size() &&
            !parts.names[static_cast<std::size_t>(row)].empty()) {
            selected.insert(parts.items[static_cast<std::size_t>(row)].begin(),
                            parts.items[static_cast<std::size_t>(row)].end());
        }
    }
    const workflow::SequentialList run = workflow::BuildSequentialList(parts, ticked, sequence);
    if (selected.empty()) {
        FUZZ_CHECK(run.outcome == workflow::SequentialOutcome::NothingSelected && run.items.empty(),
                   "nothing ticked gives no run");
        return 0;
    }
    FUZZ_CHECK(run.outcome == workflow::SequentialOutcome::Ready, "ticked items give a run");
    const bool anyInSequence = std::any_of(
        sequence.begin(), sequence.end(), [&](const std::string& item) { return selected.count(item) != 0; });
    if (!anyInSequence) {
        FUZZ_CHECK(
            sequence.empty() ? run.items.empty() : run.items == std::vector<std::string>{sequence.back()},
            "without a ticked item in the sequence the run is the sequence's last entry");
        return 0;
    }
    // A subsequence of the master sequence, in its order, of ticked items only.
    std::size_t position = 0;
    for (const std::string& item : run.items) {
        FUZZ_CHECK(selected.count(item) != 0, "item " + fuzz::Printable(item) + " was not ticked");
        while (position < sequence.size() && sequence[position] != item) {
            ++position;
        }
        FUZZ_CHECK(position < sequence.size(), "the run leaves the order of the sequence");
        ++position;
    }
    const auto inSequence = static_cast<std::size_t>(
        std::count_if(sequence.begin(), sequence.end(),
                      [&](const std::string& item) { return selected.count(item) != 0; }));
    FUZZ_CHECK(run.items.size() == inSequence, "every ticked entry of the sequence runs");
    return 0;
}
