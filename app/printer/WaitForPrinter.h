// Waiting until the printer reports itself ready without a window: the silent poll loop. It makes its
// own status object for the target and gives it back before it returns. (The waiting dialog sits
// above this layer, with the pages.)
#pragma once

#include "printer/Target.h"

namespace printer {

// Polls every 100 ms, timeoutMs / 100 times: 1 as soon as a status query succeeded, 0 when none did
// (at once for a time-out under 100 ms). The whole wait is one exchange of the port session; 0 at
// once when the session refuses it.
int WaitPrinterReady(const Target& target, int timeoutMs);

}  // namespace printer
