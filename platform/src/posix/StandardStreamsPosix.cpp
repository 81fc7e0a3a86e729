#include <unistd.h>

#include <cstdlib>

#include "platform/StandardStreams.h"

namespace platform {

// Standard output carries bytes unchanged on Linux.
void SetStdoutBinary() {}

bool StderrIsTerminal() {
    return isatty(STDERR_FILENO) == 1;
}

std::string UserDataFolder() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome != nullptr && dataHome[0] == '/') {
        return dataHome;
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0') {
        return std::string(home) + "/.local/share";
    }
    return "";
}

}  // namespace platform
