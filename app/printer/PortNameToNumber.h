// The port number of the port driver for a port name of the top dialog ("LPT1" .. "LPT3",
// "USB1" .. "USB10").
#pragma once

#include <cstdint>
#include <string_view>

namespace printer {

// Port numbers that name no port: a name of neither kind, an LPT name past LPT3, a USB name whose
// number is not 1 to 10. Opening them fails in the port driver, which callers report as an
// interface error.
inline constexpr std::int16_t kPortNoneOfTheKinds = 0x0503;
inline constexpr std::int16_t kPortUnknownParallel = 0x0504;
inline constexpr std::int16_t kPortUnknownUsb = 0x0505;

}  // namespace printer

// "LPT1" .. "LPT3" give 0x0480 .. 0x0482, "USB1" .. "USB9" give 0x0401 .. 0x0409 and "USB10" gives
// 0x040A. Apart from USB10, nothing after the fourth character is looked at.
std::int16_t PortNameToNumber(std::string_view portName);
