// Holds the only reference of an EEPROM access for one action and gives it back on every way out.
// Whoever makes the access (a page for the selected printer, the command line for its target) hands
// it over here.
#pragma once

#include "printer/IEepromRW.h"

namespace printer {

class EepromHold {
public:
    EepromHold() = default;
    explicit EepromHold(IEepromRW* eeprom) : eeprom_(eeprom) {}
    ~EepromHold() { Release(); }
    EepromHold(EepromHold&& other) noexcept : eeprom_(other.eeprom_) { other.eeprom_ = nullptr; }
    EepromHold& operator=(EepromHold&& other) noexcept;
    EepromHold(const EepromHold&) = delete;
    EepromHold& operator=(const EepromHold&) = delete;

    IEepromRW* Get() const { return eeprom_; }
    IEepromRW* operator->() const { return eeprom_; }
    explicit operator bool() const { return eeprom_ != nullptr; }
    // Gives the reference back now (the channels close); nothing when empty.
    void Release();

private:
    IEepromRW* eeprom_ = nullptr;
};

}  // namespace printer
