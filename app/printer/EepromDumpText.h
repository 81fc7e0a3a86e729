// The text of an EEPROM dump as the service page shows it: a header, a rule, one row of 16 cells per
// 16 addresses. A dump restored from a file is laid out one column wider, so the technician can tell
// it from one read off the printer.
#pragma once

#include <cstdint>
#include <string>

#include "printer/EepromImage.h"

namespace printer {

enum class DumpLayout { Read, Restored };

// The header line and the rule under it.
std::string DumpHeader(DumpLayout layout);
// The line break and label that start the row (the row's two hexadecimal digits and a 0).
std::string DumpRowLabel(int row, DumpLayout layout);
// " %02X" for a byte entry, " --" for any other.
std::string DumpCell(std::int32_t entry);
// Header, rows and cells of the whole image.
std::string DumpText(const EepromImage& image, DumpLayout layout);

}  // namespace printer
