// Debug texts for a developer: OutputDebugStringA on Windows; on Linux standard error, and only
// when the environment variable TOLVANE_DEBUG is set. Never blocks on a reader.
#pragma once

namespace platform {

void DebugOutput(const char* text);

}  // namespace platform
