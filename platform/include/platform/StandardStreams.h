// Standard streams of the command-line tools.
#pragma once

#include <string>

namespace platform {

// Switches standard output to binary, so that raw printer bytes reach it unchanged: Windows would
// otherwise turn every line feed into CR LF. Nothing to do on Linux.
void SetStdoutBinary();

// True when standard error is a terminal (a console on Windows), where a progress bar may be drawn;
// false for a pipe, a file or no stream at all.
bool StderrIsTerminal();

// The folder for the current user's own data, without a trailing separator: $XDG_DATA_HOME, else
// $HOME/.local/share on Linux; %LOCALAPPDATA% on Windows. Empty when the environment names none.
std::string UserDataFolder();

}  // namespace platform
