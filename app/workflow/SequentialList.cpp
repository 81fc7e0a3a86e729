#include "workflow/SequentialList.h"

#include <set>

namespace workflow {

SequentialList BuildSequentialList(std::span<const std::vector<std::string>> tickedPartItems,
                                   const std::vector<std::string>& masterSequence) {
    std::set<std::string> selected;
    for (const std::vector<std::string>& items : tickedPartItems) {
        selected.insert(items.begin(), items.end());
    }
    SequentialList list;
    if (selected.empty()) {
        list.outcome = SequentialOutcome::NothingSelected;
        return list;
    }
    list.outcome = SequentialOutcome::Ready;
    for (const std::string& item : masterSequence) {
        if (selected.count(item) != 0) {
            list.items.push_back(item);
        }
    }
    // None of the selected items is in the sequence: the sequence's closing item runs alone.
    if (list.items.empty() && !masterSequence.empty()) {
        list.items.push_back(masterSequence.back());
    }
    return list;
}

SequentialList BuildSequentialList(const config::PartsTable& parts, std::span<const int> tickedRows,
                                   const std::vector<std::string>& masterSequence) {
    std::vector<std::vector<std::string>> ticked;
    for (int row : tickedRows) {
        const auto index = static_cast<std::size_t>(row);
        // A slot without a part name is not a part: the list shows it without a usable check box.
        const bool named = index < parts.names.size() && !parts.names[index].empty();
        if (row >= 0 && named && index < parts.items.size()) {
            ticked.push_back(parts.items[index]);
        }
    }
    return BuildSequentialList(ticked, masterSequence);
}

}  // namespace workflow
