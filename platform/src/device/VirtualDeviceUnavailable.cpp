// Stands in for the `virtual` back-end until the virtual printer's transport is built into the platform.
#include <string>

#include "DeviceBackendRegistry.h"
#include "platform/DebugOutput.h"

namespace platform::detail {

DeviceBackend* VirtualDeviceBackend(const std::string& hostAndPort) {
    DebugOutput(("Device back-end: virtual printer back-end not built; " +
                 std::string(kVirtualPrinterVariable) + "=" + hostAndPort + " ignored\n")
                    .c_str());
    return nullptr;
}

}  // namespace platform::detail
