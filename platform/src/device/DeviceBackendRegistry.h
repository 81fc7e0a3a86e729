// Where the back-ends of the device seam meet the chooser. Each world provides its function in its own
// file, so that adding a back-end replaces one file and touches no other.
#pragma once

#include <string>

#include "platform/Device.h"

namespace platform::detail {

// The platform's own back-end: win32 (src/win32/DeviceWin32.cpp) or linux (src/posix/DeviceLinux.cpp).
DeviceBackend& PlatformDeviceBackend();

// Registration point of the `virtual` back-end: called once, when TOLVANE_VPRINTER is set, with its
// value ("host:port"). Returns the back-end, or null when it cannot serve; the chooser then takes the
// null back-end, so that no port of a real printer is touched by a run meant for the virtual one.
// Provided by VirtualDeviceUnavailable.cpp until the virtual printer's back-end replaces that file.
DeviceBackend* VirtualDeviceBackend(const std::string& hostAndPort);

}  // namespace platform::detail
