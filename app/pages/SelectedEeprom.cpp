#include "pages/SelectedEeprom.h"

#include "pages/CPrinterErrorCallback.h"
#include "pages/SelectedPrinter.h"
#include "printer/CEepromRwByApDllD4.h"

namespace pages {

EepromHold EepromHold::ForSelectedPrinter() {
    // Failures reach the technician as the program's error messages.
    IPrinterErrorCallback* callback = nullptr;
    CreatePrinterErrorCallback(&callback);
    IEepromRW* eeprom = nullptr;
    const int made = CreateEepromRW(&eeprom, SelectedPrinter(), callback);
    if (callback != nullptr) {
        callback->Release();
    }
    return made == 0 ? EepromHold() : EepromHold(eeprom);
}

EepromHold& EepromHold::operator=(EepromHold&& other) noexcept {
    if (this != &other) {
        Release();
        eeprom_ = other.eeprom_;
        other.eeprom_ = nullptr;
    }
    return *this;
}

void EepromHold::Release() {
    if (eeprom_ != nullptr) {
        IEepromRW* eeprom = eeprom_;
        eeprom_ = nullptr;
        eeprom->Release();
    }
}

}  // namespace pages
