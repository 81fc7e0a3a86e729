// The command line, the loopback rule and the port names a device path reaches.
#include <gtest/gtest.h>

#include "platform/LoopbackSocket.h"
#include "platform/VirtualDevice.h"
#include "vprinter/server/ServerOptions.h"

namespace {

TEST(LoopbackRule, OnlyNumericLoopbackAddressesPass) {
    for (const char* host : {"127.0.0.1", "127.255.0.9", "::1"}) {
        EXPECT_TRUE(platform::IsLoopbackAddress(host)) << host;
    }
    for (const char* host : {"10.0.0.1", "0.0.0.0", "128.0.0.1", "localhost", "127.0.0", "127.0.0.1.5",
                             "127.0.0.256", "::", "", "127.0.0.1 "}) {
        EXPECT_FALSE(platform::IsLoopbackAddress(host)) << host;
    }
    std::string host;
    std::uint16_t port = 0;
    EXPECT_TRUE(platform::ParseHostAndPort("[::1]:9555", &host, &port));
    EXPECT_EQ(host, "::1");
    EXPECT_EQ(port, 9555);
    EXPECT_FALSE(platform::ParseHostAndPort("127.0.0.1:65536", &host, &port));
    EXPECT_FALSE(platform::ParseHostAndPort("127.0.0.1", &host, &port));
    EXPECT_FALSE(platform::ParseHostAndPort("::1:9555", &host, &port));
    EXPECT_FALSE(platform::MakeVirtualDeviceBackend("192.168.1.2:9555"));
}

TEST(ServerOptions, PrintersFaultsAndFolders) {
    vprinter::ServerOptions options;
    std::string error;
    ASSERT_TRUE(
        vprinter::ParseServerOptions({"--listen", "127.0.0.2:0", "--printer", "usb1=VK-572D", "--fault",
                                      "USB1:paper-out=1 latency-ms=5", "--state", "s", "--print-dir", "p"},
                                     &options, &error))
        << error;
    EXPECT_EQ(options.host, "127.0.0.2");
    ASSERT_EQ(options.printers.size(), 1u);
    EXPECT_EQ(options.printers[0].port, "USB1");
    EXPECT_EQ(options.faults[0].words, "paper-out=1 latency-ms=5");
}

TEST(ServerOptions, MistakesAreRefusedWithAReason) {
    const std::vector<std::vector<std::string>> wrong = {
        {"--listen", "10.0.0.1:9555", "--printer", "USB1=VK-572D"},
        {"--listen", "127.0.0.1", "--printer", "USB1=VK-572D"},
        {"--printer", "USB1"},
        {"--printer", "USB 1=VK-572D"},
        {"--printer", "USB1=VK-572D", "--printer", "usb1=VK-2240II"},
        {"--printer", "USB1=VK-572D", "--fault", "LPT1:paper-out=1"},
        {"--printer"},
        {"--bogus"},
        {},
    };
    for (const auto& arguments : wrong) {
        vprinter::ServerOptions options;
        std::string error;
        EXPECT_FALSE(vprinter::ParseServerOptions(arguments, &options, &error));
        EXPECT_FALSE(error.empty());
    }
}

TEST(VirtualPortName, DevicePathsOfEveryBackEndNameTheirPort) {
    using platform::PortKind;
    const struct {
        platform::PortAddress address;
        const char* name;
    } cases[] = {
        {{PortKind::Parallel, 3, {}, {}}, "LPT3"},
        {{PortKind::Usb, 12, {}, {}}, "USB12"},
        {{PortKind::Com, 1, {}, {}}, "COM1"},
        {{PortKind::Usb, 0, {}, {}}, ""},
        {{PortKind::Path, 0, "\\\\.\\kxparp1.4", {}}, "LPT1"},
        {{PortKind::Path, 0, "\\\\.\\KXUSB2:", {}}, "USB2"},
        {{PortKind::Path, 0, "/dev/usb/lp0", {}}, "USB1"},
        {{PortKind::Path, 0, "/dev/parport1", {}}, "LPT2"},
        {{PortKind::Path, 0, "/dev/ttyS0", {}}, "COM1"},
        {{PortKind::Path, 0, "\\\\.\\COM3", {}}, "COM3"},
        {{PortKind::Path, 0, "\\\\?\\usb#vid_1d6f&pid_0005#vprinter-usb7#{28d78fad}", {}}, "USB7"},
        {{PortKind::Path, 0, "/tmp/Bench-1", {}}, "BENCH1"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::VirtualPortName(c.address), c.name) << c.address.path;
    }
}

}  // namespace
