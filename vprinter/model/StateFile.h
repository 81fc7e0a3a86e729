// A printer's saved state: one text file per printer in the state folder, named after its port
// ("printer-USB1.state"). The text form is pure (EncodeState, DecodeState); StateStore writes it atomically
// (a temporary file, then a rename over the old one) and reads it back, setting a damaged file aside.
//
//   tolvane-vprinter-state 1
//   port USB1
//   model VK-572D
//   rom 1.00
//   bid-error 3 -2 5
//   bytes-received 1234
//   lines-fed 56
//   eeprom 256
//   57 2D 00 ...            (16 bytes a line, hexadecimal)
//   crc32 1A2B3C4D          (of every byte before this line)
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

#include "vprinter/model/PrinterCore.h"

namespace vprinter {

std::string EncodeState(const PrinterCore& core);

// Fills the saved part of the core's state from the text. False, with the reason, and the core
// unchanged, for any damage: a wrong header, port, model or EEPROM size, a bad number, a short file,
// a checksum that does not match.
bool DecodeState(std::string_view text, PrinterCore& core, std::string* problem);

std::uint32_t Crc32(std::string_view bytes);

class StateStore {
public:
    // An empty folder keeps nothing: loads give the factory state and saves do nothing.
    explicit StateStore(std::string folder) : folder_(std::move(folder)) {}

    std::string PathOf(const std::string& portName) const;

    // Reads the printer's file. A missing file leaves the factory state. A damaged one is reported on
    // `report`, renamed to "<name>.damaged" (or .damaged-2, ...), and the factory state stays.
    void Load(PrinterCore& core, std::ostream& report) const;

    // Writes the file through a temporary one and a rename; false, reported, when the folder cannot
    // be written. The old file stays whole until the rename.
    bool Save(PrinterCore& core, std::ostream& report) const;

private:
    std::string folder_;
};

}  // namespace vprinter
