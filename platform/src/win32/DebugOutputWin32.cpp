#include <windows.h>

#include "platform/DebugOutput.h"

namespace platform {

void DebugOutput(const char* text) {
    if (text != nullptr) {
        OutputDebugStringA(text);
    }
}

}  // namespace platform
