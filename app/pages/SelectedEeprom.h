// The EEPROM access of the printer the technician chose: the port of the settings, the command code
// and last address of the selected model. The pages build it here, at their edge, and hold it for
// one action; the printer layer below takes the target as given.
#pragma once

#include "printer/IEepromRW.h"

namespace pages {

// Holds the only reference of an EEPROM access for one action and gives it back on every way out.
class EepromHold {
public:
    // A new access for the selected printer; empty when it cannot be made.
    static EepromHold ForSelectedPrinter();

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

}  // namespace pages
