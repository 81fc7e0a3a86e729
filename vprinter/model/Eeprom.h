// The EEPROM image and the firmware's upkeep of it: factory defaults, writes within the model's size,
// the checksum, the counters and the fatal-error history.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "vprinter/model/ModelProfile.h"

namespace vprinter {

class Eeprom {
public:
    Eeprom(const ModelProfile& profile, std::vector<std::uint8_t>& image);

    // The image a new printer leaves the factory with: EEPROM_INIT, the first customer's settings,
    // a USB serial number and mechanism serial number made from the port name, zero elsewhere.
    static std::vector<std::uint8_t> FactoryImage(const ModelProfile& profile, const std::string& portName);

    // False for an address beyond the model's EEPROM; the image is then untouched.
    bool Write(int address, std::uint8_t value);
    bool Read(int address, std::uint8_t* value) const;

    std::uint32_t Read32(int address) const;
    void Write32(int address, std::uint32_t value);

    // Lines fed: the two line counts grow by `lines`, and every thousandth line since the printer
    // was new (linesBefore + 1 ... linesBefore + lines) adds an hour of driving.
    void CountLines(std::uint64_t lines, std::uint64_t linesBefore);
    // A fatal error: the history moves down one entry and the code goes first with the line count.
    void RecordFatalError(std::uint8_t code);

    int Size() const { return static_cast<int>(image_.size()); }

private:
    void UpdateChecksum();
    void Put32(int address, std::uint32_t value);

    const ModelProfile& profile_;
    const EepromLayout& layout_;
    std::vector<std::uint8_t>& image_;
};

}  // namespace vprinter
