// What the pattern builders need to know about the selected printer model, the selected customer and
// the run: a plain record, so that the builders do not depend on the configuration classes. Every
// list may be shorter than the model file promises; the builders never index past its end.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "protocol/PrinterCommandCodes.h"

namespace patterns {

struct PatternModel {
    // Open every factory command: the low bytes of the model's two command-code numbers.
    std::uint8_t firstIdByte = 0;
    std::uint8_t secondIdByte = 0;

    // Paper width in characters at 10 cpi: 80, 106 or 136 on the shipped models.
    int columns = 80;

    // How the factory commands carry an EEPROM address on this model.
    protocol::factory::AddressForm eepromAddressForm = protocol::factory::AddressForm::OneByte;

    // The three EEPROM maps, indexed by address; a value outside 0-255 means "no value".
    std::vector<int> eepromInit;     // table A: the bytes written when the EEPROM is initialised
    std::vector<int> eepromVerify;   // table B: the bytes expected after the initialisation
    std::vector<int> eepromCompare;  // table C: the bytes compared on the initial setting page

    // The customer's EEPROM bytes: the addresses end at the first -1 (or at the end of the list);
    // customerValues[k] belongs to customerAddresses[k], and -1 means "leave the address alone".
    std::vector<int> customerAddresses;
    std::vector<int> customerValues;

    // The report's program line: the customer's information name, then the EEPROM map's title.
    std::string programName;
    std::string eepromTitle;

    // EEPROM address of the first byte of the USB serial number; -1 when the model has none.
    int usbSerialAddress = -1;

    // Texts the technician entered for this run, printed on the information report.
    std::string factorySetting;
    std::string beltNumber;
    std::string pcNumber;

    bool HasUsbSerialAddress() const { return usbSerialAddress != -1; }
};

// Whether a map or customer value is a byte to write or expect; any other value means "no value".
constexpr bool IsByteValue(int value) {
    return value >= 0 && value <= 0xFF;
}

}  // namespace patterns
