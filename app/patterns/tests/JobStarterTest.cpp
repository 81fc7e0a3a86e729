#include <future>
#include <thread>

#include "EngineFixture.h"
#include "patterns/PrintJobStarter.h"
#include "printer/PortSession.h"

using namespace patterns;
using namespace enginetest;

TEST(PortIndex, TakesTheLastMatchingPositionOfTheProgramsList) {
    const std::vector<std::string>& names = ProgramPortNames();
    ASSERT_EQ(names.size(), 32u);
    EXPECT_EQ(PortIndexOf(names, "LPT1"), 1);
    EXPECT_EQ(PortIndexOf(names, "LPT2"), 2);
    EXPECT_EQ(PortIndexOf(names, "LPT9"), 9);
    EXPECT_EQ(PortIndexOf(names, "USB(Auto)"), 10);
    EXPECT_EQ(PortIndexOf(names, "USB1"), 11);
    EXPECT_EQ(PortIndexOf(names, "USB9"), 19);
    EXPECT_EQ(PortIndexOf(names, "1394(Auto)"), 20);
    EXPECT_EQ(PortIndexOf(names, "1394_9"), 29);
    EXPECT_EQ(PortIndexOf(names, "COM1"), 31);
    // Names the top dialog offers that the list has no place for.
    EXPECT_EQ(PortIndexOf(names, "USB10"), -1);
    EXPECT_EQ(PortIndexOf(names, "1394_1 "), -1);
    EXPECT_EQ(PortIndexOf(names, "usb1"), -1);
    EXPECT_EQ(PortIndexOf(names, ""), -1);
}

using JobStarter = EngineFixture;

TEST_F(JobStarter, CompletesTheRecordAndRunsTheJobWithTheModelsIdentifierBytes) {
    PrintJobStart start{model, 0x57, 0x2D, 0, ProgramPortNames(), "USB1", technician, texts};
    start.model.firstIdByte = 0;  // the starter stores the bytes itself
    start.model.secondIdByte = 0;
    PrintJobRecord job;
    job.mode = 1;
    job.modeIndex = 2;
    job.bidirectionalValues = {0, 0, -3};
    StartPrintJob(start, 0, 10, job);
    EXPECT_EQ(job.selector, 0);
    EXPECT_EQ(job.item, 10);
    EXPECT_EQ(job.portIndex, 11);
    // The value command only takes with the model's own identifier bytes.
    EXPECT_EQ(Peek(0xA2 + 2), 0xFD);
    EXPECT_EQ(ports.OpenNow("USB1"), 0);
    EXPECT_TRUE(technician.shown.empty());
}

// A port without a place in the list must not be opened as "port -1", and the page must learn that
// nothing was set.
TEST_F(JobStarter, APortNameWithoutAnIndexFailsWithTheInterfaceErrorAndOpensNothing) {
    const PrintJobStart start{model, 0x57, 0x2D, 0, ProgramPortNames(), "USB10", technician, texts};
    PrintJobRecord job;
    job.mode = 1;
    StartPrintJob(start, 0, 8, job);
    EXPECT_EQ(job.portIndex, -1);
    EXPECT_EQ(job.item, -1);
    ASSERT_EQ(technician.shown.size(), 1u);
    EXPECT_EQ(technician.shown[0].text, "Interface Error\nMake sure cable connection\nand Printer Status.");
    EXPECT_EQ(technician.shown[0].type, kMessageError);
    EXPECT_EQ(ports.OpenCount("USB1"), 0);
}

TEST_F(JobStarter, COM1BuildsTheJobAndDropsItWithoutOpeningAnyPort) {
    const PrintJobStart start{model, 0x57, 0x2D, 0, ProgramPortNames(), "COM1", technician, texts};
    PrintJobRecord job;
    StartPrintJob(start, 0, 7, job);  // the E block page
    EXPECT_EQ(job.portIndex, 31);
    EXPECT_EQ(job.item, 7);
    EXPECT_EQ(ports.OpenCount("USB1"), 0);
    EXPECT_TRUE(technician.shown.empty());
}

// The sensor page's refresh thread holds the port while the page's own thread asks for a job.
TEST_F(JobStarter, AJobWhileAnotherThreadHoldsThePortIsRefusedWithAMessage) {
    printer::PortSession::SetAssertOnRefusal(false);
    std::promise<void> held;
    std::promise<void> done;
    std::thread other([&] {
        const printer::PortSession::Exchange exchange =
            printer::PortSession::OfProcess().Begin("sensor refresh");
        held.set_value();
        done.get_future().wait();
    });
    held.get_future().wait();
    PrintJobRecord job = Job(0, 7);
    Run(job);
    done.set_value();
    other.join();
    printer::PortSession::SetAssertOnRefusal(true);
    EXPECT_EQ(job.item, -1);
    EXPECT_EQ(Texts(), std::vector<std::string>{kPortBusyText});
    EXPECT_EQ(ports.OpenCount("USB1"), 0);
}
