// `tolvane send PORT FILE`: the file's bytes, as they are, to a printer port (LPT1-LPT3, USB1-USB127)
// through the driver selector, as the program sends raw print data.
#pragma once

#include <ostream>
#include <string>

namespace tolvane_cli {

// The port number of a port name, or -1 when the name is none of LPT1-LPT3, USB1-USB127.
int PortNumberOfName(const std::string& name);

// Returns 0 when every byte went out, 1 when the port or the driver selector failed (the reason goes to
// the error stream), 2 for a port name or file that cannot be used.
int SendFile(const std::string& portName, const std::string& path, std::ostream& out, std::ostream& errors);

}  // namespace tolvane_cli
