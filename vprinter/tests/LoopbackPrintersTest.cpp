// The loopback fixture the tests and benchmarks of other folders start their printers with: a start
// that fails must say so, the options must reach the server, and the device back-end it installs must
// give way to the one asked for when it goes.
#include <gtest/gtest.h>

#include <string>

#include "platform/Device.h"
#include "testsupport/TemporaryFolder.h"
#include "vprinter/server/LoopbackPrinters.h"

namespace {

using Result = platform::VirtualPrinterClient::Result;

TEST(LoopbackPrinters, AFailedStartIsReportedAndLeavesNothingRunning) {
    testsupport::TemporaryFolder folder{"loopback-failed"};
    {
        vprinter::LoopbackPrinters unknown({"USB1=VK-0000"}, folder.Path());
        EXPECT_FALSE(unknown.Ok());
        EXPECT_NE(unknown.Error(), "");
        EXPECT_EQ(unknown.Address(), "");
        std::string answer;
        EXPECT_EQ(unknown.Control("USB1", "get", &answer), Result::Unreachable);
    }
    vprinter::LoopbackPrinters badOption({"USB1=VK-572D"}, "", {"--no-such-option"});
    EXPECT_FALSE(badOption.Ok());
    EXPECT_NE(badOption.Error(), "");
}

TEST(LoopbackPrinters, ExtraOptionsAndControlWordsReachTheNamedPrinter) {
    vprinter::LoopbackPrinters printers({"USB1=VK-572D", "LPT2=VK-2240II"}, "",
                                        {"--fault", "LPT2:paper-out=1"});
    ASSERT_TRUE(printers.Ok()) << printers.Error();
    EXPECT_EQ(printers.Address().rfind("127.0.0.1:", 0), 0u) << printers.Address();
    std::string answer;
    ASSERT_EQ(printers.Control("LPT2", "get", &answer), Result::Ok) << answer;
    EXPECT_NE(answer.find("paper-out=1\n"), std::string::npos) << answer;
    ASSERT_EQ(printers.Control("USB1", "get", &answer), Result::Ok) << answer;
    EXPECT_NE(answer.find("paper-out=0\n"), std::string::npos) << answer;
    ASSERT_EQ(printers.Control("USB1", "paper-out=1", &answer), Result::Ok) << answer;
    ASSERT_EQ(printers.Control("USB1", "get", &answer), Result::Ok) << answer;
    EXPECT_NE(answer.find("paper-out=1\n"), std::string::npos) << answer;
    EXPECT_EQ(printers.Control("USB9", "get", &answer), Result::NoSuchPort);
}

TEST(LoopbackPrinters, TheInstalledBackEndGivesWayToTheOneAskedFor) {
    {
        vprinter::LoopbackPrinters printers({"USB1=VK-572D"}, "");
        ASSERT_TRUE(printers.Ok()) << printers.Error();
        printers.InstallAsDeviceBackend(&platform::NullDeviceBackend());
        EXPECT_EQ(&platform::ActiveDeviceBackend(), &printers.Backend());
        platform::DevicePortPtr port;
        EXPECT_EQ(platform::ActiveDeviceBackend().Open({platform::PortKind::Usb, 1, {}, {}}, &port),
                  platform::DeviceError::None);
    }
    EXPECT_EQ(&platform::ActiveDeviceBackend(), &platform::NullDeviceBackend());
    platform::InstallDeviceBackend(nullptr);
}

}  // namespace
