// The two loops behind every raw EEPROM action: read addresses into an image, write an image back.
// They walk the addresses in order, one byte exchange each, and tell an observer about every row and
// cell as they go, so a page can grow its dump on screen and the command line can print it.
#pragma once

#include <cstdint>

#include "printer/EepromImage.h"
#include "printer/IEepromRW.h"

namespace printer {

class IEepromDumpObserver {
public:
    virtual ~IEepromDumpObserver() = default;
    // A row of 16 addresses starts (row = address / 16).
    virtual void OnRow(int /*row*/) {}
    // The read loop settled an address: its byte, or kNotRead when the mask left it out.
    virtual void OnCell(int /*address*/, std::int32_t /*entry*/) {}
    // The write loop sent an address; written is false when the printer did not take it.
    virtual void OnWritten(int /*address*/, bool /*written*/) {}
};

// Reads every address of the EEPROM object (0 to its last address) into image, which starts all
// kNotRead; with a mask, addresses whose mask entry is not a byte stay kNotRead unread. Stops with
// 0 at the first failed read (the object has told the technician) or when *cancel is set before an
// address; 1 when every address was settled.
int ReadEepromDump(IEepromRW* eeprom, EepromImage* image, const EepromImage* mask, const bool* cancel,
                   IEepromDumpObserver* observer);

// Writes every byte entry of image to its address, skipping kNotRead entries and, with a mask,
// addresses whose mask entry is not a byte. Stops with 0 at the first failed write or when *cancel
// is set before an address; 1 when all were written.
int WriteEepromDump(IEepromRW* eeprom, const EepromImage& image, const EepromImage* mask, const bool* cancel,
                    IEepromDumpObserver* observer);

}  // namespace printer
