// What the renderer asks of the printer it belongs to: the EEPROM, for the stored bi-directional
// corrections and for the print-EEPROM-byte command, and the mechanism's hidden timing errors.
#pragma once

#include "render/PrintMode.h"

namespace vprinter::render {

class IPrinterMechanics {
public:
    virtual ~IPrinterMechanics() = default;
    // The EEPROM byte at the address (0-255), or -1 when the printer's EEPROM has no such address.
    virtual int EepromByte(int address) = 0;
    // The mode's timing error in timing units: how far a right-to-left pass lands off when the stored
    // correction is 0. Positive is to the right.
    virtual int TimingError(PrintMode mode) = 0;
};

}  // namespace vprinter::render
