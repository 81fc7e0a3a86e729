// The driver selector's plain port functions as the print streams and the status reader's time-out
// setting call them: bound on first use, as a delayed import is, to the same loaded Plexer.dll the
// port binder uses, so a port opened through one binding is closed through the other. A function the
// library lacks answers 0xB000 (and the close does nothing).
#pragma once

#include <cstdint>

#include "printer/PortStatus.h"

namespace printer::plainport {

Status Open(std::int16_t port);
void Close();
// name: at least kModelNameSize bytes.
Status ModelName(char* name);
// length: in, the buffer's size; out, the bytes received.
Status Receive(std::uint8_t* buffer, std::uint32_t* length);
Status SetReceiveType(std::uint32_t type);
Status Send(const std::uint8_t* data, std::uint32_t count);
Status IoErrorCode(std::int16_t* code);
Status SetTimeOuts(std::uint32_t readInterval, std::uint32_t readMultiplier, std::uint32_t readConstant,
                   std::uint32_t writeMultiplier, std::uint32_t writeConstant);

inline constexpr std::uint32_t kModelNameSize = 4096;
// SetReceiveType: take whatever arrives.
inline constexpr std::uint32_t kReceiveAnything = 3;

}  // namespace printer::plainport
