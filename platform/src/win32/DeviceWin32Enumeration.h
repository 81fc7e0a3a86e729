// The SetupDi and registry steps of the win32 device back-end.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/Device.h"

namespace platform::detail {

// Parses "{28D78FAD-5A12-11D1-AE5B-0000F803A8C2}"; false when the text is no GUID.
bool ParseGuid(const std::string& text, GUID* guid);

// Present interfaces of a device-interface class with their "Port Number" (interface key) and
// "PortName" (device key). NotFound when the class set cannot be had.
DeviceError EnumerateInterfaces(const GUID& interfaceClass, std::vector<DeviceInterfaceEntry>* entries);

// The USB printer class procedure: the first present interface whose path names the maker's vendor id
// and whose "Port Number" is k, opened shared. INVALID_HANDLE_VALUE when none.
HANDLE OpenUsbPrinterClassPort(std::uint32_t k);

// The maker's class driver: the interface whose device key's "PortName" is "KXUSBk:", else the
// device \\.\KXUSBk: itself. INVALID_HANDLE_VALUE when neither opens.
HANDLE OpenMakerClassPort(std::uint32_t k);

// Opens a device path for reading and writing, shared for both, existing device only.
HANDLE OpenShared(const std::string& path);

}  // namespace platform::detail
