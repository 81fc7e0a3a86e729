// Reading and writing the printer's EEPROM one byte at a time, with a one-byte address (the first
// 256 bytes), and printing a dump of it. Pages obtain one from CreateEepromRW and release it when the
// action ends. Reference-counted in the scheme of CRefCounted.h.
#pragma once

#include <cstdint>

#include "platform/Unknown.h"

class IEepromRW : public platform::IUnknown {
public:
    virtual ~IEepromRW() = default;
    // 1 with the byte in *value; 0 when it was not read (then *value holds no byte of the printer).
    virtual int ReadByte(int address, std::uint8_t* value) = 0;
    // 1 when the write request reached the printer, else 0.
    virtual int WriteByte(int address, std::uint8_t value) = 0;
    // Both sleep 10 ms and return 1: the pause a page leaves the printer between two writes.
    virtual int Pause1(int a, int b) = 0;
    virtual int Pause2(int a, int b) = 0;
    // Always 0xFF: the last address a one-byte address reaches.
    virtual int GetLastAddress() = 0;
    // Always 1.
    virtual int IsAvailable() = 0;
    // Prints the 256 entries as a table; an entry outside 0 to 255 prints as "--" (not read).
    // 1 printed, 0 failed.
    virtual int PrintDump(const std::int32_t* values) = 0;
};

// Reads the 16-bit value stored little-endian at the two addresses: 1 with high * 256 + low in *value;
// 0 when either address is negative or either read failed (*value then unchanged).
int ReadEepromWord(IEepromRW* eeprom, int lowAddress, int highAddress, std::uint16_t* value);
