// The registry and version-resource steps of the win32 device back-end: what the device-driver
// library's port discovery reads below the local-machine root, and the version of a driver file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Device.h"

namespace platform::detail {

// A value of key (opened for reading) as its bytes, its size asked first; a text without its NUL.
DeviceError ReadRegistryValue(const std::string& key, const std::string& name,
                              std::vector<std::uint8_t>* value);
// The name of key's subkey at index (a 1000-character name buffer); NotFound past the last one.
DeviceError EnumRegistrySubkey(const std::string& key, std::uint32_t index, std::string* name);
// A REG_BINARY value written into key, opened with full access.
DeviceError WriteRegistryBinary(const std::string& key, const std::string& name,
                                const std::vector<std::uint8_t>& value);
// The "FileVersion" text of the first translation of a file found on the search path.
DeviceError QueryFileVersion(const std::string& fileName, std::string* version);

}  // namespace platform::detail
