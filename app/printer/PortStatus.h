// Status words of the port layer as the access objects see them: every call of the driver selector
// and of the channel library answers a 16-bit status in a 32-bit result, and only the low 16 bits
// count.
#pragma once

#include <cstdint>

#include "portselect/PlexerStatus.h"

namespace printer {

using Status = std::uint32_t;

// The channel library answers in the driver selector's words: success and a library or function that
// is missing are the selector's own (PlexerStatus.h).
namespace status {
inline constexpr Status kSuccess = portselect::status::kSuccess;
inline constexpr Status kFailure = 0x1000;      // the reason is in the port driver's I/O error code
inline constexpr Status kInvalidPort = 0x1100;  // a port number the driver has no port for
inline constexpr Status kLibraryMissing = portselect::status::kMissing;  // not loaded, or lacks the function
inline constexpr Status kReplyNotParsable = 0xE000;  // a status reply without its mandatory fields
}  // namespace status

// The high half of a result is whatever the callee left in its register: never compare it.
using portselect::LowWord;
using portselect::Succeeded;

}  // namespace printer
