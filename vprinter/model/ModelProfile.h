// What one virtual printer takes from its model profile (Parameter\{profile}\Parameter.ini), read once
// through the program's own profile reader, and the EEPROM layout of the model.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vprinter {

// Where the firmware keeps its own values in the EEPROM. The profiles describe these areas only in
// comments, so the addresses are a table here; a model without a row of its own uses the family's.
struct EepromLayout {
    const char* model;           // profile name; nullptr for the family row
    int ribbonLineCount;         // 4 bytes, LSB first: lines since the last ribbon change
    int drivingHours;            // 4 bytes, LSB first
    int drivingLineCount;        // 4 bytes, LSB first
    int fatalHistoryCodes;       // kFatalHistoryEntries code bytes, the latest first
    int fatalHistoryLineCounts;  // 4 bytes per entry, LSB first, in the order of the codes
    int bidirectionalValues;     // one signed byte per print mode
    int mechanismSerial;         // 12 characters
    int checksum;                // 2 bytes, LSB first: the sum of every byte below it
};

inline constexpr int kFatalHistoryEntries = 5;
inline constexpr int kPrintModes = 3;  // the rows of the alignment: draft, bit image, letter quality
inline constexpr int kUsbSerialLength = 18;
inline constexpr int kMechanismSerialLength = 12;

const EepromLayout& LayoutOf(const std::string& model);

struct ModelProfile {
    std::string model;  // the profile's name, which the printer reports after "MDL:"
    int columns = 80;
    int lastEepromAddress = 255;           // nADRSMax
    bool twoByteAddress = false;           // nADRSMax of 256 or more
    std::uint8_t commandCode[2] = {0, 0};  // the low bytes of pnRNumber
    int usbSerialAddress = -1;             // nADRSUSBSerial
    std::array<int, 256> eepromInit{};     // EEPROM_INIT: 0-255 a value, anything else none
    std::vector<int> customerAddresses;    // pnEEPInitAddress up to its first -1
    std::vector<int> customerValues;       // pnCustomerData00, one per address (-1 none)
    // The first customer's printer must be told its model before it answers on the channel: the
    // profile's strPreambleDeviceID names its device ID.
    bool needsModelPreamble = false;

    // The EEPROM holds at least 256 bytes; a model with two-byte addresses holds nADRSMax + 1.
    int EepromSize() const { return lastEepromAddress + 1 < 256 ? 256 : lastEepromAddress + 1; }
};

// Reads the named profile below the program's folder. False, with a sentence in *error, when the name
// is not a plain folder name or the profile file is missing.
bool LoadModelProfile(const std::string& profile, ModelProfile* out, std::string* error);

}  // namespace vprinter
