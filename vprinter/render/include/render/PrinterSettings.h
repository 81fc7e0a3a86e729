// What the renderer knows about the printer it draws for.
#pragma once

#include <string>

namespace vprinter::render {

struct PrinterSettings {
    // Names the page images and logs: the model and the port, e.g. "VK-572D USB1".
    std::string printerName = "vprinter";
    // Printable width in characters at 10 cpi (the model's paper width: 80, 106 or 136).
    int columns = 80;
    // The factory commands address the EEPROM with a low and a high byte on models whose EEPROM
    // reaches past address 255; the firmware then reads one byte more than the EEPROM write's
    // length field announces.
    bool twoByteEepromAddress = false;
};

}  // namespace vprinter::render
