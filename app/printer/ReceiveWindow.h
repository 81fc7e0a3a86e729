// What one receive from the printer may fill: the driver selector's receive of whatever arrives, the
// channel library's data and status replies (which take no length) and the EEPROM read reply all
// write up to this many bytes, whatever the caller asked for.
#pragma once

#include <cstdint>

namespace printer {

inline constexpr std::uint32_t kReceiveWindow = 1024;

}  // namespace printer
