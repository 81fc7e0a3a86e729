// Waiting until the printer reports itself ready: a silent poll loop and the waiting dialog. Each
// makes its own status object for the port and gives it back before it returns.
#pragma once

#include <string>

#include "ui/Types.h"

namespace printer {

// Polls every 100 ms, timeoutMs / 100 times: 1 as soon as a status query succeeded, 0 when none did
// (at once for a time-out under 100 ms).
int WaitPrinterReady(const std::string& portName, int timeoutMs);

// The waiting dialog, captioned "waiting", with OK enabled only while the printer reports ready and
// Cancel beside it. 1 when the technician confirmed a ready printer, else 0.
int WaitWithDialog(const std::string& portName, ui::HWindow owner);

}  // namespace printer
