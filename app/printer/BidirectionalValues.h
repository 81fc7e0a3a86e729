// The printer's bi-directional corrections: one signed byte per print mode at 0xA2, 0xA3 and 0xA4,
// in steps of the head's timing unit. A right-to-left pass in a mode lands off by the mechanism's
// timing error minus its stored correction, so the value read off the alignment pattern is the one
// to store.
#pragma once

#include <optional>
#include <string>

#include "printer/IEepromRW.h"

namespace printer {

inline constexpr int kBidirectionalRows = 3;
inline constexpr int kBidirectionalFirstAddress = 0xA2;
inline constexpr int kBidirectionalLowest = -12;
inline constexpr int kBidirectionalHighest = 12;

inline constexpr bool IsBidirectionalValue(int value) {
    return value >= kBidirectionalLowest && value <= kBidirectionalHighest;
}

// The printer's print mode number for a mode name of the model profile, matched case-sensitively;
// -1 for a name the printer does not know. LQ and NLQ share mode 4.
int BidirectionalModeNumber(const std::string& modeName);
// The caption of a row's check boxes: "Draft Mode(Mode1)".
std::string BidirectionalRowCaption(const std::string& modeName);

// The stored correction of row 0, 1 or 2, sign-extended; nothing when the row is unknown or the
// byte could not be read (the access object has told whoever listens).
std::optional<int> ReadBidirectionalValue(IEepromRW* eeprom, int row);

}  // namespace printer
