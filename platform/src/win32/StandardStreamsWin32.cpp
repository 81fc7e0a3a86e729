#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>

#include "platform/StandardStreams.h"

namespace platform {

void SetStdoutBinary() {
    std::fflush(stdout);
    _setmode(_fileno(stdout), _O_BINARY);
}

bool StderrIsTerminal() {
    return _isatty(_fileno(stderr)) != 0;
}

std::string UserDataFolder() {
    const char* local = std::getenv("LOCALAPPDATA");
    return local != nullptr ? std::string(local) : std::string();
}

}  // namespace platform
