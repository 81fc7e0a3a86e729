// The model preamble: a model may need to be told which model it is before every status query and
// every EEPROM channel. Which one does is a row of the model profile (strPreambleDeviceID); whoever
// builds the target reads it there.
#pragma once

#include "printer/Target.h"

// When the target's model needs it: opens the port, sends FS ( E 01 00 01 raw and closes the port,
// inside an exchange of the port session. Otherwise, when the port does not open or the session is
// held by another thread, nothing is sent.
void SendModelPreamble(const printer::Target& target);
