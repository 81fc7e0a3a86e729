// The driver selector's plain port functions as the print streams and the status reader's time-out
// setting call them, over the delayed imports: typed status words, the signed port number and a
// send that is never cancelled. A function the library lacks answers 0xB000 (and the close does
// nothing).
#pragma once

#include <cstdint>

#include "printer/PortStatus.h"
#include "printer/ReceiveWindow.h"

namespace printer::plainport {

Status Open(std::int16_t port);
void Close();
// buffer: at least kReceiveWindow bytes, whatever length asks for: with kReceiveAnything the driver
// may fill that much. length: in, the length expected; out, the bytes received.
Status Receive(std::uint8_t* buffer, std::uint32_t* length);
Status SetReceiveType(std::uint32_t type);
Status Send(const std::uint8_t* data, std::uint32_t count);
Status IoErrorCode(std::int16_t* code);
Status SetTimeOuts(std::uint32_t readInterval, std::uint32_t readMultiplier, std::uint32_t readConstant,
                   std::uint32_t writeMultiplier, std::uint32_t writeConstant);

// SetReceiveType: take whatever arrives.
inline constexpr std::uint32_t kReceiveAnything = 3;

}  // namespace printer::plainport
