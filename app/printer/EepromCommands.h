// The request bytes of the EEPROM access over the plain stream and the data channel, built in one
// place from the printer's command codes.
#pragma once

#include <array>
#include <cstdint>

namespace printer::eeprom {

// ESC @, then ESC | with the read operation and the address: the printer answers "EE:aaaa VALUE:vv;"
// style text whose characters at offsets 14 and 15 are the value in hexadecimal.
std::array<std::uint8_t, 13> ReadRequest(std::uint8_t code1, std::uint8_t code2, std::uint8_t address);

// Two CANs (dropping whatever half line the printer holds), ESC @, then ESC | with the first write
// command set, the address and the value. Not answered.
std::array<std::uint8_t, 16> WriteRequest(std::uint8_t code1, std::uint8_t code2, std::uint8_t address,
                                          std::uint8_t value);

// Before the dump's text: two ESC S commands, reset, kanji mode off, the line cleared and draft
// quality, so the table prints in the printer's plain draft characters.
std::array<std::uint8_t, 14> DumpPreamble();

// The mode flag 0 of the model: the printer leaves its factory mode and prints the text that follows.
std::array<std::uint8_t, 11> DumpModePreamble(std::uint8_t code1, std::uint8_t code2);

}  // namespace printer::eeprom
