// The EEPROM access of the printer the technician chose: the port of the settings, the command code
// and last address of the selected model. The pages build it here, at their edge, and hold it for
// one action; the printer layer below takes the target as given.
#pragma once

#include "printer/EepromHold.h"

namespace pages {

// A new access for the selected printer, its failures shown as the program's error messages; empty
// when it cannot be made.
printer::EepromHold EepromForSelectedPrinter();

}  // namespace pages
