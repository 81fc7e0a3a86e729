#include "pages/SelectedEeprom.h"

#include "pages/CPrinterErrorCallback.h"
#include "patterns/SelectedPrinter.h"
#include "printer/CEepromRwByApDllD4.h"

namespace pages {

printer::EepromHold EepromForSelectedPrinter() {
    // Failures reach the technician as the program's error messages.
    IPrinterErrorCallback* callback = nullptr;
    CreatePrinterErrorCallback(&callback);
    IEepromRW* eeprom = nullptr;
    const int made = CreateEepromRW(&eeprom, patterns::SelectedPrinter(), callback);
    if (callback != nullptr) {
        callback->Release();
    }
    return made == 0 ? printer::EepromHold() : printer::EepromHold(eeprom);
}

}  // namespace pages
