// The print tests as a technician types them: a name in lower case with '-' between the words
// ("FF Paper(1P)" is ff-paper-1p), or the test's number in the model's list, from 1.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "patterns/PrintTestList.h"

namespace tolvane_cli {

// Letters and digits in lower case; every run of other characters one '-', none at either end.
std::string PrintTestName(const std::string& text);

// The entry the word names (its name, its text in any case, or its number); nothing for none.
std::optional<std::size_t> ChoosePrintTest(const std::vector<patterns::PrintTestEntry>& entries,
                                           const std::string& word);

// "1 ff-paper-1p, 2 a4-copy-7p, ..." for a refusal.
std::string PrintTestChoices(const std::vector<patterns::PrintTestEntry>& entries);

}  // namespace tolvane_cli
