// The printer's six sensors as the service command engine checks and reports them. The sensor byte
// comes from the production command "sensors"; each bit is one sensor, set for the state named first:
// 0 carriage home (Inside / Outside), 1 front, 2 rear and 3 top paper end (Paper on / Paper out),
// 4 release lever (Friction / Tractor), 5 platen gap (Copy mode / Normal mode).
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace patterns {

inline constexpr int kSensorCount = 6;

// Per sensor in bit order: 1 the bit must be set, 0 it must be clear, -1 not checked.
using SensorExpectation = std::array<int, kSensorCount>;

// The text of a failed sensor check: the heading with the byte and one line for each checked sensor
// that differs, naming its actual state. True (and the heading alone) when every checked sensor is as
// expected.
bool SensorCheckText(std::uint8_t sensors, const SensorExpectation& expected, std::string& text);

// The text of a sensor check whose read got no reply.
inline constexpr const char* kSensorReplyError = "\r\n\n Reply Error";

// The sensor status report: the byte, then every sensor's state in bit order.
std::string SensorStatusReportText(std::uint8_t sensors);

}  // namespace patterns
