// The bi-directional rows as a technician names them on the command line: a row number 0-2, or the
// print mode name the model profile gives the row ("Draft", "Bit Image", "LQ"). Row numbers are the
// rows of the adjustment page, not the printer's mode numbers: the Draft row 0 is the printer's
// Mode1. Syntax is checked before the printer is opened; names need the profile, so they are
// resolved once it is loaded, still before anything is sent.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "printer/BidirectionalValues.h"

namespace tolvane_cli {

using BidirectionalModeNames = std::array<std::string, printer::kBidirectionalRows>;

// One "MODE=VALUE" of `bid set`.
struct BidirectionalAssignment {
    std::string mode;
    int value = 0;
};

// The accepted forms, for messages.
inline constexpr const char* kBidirectionalModeForm = "a row 0-2 or the profile's mode name";

// Checks every word before any is used: "MODE=VALUE" with a MODE that is a row 0-2 or could be a
// name, and a VALUE -12..12. False with a one-line message naming the first bad word.
bool ParseBidirectionalAssignments(const std::vector<std::string>& words,
                                   std::vector<BidirectionalAssignment>* assignments, std::string* error);

// A MODE that is all digits must be a row 0-2; anything else could be a name. False with a message.
bool CheckBidirectionalMode(const std::string& mode, std::string* error);

// The row a MODE names: a row number, else the one row whose mode name matches (case ignored).
// Nothing with a message for an unknown name, or a name two rows share.
std::optional<int> BidirectionalRowOf(const std::string& mode, const BidirectionalModeNames& names,
                                      std::string* error);

}  // namespace tolvane_cli
