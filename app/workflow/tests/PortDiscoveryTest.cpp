// Discovery through the shipped selector and port driver, against virtual printers of the server in
// this process.
#include <gtest/gtest.h>

#include "ScreenTest.h"
#include "platform/Clock.h"
#include "platform/Device.h"
#include "workflow/PortDiscovery.h"

namespace screentest {
namespace {

// No printer unless a test starts a server; the ports' waits pass on a virtual clock.
class DiscoveryTest : public ::testing::Test {
protected:
    platform::VirtualClock clock_;
    platform::ScopedClock scopedClock_{clock_};
    platform::ScopedDeviceBackend noPrinters_{platform::NullDeviceBackend()};
};

using workflow::DiscoveredPrinters;
using workflow::PortDiscovery;

TEST(PortDiscoveryNames, NumbersNameTheirPorts) {
    const std::pair<int, const char*> cases[] = {
        {1024, ""},     {1025, "USB1"}, {1034, "USB10"}, {1151, "USB127"},
        {1152, "LPT1"}, {1154, "LPT3"}, {1155, ""},      {0x0300, ""},
    };
    for (const auto& [number, name] : cases) {
        EXPECT_EQ(PortDiscovery::PortNameOfNumber(number), name) << number;
    }
}

TEST_F(DiscoveryTest, FindsEveryAttachedPrinterByItsModel) {
    const PrinterServer printers({"USB1=VK-572D", "USB127=VK-2240II", "LPT2=VK-572D", "LPT3=VK-2240II"});
    ASSERT_TRUE(printers.Started()) << printers.Report();
    EXPECT_EQ(PortDiscovery().Discover(),
              (DiscoveredPrinters{
                  {"LPT2", "VK-572D"}, {"LPT3", "VK-2240II"}, {"USB1", "VK-572D"}, {"USB127", "VK-2240II"}}));
    // Each port was closed again: a second round finds the same printers.
    EXPECT_EQ(PortDiscovery().Discover().size(), 4u);
}

TEST_F(DiscoveryTest, FindsNothingWithoutPrintersOrWithoutSelector) {
    EXPECT_EQ(PortDiscovery().Discover(), DiscoveredPrinters{});
    const PrinterServer printers({"USB1=VK-572D"});
    ASSERT_TRUE(printers.Started()) << printers.Report();
    EXPECT_EQ(PortDiscovery(nullptr).Discover(), DiscoveredPrinters{});
}

}  // namespace
}  // namespace screentest
