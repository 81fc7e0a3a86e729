// Standard streams of the command-line tools.
#pragma once

namespace platform {

// Switches standard output to binary, so that raw printer bytes reach it unchanged: Windows would
// otherwise turn every line feed into CR LF. Nothing to do on Linux.
void SetStdoutBinary();

}  // namespace platform
