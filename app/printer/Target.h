// The printer an action talks to and what of its model the action needs, built by whoever knows the
// selection (the pages from the settings and the model profile, the command line from its options).
// The access objects read nothing else.
#pragma once

#include <cstdint>
#include <string>

#include "printer/PortNameToNumber.h"

namespace printer {

struct Target {
    // The port as the technician chose it: "LPT1" to "LPT3", "USB1" to "USB10".
    std::string portName;
    // The model's two command-code bytes (pnRNumber), carried by every EEPROM command.
    std::uint8_t code1 = 0;
    std::uint8_t code2 = 0;
    // The model's last EEPROM address (nADRSMax): the one-byte access reaches no further.
    std::uint32_t lastAddress = 0xFF;
    // The model must be told which model it is (FS ( E) before every status query and EEPROM channel.
    bool modelPreamble = false;

    std::int16_t Port() const { return ::PortNameToNumber(portName); }
};

}  // namespace printer
