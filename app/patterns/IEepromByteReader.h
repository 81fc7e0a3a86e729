// Reads one byte of the printer's EEPROM over the open connection. The complement write needs the
// printer's current value; the service command engine reads it through the device-driver library.
#pragma once

#include <cstdint>

namespace patterns {

class IEepromByteReader {
public:
    virtual ~IEepromByteReader() = default;
    // True with the byte in value; false when the printer did not answer (value then holds nothing of use).
    virtual bool Read(int address, std::uint8_t& value) = 0;
};

}  // namespace patterns
