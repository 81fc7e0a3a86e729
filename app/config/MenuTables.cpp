#include "config/MenuTables.h"

#include "config/NumberText.h"

namespace config {

namespace {

// Index one past the last entry that is not empty.
std::size_t UsedSlots(std::span<const std::string> entries) {
    std::size_t used = entries.size();
    while (used > 0 && entries[used - 1].empty()) {
        --used;
    }
    return used;
}

}  // namespace

std::vector<std::string> SplitFields(const std::string& text, const std::string& separator) {
    std::vector<std::string> fields;
    if (separator.empty()) {
        if (!text.empty()) {
            fields.push_back(text);
        }
        return fields;
    }
    std::string::size_type start = 0;
    std::string::size_type found;
    while ((found = text.find(separator, start)) != std::string::npos) {
        fields.push_back(text.substr(start, found - start));
        start = found + separator.size();
    }
    if (start < text.size()) {
        fields.push_back(text.substr(start));
    }
    return fields;
}

MenuTable ParseMenu(std::span<const std::string> entries) {
    MenuTable menu;
    const std::size_t used = UsedSlots(entries);
    for (std::size_t slot = 0; slot < used; ++slot) {
        const std::string& entry = entries[slot];
        const std::vector<std::string> fields = SplitFields(entry, "||");
        if (fields.size() == 2) {
            menu.names.push_back(fields[0]);
            menu.numbers.push_back(fields[1]);
            menu.captions.push_back(fields[0]);
        } else if (fields.size() == 3) {
            menu.names.push_back(fields[0]);
            menu.numbers.push_back(fields[1]);
            menu.captions.push_back(fields[2]);
        } else {
            // A row without an item number: shown, but selecting it does nothing.
            menu.names.push_back(entry);
            menu.numbers.emplace_back();
            menu.captions.push_back(entry);
        }
    }
    return menu;
}

PartsTable ParseParts(std::span<const std::string> entries) {
    PartsTable parts;
    const std::size_t used = UsedSlots(entries);
    for (std::size_t slot = 0; slot < used; ++slot) {
        const std::vector<std::string> fields = SplitFields(entries[slot], "||");
        if (fields.size() >= 2) {
            parts.names.push_back(fields[0]);
            parts.items.push_back(SplitFields(fields[1], ","));
        } else {
            parts.names.emplace_back();
            parts.items.emplace_back();
        }
    }
    return parts;
}

std::vector<std::string> ParseSequence(const std::string& text) {
    return SplitFields(text, ",");
}

int FindMenuRow(const MenuTable& menu, int item) {
    for (std::size_t row = 0; row < menu.numbers.size(); ++row) {
        const int number = ItemNumber(menu.numbers[row]);
        if (number > 0 && number == item) {
            return static_cast<int>(row);
        }
    }
    return -1;
}

int ItemNumber(const std::string& text) {
    return DecimalToInt(text.c_str());
}

}  // namespace config
