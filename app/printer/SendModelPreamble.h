// The model preamble: one model of the family must be told which model it is before every status
// query and every EEPROM channel, or it answers in another model's form.
#pragma once

#include <cstdint>

// When the selected customer's printer (the device ID text of the selected entry of the model
// profile's list) is exactly "ORLEX VK-418RT": opens the port, sends FS ( E 01 00 01 raw and closes
// the port. Otherwise, or when the port does not open, nothing is sent.
void SendModelPreamble(std::int16_t port);
