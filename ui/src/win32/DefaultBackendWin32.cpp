#include "../common/DefaultBackend.h"
#include "Win32Backend.h"

namespace ui::detail {

IBackend& DefaultBackend() {
    static win32::Win32Backend backend;
    return backend;
}

}  // namespace ui::detail
