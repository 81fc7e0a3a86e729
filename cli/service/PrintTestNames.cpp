#include "PrintTestNames.h"

#include "NumberArgument.h"

namespace tolvane_cli {

std::string PrintTestName(const std::string& text) {
    std::string name;
    bool gap = false;
    for (const char c : text) {
        const bool digit = c >= '0' && c <= '9';
        const bool upper = c >= 'A' && c <= 'Z';
        if (digit || upper || (c >= 'a' && c <= 'z')) {
            if (gap && !name.empty()) {
                name += '-';
            }
            gap = false;
            name += upper ? static_cast<char>(c - 'A' + 'a') : c;
        } else {
            gap = true;
        }
    }
    return name;
}

std::optional<std::size_t> ChoosePrintTest(const std::vector<patterns::PrintTestEntry>& entries,
                                           const std::string& word) {
    if (entries.empty()) {
        return std::nullopt;
    }
    if (const auto number = ParseNumber(word, 1, static_cast<long>(entries.size()))) {
        return static_cast<std::size_t>(*number - 1);
    }
    const std::string name = PrintTestName(word);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (!name.empty() && PrintTestName(entries[i].text) == name) {
            return i;
        }
    }
    return std::nullopt;
}

std::string PrintTestChoices(const std::vector<patterns::PrintTestEntry>& entries) {
    std::string choices;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        choices += (i == 0 ? "" : ", ") + std::to_string(i + 1) + " " + PrintTestName(entries[i].text);
    }
    return choices.empty() ? "none" : choices;
}

}  // namespace tolvane_cli
