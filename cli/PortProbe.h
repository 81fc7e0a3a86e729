// `tolvane ports`: every port number the top dialog probes, opened through the driver selector; the
// ports that answer are listed with their model names.
#pragma once

#include <ostream>

namespace tolvane_cli {

// USB printers 1 to 127 are 0x0401 to 0x047F, LPT1 to LPT3 0x0480 to 0x0482.
inline constexpr int kFirstProbedPort = 1025;
inline constexpr int kLastProbedPort = 1154;

// Loads Plexer.dll (which loads the port driver), probes and writes one line per answering port.
// Returns 0, or 1 when the selector cannot be loaded (the reason goes to the error stream).
int WritePorts(std::ostream& out, std::ostream& errors);

}  // namespace tolvane_cli
