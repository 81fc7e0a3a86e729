// Port numbers: every port a caller opens through the driver selector is named by one signed 16-bit
// number, which the selector passes unchanged to the port driver, where it is decoded:
//
//   COM n           0x02FF + n   0x0300 (COM1) .. 0x03FF (COM256)
//   USB printer k   0x0400 + k   0x0401 (USB1) .. 0x047F (USB127)
//   LPT n           0x047F + n   0x0480 (LPT1) .. 0x0482 (LPT3)
//
// Every other number names no port. Printer discovery walks 0x0401 .. 0x0482 (1025 .. 1154): every USB
// printer, then the three parallel ports.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace portselect {

enum class PortKind : std::uint8_t { None, Com, Usb, Parallel };

// The numbers of one kind of port: index i (from 1 to count) is base + i.
struct PortRange {
    PortKind kind;
    std::int16_t base;
    int count;
    const char* prefix;  // the port's name is the prefix and the index: "USB12"
};

inline constexpr PortRange kComPorts{PortKind::Com, 0x02FF, 256, "COM"};
inline constexpr PortRange kUsbPorts{PortKind::Usb, 0x0400, 127, "USB"};
inline constexpr PortRange kParallelPorts{PortKind::Parallel, 0x047F, 3, "LPT"};

// The number of the range's port `index`; the index is not checked.
constexpr std::int16_t PortNumber(const PortRange& range, int index) {
    return static_cast<std::int16_t>(range.base + index);
}
constexpr std::int16_t ComPort(int n) {
    return PortNumber(kComPorts, n);
}
constexpr std::int16_t UsbPort(int k) {
    return PortNumber(kUsbPorts, k);
}
constexpr std::int16_t ParallelPort(int n) {
    return PortNumber(kParallelPorts, n);
}

// Discovery: USB1 .. USB127, then LPT1 .. LPT3, one number after the other.
inline constexpr std::int16_t kFirstDiscoveredPort = UsbPort(1);
inline constexpr std::int16_t kLastDiscoveredPort = ParallelPort(kParallelPorts.count);
static_assert(UsbPort(kUsbPorts.count) + 1 == ParallelPort(1), "discovery walks one run of numbers");

constexpr bool IsDiscoveredPort(int number) {
    return number >= kFirstDiscoveredPort && number <= kLastDiscoveredPort;
}

// A number takes a 32-bit argument slot: sign-extended, as the signed 16-bit value it is.
constexpr std::uint32_t PortArgument(std::int16_t number) {
    return static_cast<std::uint32_t>(static_cast<std::int32_t>(number));
}

struct DecodedPort {
    PortKind kind = PortKind::None;
    int index = 0;  // COM n, USB printer k, LPT n; from 1
};

// What a port number names. Only the signed low 16 bits of an argument slot count.
constexpr DecodedPort DecodePort(std::uint32_t argument) {
    const auto number = static_cast<std::int16_t>(argument & 0xFFFF);
    for (const PortRange* range : {&kComPorts, &kUsbPorts, &kParallelPorts}) {
        if (number > range->base && number <= range->base + range->count) {
            return {range->kind, number - range->base};
        }
    }
    return {};
}

// "COM1", "USB127", "LPT3"; empty for a number that names no port.
inline std::string PortName(std::uint32_t argument) {
    const DecodedPort port = DecodePort(argument);
    for (const PortRange* range : {&kComPorts, &kUsbPorts, &kParallelPorts}) {
        if (range->kind == port.kind) {
            return range->prefix + std::to_string(port.index);
        }
    }
    return {};
}

// The number of a port name of the range: its prefix (in capitals) and one to three digits with a
// value from 1 to the range's count ("USB01" is USB1); -1 for any other name.
constexpr int PortNumberOfName(const PortRange& range, std::string_view name) {
    const std::string_view prefix = range.prefix;
    if (name.size() <= prefix.size() || name.size() > prefix.size() + 3 ||
        name.substr(0, prefix.size()) != prefix) {
        return -1;
    }
    int index = 0;
    for (const char digit : name.substr(prefix.size())) {
        if (digit < '0' || digit > '9') {
            return -1;
        }
        index = index * 10 + (digit - '0');
    }
    return index >= 1 && index <= range.count ? PortNumber(range, index) : -1;
}

}  // namespace portselect
