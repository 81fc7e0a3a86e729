#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "platform/StandardStreams.h"

namespace platform {

void SetStdoutBinary() {
    std::fflush(stdout);
    _setmode(_fileno(stdout), _O_BINARY);
}

}  // namespace platform
