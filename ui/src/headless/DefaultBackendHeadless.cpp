#include "../common/DefaultBackend.h"
#include "ui/Headless.h"

namespace ui::detail {

IBackend& DefaultBackend() {
    static HeadlessBackend backend;
    return backend;
}

}  // namespace ui::detail
