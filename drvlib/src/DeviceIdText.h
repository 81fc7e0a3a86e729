// The IEEE 1284 device ID as the library reads it: pure, bytes in, values out. The printer's bytes are
// untrusted: the text ends at its first NUL or at the end of what was received, whichever comes first.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace drvlib {

// The text of a device-ID reply buffer: up to the first NUL within `received` bytes.
std::string DeviceIdFromBuffer(const std::uint8_t* buffer, std::size_t received);
// The value of a key ("MFG:") up to the next ";" (or the end of the text); empty when the key is absent.
std::string DeviceIdValue(std::string_view deviceId, std::string_view key);
// "MFG value" + " " + "MDL value"; an absent key gives an empty value.
std::string ModelText(std::string_view deviceId);

}  // namespace drvlib
