// The requests of the maker's ECP driver (the device "\\.\VKXECP"), which drives a parallel printer
// in ECP mode for the device-driver library. The library sends them as DeviceControl requests on the
// driver's device; the virtual back-ends answer them (platform/VirtualEcpDriver.h). Both ends build
// and read the blocks through this header only.
//
// Every word is little-endian and 32 bits wide, except the address words, which are as wide as a
// pointer of the calling process: the driver works in the caller's address space and reads and writes
// the caller's bytes and variables there.
//
//   request   input                                                 output
//   0x182010  port number (4), mode (4; 5 = ECP)                    port handle (4, signed; negative:
//                                                                   no port)
//   0x182011  port handle (4)                                       none
//   0x18200B  port handle (4), address of a variable, 0 (4)         none  (first time-out step)
//   0x182015  port handle (4), address of a variable, 1 (4)         none  (second step; the variable
//                                                                   holds the time-out, 100)
//   0x182014  port handle (4)                                       port state (4, signed)
//   0x18200F  transfer block (write)                                the transfer block, count and
//   0x18200E  transfer block (read)                                 status filled in by the driver
//
// Transfer block, in order: port handle (4), buffer address, length (4), 255 (4), 0 (4), count (4),
// status (4), 1 (4). The count is the bytes moved; the status is 128 done, 129 not finished, 130
// failed for a write, and 0 done, 1 not finished, 2 failed for a read. A request the driver refuses
// (an unknown port handle, a short block) fails as a whole and the block comes back untouched.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform::ecp {

// The driver's device, as a path of the device seam.
inline constexpr char kDevicePath[] = "\\\\.\\VKXECP";

namespace request {
inline constexpr std::uint32_t kOpenPort = 0x182010;
inline constexpr std::uint32_t kClosePort = 0x182011;
inline constexpr std::uint32_t kTimeoutFirstStep = 0x18200B;
inline constexpr std::uint32_t kTimeoutSecondStep = 0x182015;
inline constexpr std::uint32_t kPortState = 0x182014;
inline constexpr std::uint32_t kRead = 0x18200E;
inline constexpr std::uint32_t kWrite = 0x18200F;
}  // namespace request

inline constexpr std::uint32_t kModeEcp = 5;

namespace status {
inline constexpr std::uint32_t kWriteDone = 128;
inline constexpr std::uint32_t kWritePending = 129;
inline constexpr std::uint32_t kWriteFailed = 130;
inline constexpr std::uint32_t kReadDone = 0;
inline constexpr std::uint32_t kReadPending = 1;
inline constexpr std::uint32_t kReadFailed = 2;
}  // namespace status

// Port states of request 0x182014. The two negative ones mean a transfer that has not finished will
// not finish: the printer dropped off the line, or it stopped taking bytes.
namespace state {
inline constexpr std::int32_t kReady = 0;
inline constexpr std::int32_t kNoPrinter = -11;
inline constexpr std::int32_t kNotReady = -13;
}  // namespace state

struct TransferBlock {
    std::int32_t port = -1;
    std::uintptr_t buffer = 0;
    std::uint32_t length = 0;
    std::uint32_t count = 0;
    std::uint32_t status = 0;
};

inline constexpr std::size_t kTransferBlockSize = 7 * 4 + sizeof(std::uintptr_t);

std::vector<std::uint8_t> EncodeTransfer(const TransferBlock& block);
// Null unless `size` is exactly a transfer block whose fixed words (255, 0, 1) are in place.
std::optional<TransferBlock> DecodeTransfer(const std::uint8_t* bytes, std::size_t size);

// The input of the two time-out steps.
std::vector<std::uint8_t> EncodeTimeoutStep(std::int32_t port, std::uintptr_t variable, std::uint32_t flag);
inline constexpr std::size_t kTimeoutStepSize = 2 * 4 + sizeof(std::uintptr_t);

// The input of open: number, mode.
std::vector<std::uint8_t> EncodeOpenPort(std::uint32_t number, std::uint32_t mode);
// The input of close and of the port state: the port handle alone.
std::vector<std::uint8_t> EncodePortHandle(std::int32_t port);

// The 32-bit word at `at`, when the bytes reach that far.
std::optional<std::uint32_t> WordAt(const std::vector<std::uint8_t>& bytes, std::size_t at);

// True when a path names the driver's device (letters in any case).
bool IsDevicePath(const std::string& path);

}  // namespace platform::ecp
