// Serial ports for the linux device back-end: termios for the line, poll for the Win32 time-outs.
#pragma once

#include <cstdint>

#include "platform/Device.h"

namespace platform::detail {

// The count of line errors (framing, parity, overrun) the driver has seen on the port; ports that do
// not count them (pseudo-terminals) stay at 0.
struct SerialErrorCounts {
    std::uint64_t total = 0;
};

// Raw bytes: no echo, no line editing, no translation of CR and LF, no flow control characters.
void MakeSerialRaw(int fd);
SerialErrorCounts ReadSerialErrorCounts(int fd);

DeviceError ReadLineSettings(int fd, LineSettings* settings);
DeviceError WriteLineSettings(int fd, const LineSettings& settings);

// A read with the semantics of ReadFile under the given COMMTIMEOUTS.
DeviceError ReadSerial(int fd, const PortTimeouts& timeouts, std::uint8_t* buffer, std::uint32_t capacity,
                       std::uint32_t* received);

}  // namespace platform::detail
