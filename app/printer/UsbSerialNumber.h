// The printer's USB serial number: up to 18 letters and digits, one character per EEPROM byte from
// the model's first serial address upwards, the bytes after the last character 0. A model without a
// serial number has no first address (-1); nothing of it may then be written, since the bytes would
// land on the counters at the bottom of the EEPROM.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "printer/IEepromRW.h"

namespace printer {

inline constexpr int kUsbSerialLength = 18;

enum class UsbSerialCheck {
    Accepted,
    LengthWrong,  // empty (where an empty serial is not allowed) or longer than 18 characters
    LetterWrong,  // a character that is not an ASCII letter or digit
};

// The technician's text against the serial's rules. An empty text passes only when allowEmpty is set
// (the initial setting writes 18 zeros for it).
UsbSerialCheck CheckUsbSerial(std::string_view text, bool allowEmpty);
// "Serial No Length Wrong", "Serial No Letter Wrong"; empty for an accepted text.
const char* UsbSerialCheckText(UsbSerialCheck check);

// Shown instead of touching the printer when its model keeps no serial number.
inline constexpr const char* kNoUsbSerialText =
    "This printer model has no USB serial number.\nNothing was read from or written to the printer.";

// True when all 18 bytes from firstAddress are in reach of a one-byte EEPROM address.
bool HasUsbSerialField(int firstAddress);

// The 18 bytes a checked text is stored as: its characters, then zeros.
std::array<std::uint8_t, kUsbSerialLength> UsbSerialBytes(std::string_view text);

using SerialStep = std::function<void()>;

// Writes the 18 bytes of a checked text from firstAddress, one step after each byte. 1 when all went;
// 0 at the first failed write (nothing after it is written), and 0 at once without a write when the
// model has no serial field or the text does not pass CheckUsbSerial.
int WriteUsbSerial(IEepromRW* eeprom, int firstAddress, std::string_view text, const SerialStep& step);

// Reads the 18 bytes from firstAddress, one step after each byte; *text holds the characters before
// the first 0 byte. 1 when all were read; 0 at the first failed read (then *text is empty) or without
// a serial field.
int ReadUsbSerial(IEepromRW* eeprom, int firstAddress, std::string* text, const SerialStep& step);

}  // namespace printer
