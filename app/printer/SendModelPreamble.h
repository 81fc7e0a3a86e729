// The model preamble: a model may need to be told which model it is before every status query and
// every EEPROM channel. Which one does is a row of the model profile (strPreambleDeviceID).
#pragma once

#include <cstdint>

// When the selected customer's printer needs it (CTolvPrnParam::NeedsModelPreamble): opens the port,
// sends FS ( E 01 00 01 raw and closes the port. Otherwise, or when the port does not open, nothing is
// sent.
void SendModelPreamble(std::int16_t port);
