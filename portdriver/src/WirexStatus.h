// Status words and I/O error codes of the port driver. Callers compare the low 16 bits only.
#pragma once

#include <cstdint>

namespace wirex {

namespace status {
inline constexpr std::uint32_t kSuccess = 0x0001;
inline constexpr std::uint32_t kFailure = 0x1000;        // the reason is in the I/O error code
inline constexpr std::uint32_t kInvalidPort = 0x1100;    // a port number outside the table
inline constexpr std::uint32_t kSendCancelled = 0xD000;  // nothing was written
}  // namespace status

namespace io {
inline constexpr std::int16_t kNoError = 1;
inline constexpr std::int16_t kNoPort = -105;          // 0xFF97: closed, absent, alias or time-outs failed
inline constexpr std::int16_t kLineSettings = -120;    // 0xFF88: COM line settings not read or written
inline constexpr std::int16_t kWriteFailed = -81;      // 0xFFAF: failed or short write
inline constexpr std::int16_t kReadFailed = -82;       // 0xFFAE: failed read or COM line error
inline constexpr std::int16_t kTimeout = -104;         // 0xFF98: nothing came, or not the count expected
inline constexpr std::int16_t kTooLong = -111;         // 0xFF91: reply fills the 1024-byte window
inline constexpr std::int16_t kBadReceiveType = -112;  // 0xFF90: receive type not 1, 2 or 3
inline constexpr std::int16_t kPacketOnCom = -119;     // 0xFF89: receive type 1 on a COM port
inline constexpr std::int16_t kNoDeviceId = -110;      // 0xFF92: no device ID or reset on this port
}  // namespace io

// Port kinds, recorded by PortOpen before the device is opened and kept after PortClose.
namespace kind {
inline constexpr std::uint16_t kNone = 0;
inline constexpr std::uint16_t kParallel = 0x0504;
inline constexpr std::uint16_t kUsb = 0x0505;
inline constexpr std::uint16_t kCom = 0x0506;
}  // namespace kind

// Receive types.
inline constexpr std::uint32_t kReceivePacket = 1;
inline constexpr std::uint32_t kReceiveExact = 2;
inline constexpr std::uint32_t kReceiveWhatArrives = 3;

// Every reply window of the port layer: callers pass receive buffers of this size, device IDs are read
// into a buffer of this size plus a terminating NUL.
inline constexpr std::uint32_t kWindow = 1024;

// A stored setting of this value keeps the port's own.
inline constexpr std::uint32_t kKeep32 = 0xFFFFFFFF;
inline constexpr std::uint8_t kKeep8 = 0xFF;

}  // namespace wirex
