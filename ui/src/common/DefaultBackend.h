// The back-end a process starts with: win32 in the Windows build, headless in the native one.
#pragma once

#include "ui/Backend.h"

namespace ui::detail {

IBackend& DefaultBackend();

}  // namespace ui::detail
