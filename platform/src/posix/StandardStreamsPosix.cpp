#include "platform/StandardStreams.h"

namespace platform {

// Standard output carries bytes unchanged on Linux.
void SetStdoutBinary() {}

}  // namespace platform
