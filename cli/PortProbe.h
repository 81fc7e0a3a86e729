// `tolvane ports`: every port number the top dialog probes, opened through the driver selector; the
// ports that answer are listed with their model names.
#pragma once

#include <ostream>

namespace tolvane_cli {

// Loads Plexer.dll (which loads the port driver), probes and writes one line per answering port.
// Returns 0, or 1 when the selector cannot be loaded (the reason goes to the error stream).
int WritePorts(std::ostream& out, std::ostream& errors);

}  // namespace tolvane_cli
