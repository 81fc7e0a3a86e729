#include "printer/EepromHold.h"

namespace printer {

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

}  // namespace printer
