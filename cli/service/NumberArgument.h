// Numbers as a technician types them on the command line: decimal, or hexadecimal after 0x, with
// an optional sign where a negative value makes sense. Anything else (blanks, trailing letters,
// overflow) is refused rather than read in part.
#pragma once

#include <optional>
#include <string>

namespace tolvane_cli {

// A whole number in [lowest, highest]; nothing for any other text.
std::optional<long> ParseNumber(const std::string& text, long lowest, long highest);

// "0x%02X" for addresses and bytes in messages.
std::string Hex(long value);

}  // namespace tolvane_cli
