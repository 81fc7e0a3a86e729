// Every text the printer answers with, in one place. Each format is chosen so that every decoder of
// the program and its libraries reads the same value from it; vprinter/README.md lists them with the
// decoders they satisfy. Pure.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Clock.h"

namespace vprinter {

struct StatusFields {
    int status = 4;
    int errorCode = 0;
    int paperPath = 1;
    std::vector<int> warnings;  // codes 10 to 16
};

// "@BDC ST\r\nST:04;ER:00;TP:01;WR:;IQ:00000000;MI:00;TC:0;". ST, ER and TP are one byte each as
// two upper-case hexadecimal digits (error 10 is "ER:0A"), as the status reader takes them; the
// device-driver library reads them as decimal, which agrees for the codes below 10. WR lists the
// warning codes as decimal pairs.
std::string StatusText(const StatusFields& fields);

// The binary form: "@BDC ST2\r\n", the block's length (16-bit little-endian, counting everything),
// then fields of type, length and data: 1 ST, 2 ER, 3 TP, 4 WR (one byte per warning).
std::vector<std::uint8_t> StatusBinary(const StatusFields& fields);

// "EE:00A2 VALUE:5A;": the value is the two characters at offsets 14 and 15 and the two characters
// in front of the first ';' after "EE".
std::string EepromText(int address, std::uint8_t value);

std::string SensorsText(std::uint8_t sensors);                 // "SS:0C;"
std::string RomVersionText(const std::string& version);        // "VR:1.00;"
std::string FlashText(std::uint8_t value);                     // "BZ:00;"
std::string CsicText(std::uint8_t a, std::uint8_t value);      // "IC:0300;": a, then the value
std::string TimerText(const platform::LocalTime& now);         // "TI20260101090000;"
std::string AcknowledgeText();                                 // "AK;"
std::string HeadTemperatureText(int celsius);                  // "HT:25;"
std::string RemoteRomVersionText(const std::string& version);  // "VI:1.00;"

// The answer to a command the printer does not have, or whose model key is not its own.
std::string NotAvailableText();  // "NA;"

// Control-channel answers: the command's two letters, then OK, NA or BUSY: "rs:OK;".
std::string ControlWordText(const std::string& letters, const char* word);

// "MFG:ORLEX;MDL:VK-572D;CMD:VXPRINT24,D4;CLS:PRINTER;DES:ORLEX VK-572D;"
std::string DeviceIdText(const std::string& model);

}  // namespace vprinter
