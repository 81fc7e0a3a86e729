// Waiting for the virtual printer without a window: the silent poll loop, on the virtual clock.
#include <gtest/gtest.h>

#include "BoundPrinterFixture.h"
#include "printer/WaitForPrinter.h"

namespace printertest {
namespace {

class WaitForPrinter : public BoundPrinter {
protected:
    const printer::Target usb1{"USB1"};
};

TEST_F(WaitForPrinter, PollCountsFollowTheTimeOutInTenthsOfASecond) {
    ports.Control("USB1", "offline=refuse");
    struct Case {
        int timeout;
        int polls;
    } const cases[] = {{1000, 10}, {150, 1}, {99, 0}, {50, 0}, {0, 0}, {-100, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.timeout);
        const int opensBefore = ports.OpenCount("USB1");
        const std::uint64_t before = clock.ElapsedMilliseconds();
        EXPECT_EQ(printer::WaitPrinterReady(usb1, c.timeout), 0);
        EXPECT_EQ(ports.OpenCount("USB1") - opensBefore, c.polls);
        EXPECT_EQ(clock.ElapsedMilliseconds() - before, static_cast<std::uint64_t>(c.polls) * 100);
    }
}

TEST_F(WaitForPrinter, ReturnsAtTheFirstAnsweredQuery) {
    const std::uint64_t before = clock.ElapsedMilliseconds();
    EXPECT_EQ(printer::WaitPrinterReady(usb1, 2000), 1);
    EXPECT_LT(clock.ElapsedMilliseconds() - before, 100u);
    EXPECT_EQ(ports.OpenCount("USB1"), 1);
    EXPECT_EQ(ports.OpenNow("USB1"), 0);
}

}  // namespace
}  // namespace printertest
