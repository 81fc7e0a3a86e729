// What a failed reading tells a script: a port on which no printer answers at all (nothing there,
// or the printer refuses the port) is exit 3; a printer that opened the port but failed the reading
// is exit 1. The reading itself cannot tell the two apart, so the port is tried once more after it.
#pragma once

#include <string>

namespace tolvane_cli {

class ServiceSession;

// Says `failure` on the error stream, tries the session's port, and returns kExitNoPrinter (saying so)
// when it does not open, else kExitFailed.
int ReadingFailed(ServiceSession& session, const std::string& failure);

}  // namespace tolvane_cli
