#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/DebugOutput.h"

namespace platform {

void DebugOutput(const char* text) {
    static const bool enabled = std::getenv("TOLVANE_DEBUG") != nullptr;
    if (!enabled || text == nullptr) {
        return;
    }
    std::fputs(text, stderr);
    std::size_t length = std::strlen(text);
    if (length == 0 || text[length - 1] != '\n') {
        std::fputc('\n', stderr);
    }
}

}  // namespace platform
