#include "BidirectionalArguments.h"

#include <algorithm>
#include <cctype>

#include "NumberArgument.h"

namespace tolvane_cli {
namespace {

bool AllDigits(const std::string& text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c) != 0; });
}

bool SameIgnoringCase(const std::string& left, const std::string& right) {
    return left.size() == right.size() &&
           std::equal(left.begin(), left.end(), right.begin(),
                      [](unsigned char a, unsigned char b) { return std::tolower(a) == std::tolower(b); });
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

}  // namespace

bool CheckBidirectionalMode(const std::string& mode, std::string* error) {
    if (mode.empty()) {
        *error = std::string("a bid mode is missing: give ") + kBidirectionalModeForm;
        return false;
    }
    if (AllDigits(mode) && !ParseNumber(mode, 0, printer::kBidirectionalRows - 1)) {
        *error = "no bid row " + mode + ": a mode is " + kBidirectionalModeForm;
        return false;
    }
    return true;
}

bool ParseBidirectionalAssignments(const std::vector<std::string>& words,
                                   std::vector<BidirectionalAssignment>* assignments, std::string* error) {
    assignments->clear();
    if (words.empty()) {
        *error = std::string("bid set needs at least one MODE=VALUE (MODE ") + kBidirectionalModeForm +
                 ", VALUE -12..12)";
        return false;
    }
    for (const std::string& word : words) {
        const std::size_t equals = word.find('=');
        if (equals == std::string::npos) {
            *error = Quoted(word) + " is not MODE=VALUE (MODE " + kBidirectionalModeForm + ", VALUE -12..12)";
            return false;
        }
        BidirectionalAssignment assignment;
        assignment.mode = word.substr(0, equals);
        if (!CheckBidirectionalMode(assignment.mode, error)) {
            return false;
        }
        const std::string text = word.substr(equals + 1);
        const std::optional<long> value =
            ParseNumber(text, printer::kBidirectionalLowest, printer::kBidirectionalHighest);
        if (!value) {
            // The page's own words for the range, with the value that broke it.
            *error = "Bid adjust value must be between -12 and 12 (" + Quoted(word) + ")";
            return false;
        }
        assignment.value = static_cast<int>(*value);
        assignments->push_back(assignment);
    }
    return true;
}

std::optional<int> BidirectionalRowOf(const std::string& mode, const BidirectionalModeNames& names,
                                      std::string* error) {
    if (AllDigits(mode)) {
        if (const std::optional<long> row = ParseNumber(mode, 0, printer::kBidirectionalRows - 1)) {
            return static_cast<int>(*row);
        }
        *error = "no bid row " + mode + ": a mode is " + kBidirectionalModeForm;
        return std::nullopt;
    }
    std::optional<int> found;
    std::string known;
    for (int row = 0; row < printer::kBidirectionalRows; ++row) {
        const std::string& name = names[static_cast<std::size_t>(row)];
        known += (row == 0 ? "" : ", ") + std::to_string(row) + " " + Quoted(name);
        if (name.empty() || !SameIgnoringCase(name, mode)) {
            continue;
        }
        if (found) {
            *error = "rows " + std::to_string(*found) + " and " + std::to_string(row) + " are both " +
                     Quoted(name) + ": name the row by its number";
            return std::nullopt;
        }
        found = row;
    }
    if (!found) {
        *error = "no bid mode " + Quoted(mode) + " in this profile (" + known + ")";
    }
    return found;
}

}  // namespace tolvane_cli
