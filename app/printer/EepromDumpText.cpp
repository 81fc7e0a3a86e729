#include "printer/EepromDumpText.h"

#include <cstdio>

namespace printer {

std::string DumpHeader(DumpLayout layout) {
    if (layout == DumpLayout::Restored) {
        return "ADDR   +0 +1 +2 +3 +4 +5 +6 +7 +8 +9 +A +B +C +D +E +F \r\n" + std::string(57, '-');
    }
    return "ADDR  +0 +1 +2 +3 +4 +5 +6 +7 +8 +9 +A +B +C +D +E +F \r\n" + std::string(56, '-');
}

std::string DumpRowLabel(int row, DumpLayout layout) {
    char label[16];
    std::snprintf(label, sizeof label, layout == DumpLayout::Restored ? "\r\n%2X0   " : "\r\n%2X0  ",
                  row & 0xFF);
    return label;
}

std::string DumpCell(std::int32_t entry) {
    if (!IsByteEntry(entry)) {
        return " --";
    }
    char cell[8];
    std::snprintf(cell, sizeof cell, " %02X", static_cast<unsigned>(entry));
    return cell;
}

std::string DumpText(const EepromImage& image, DumpLayout layout) {
    std::string text = DumpHeader(layout);
    for (int address = 0; address < kEepromImageEntries; ++address) {
        if (address % 16 == 0) {
            text += DumpRowLabel(address / 16, layout);
        }
        text += DumpCell(image[static_cast<std::size_t>(address)]);
    }
    return text;
}

}  // namespace printer
