// The port numbers every caller names ports by, as the port driver decodes them.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "portselect/PortNumbers.h"

namespace portselect {
namespace {

TEST(PortNumbers, EachNumberNamesItsPort) {
    struct Case {
        std::uint32_t argument;
        PortKind kind;
        int index;
        const char* name;
    };
    const Case cases[] = {
        {0x02FF, PortKind::None, 0, ""},
        {0x0300, PortKind::Com, 1, "COM1"},
        {0x03FF, PortKind::Com, 256, "COM256"},
        {0x0400, PortKind::None, 0, ""},
        {0x0401, PortKind::Usb, 1, "USB1"},
        {0x040A, PortKind::Usb, 10, "USB10"},
        {0x047F, PortKind::Usb, 127, "USB127"},
        {0x0480, PortKind::Parallel, 1, "LPT1"},
        {0x0482, PortKind::Parallel, 3, "LPT3"},
        {0x0483, PortKind::None, 0, ""},
        {0x0000, PortKind::None, 0, ""},
        {0x7FFF, PortKind::None, 0, ""},
        {0x8000, PortKind::None, 0, ""},
        {0xFFFF, PortKind::None, 0, ""},
        // Only the low 16 bits of the argument slot count.
        {0xFFFF0480, PortKind::Parallel, 1, "LPT1"},
        {0x00010401, PortKind::Usb, 1, "USB1"},
        {0x00000300 | 0x80000000, PortKind::Com, 1, "COM1"},
    };
    for (const Case& c : cases) {
        const DecodedPort port = DecodePort(c.argument);
        EXPECT_EQ(port.kind, c.kind) << std::hex << c.argument;
        EXPECT_EQ(port.index, c.index) << std::hex << c.argument;
        EXPECT_EQ(PortName(c.argument), c.name) << std::hex << c.argument;
    }
    EXPECT_EQ(UsbPort(1), 0x0401);
    EXPECT_EQ(ParallelPort(2), 0x0481);
    EXPECT_EQ(ComPort(256), 0x03FF);
}

TEST(PortNumbers, EveryNumberDecodesToTheOneThatEncodesIt) {
    int named = 0;
    for (std::uint32_t argument = 0; argument <= 0xFFFF; ++argument) {
        const DecodedPort port = DecodePort(argument);
        if (port.kind == PortKind::None) {
            EXPECT_EQ(PortName(argument), "") << argument;
            continue;
        }
        ++named;
        const PortRange& range = port.kind == PortKind::Com   ? kComPorts
                                 : port.kind == PortKind::Usb ? kUsbPorts
                                                              : kParallelPorts;
        EXPECT_EQ(static_cast<std::uint16_t>(PortNumber(range, port.index)), argument);
        EXPECT_EQ(PortNumberOfName(range, PortName(argument)), static_cast<int>(argument));
    }
    EXPECT_EQ(named, 256 + 127 + 3);
}

TEST(PortNumbers, DiscoveryWalksEveryUsbPrinterThenTheParallelPorts) {
    EXPECT_EQ(kFirstDiscoveredPort, 1025);
    EXPECT_EQ(kLastDiscoveredPort, 1154);
    EXPECT_FALSE(IsDiscoveredPort(1024));
    EXPECT_FALSE(IsDiscoveredPort(1155));
    EXPECT_FALSE(IsDiscoveredPort(ComPort(1)));
    for (int number = kFirstDiscoveredPort; number <= kLastDiscoveredPort; ++number) {
        const PortKind kind = DecodePort(static_cast<std::uint32_t>(number)).kind;
        EXPECT_EQ(kind, number <= UsbPort(127) ? PortKind::Usb : PortKind::Parallel) << number;
    }
}

TEST(PortNumbers, NamesAreReadExactly) {
    EXPECT_EQ(PortNumberOfName(kUsbPorts, "USB1"), 0x0401);
    EXPECT_EQ(PortNumberOfName(kUsbPorts, "USB01"), 0x0401);
    EXPECT_EQ(PortNumberOfName(kUsbPorts, "USB127"), 0x047F);
    EXPECT_EQ(PortNumberOfName(kParallelPorts, "LPT3"), 0x0482);
    EXPECT_EQ(PortNumberOfName(kComPorts, "COM256"), 0x03FF);
    for (const char* name :
         {"USB0", "USB128", "usb1", "USB", "USB0001", "USB1x", "USB-1", " USB1", "LPT1", ""}) {
        EXPECT_EQ(PortNumberOfName(kUsbPorts, name), -1) << name;
    }
    EXPECT_EQ(PortNumberOfName(kParallelPorts, "LPT4"), -1);
    EXPECT_EQ(PortNumberOfName(kComPorts, "COM257"), -1);
}

TEST(PortNumbers, ANumberTravelsSignExtended) {
    EXPECT_EQ(PortArgument(0x0401), 0x0401u);
    EXPECT_EQ(PortArgument(-1), 0xFFFFFFFFu);
    EXPECT_EQ(DecodePort(PortArgument(UsbPort(5))).index, 5);
}

}  // namespace
}  // namespace portselect
