// The maker's ECP driver, for parallel printers whose device ID says "SPC": the library opens the
// driver's device once, keeps the ports it has open through it, closes the device when the last one
// closes, and moves the transport's bytes with the driver's requests (the I/O hooks given to the
// transport library). The requests and their blocks: platform/EcpDriverRequests.h.
#pragma once

#include <cstdint>

#include "cbt/Kcbt.h"

namespace drvlib {

// Opens ECP port `number` in `mode` through the driver: the driver's port handle, negative when the
// driver is missing or gives no port. The hooks serve the port from then on. A port of the same
// number that the library still holds open through the driver (an object opened again without
// Close) is closed first: the driver holds a port for one caller at a time.
std::int32_t EcpOpenPort(std::int32_t number, std::int32_t mode);
// Closes a port opened by EcpOpenPort; a handle the library does not hold is left alone. The
// driver's device closes when no port is left open.
void EcpClosePort(std::int32_t portHandle);
// The driver's two time-out set-up steps for a port.
void EcpSetTimeouts(std::int32_t portHandle);

// The hook table for KCBT_Open, serving `portHandle`. Each hook returns non-zero when its transfer
// went through (or is still under way) and writes the bytes moved, never more than asked, through
// its count argument; 0 when it failed.
const cbt::IoHookTable& EcpHookTable(std::int32_t portHandle);

// The last-error value the hooks left when they gave a transfer up or found it unfinished: 1121
// (counter time-out), 21 (device not ready), 1117 (I/O device error); 0 before any.
std::uint32_t EcpLastError();

}  // namespace drvlib
