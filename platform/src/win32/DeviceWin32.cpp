// The platform's own device back-end.
#include "../device/DeviceBackendRegistry.h"

namespace platform::detail {

DeviceBackend& PlatformDeviceBackend() {
    return NullDeviceBackend();
}

}  // namespace platform::detail
