#include <string>

#include "EngineFixture.h"
#include "patterns/OverprintFlag.h"
#include "patterns/SensorTexts.h"

using namespace patterns;
using namespace enginetest;

namespace {

using PrintJob = EngineFixture;

const Bytes kFeed128 = {0x1B, 0x4A, 0x80};
const Bytes kReverseFeed128 = {0x1B, 0x6A, 0x80};

Bytes TextBytes(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

// The customer addresses of the VK-572D profile, each holding something the customer would not set.
void SpoilCustomerBytes(vprinter::InProcessPrinterPorts& ports) {
    ports.Control("USB1", "poke=0x20:0x77 poke=0x21:0x77 poke=0x25:0x77 poke=0x26:0x77");
}

}  // namespace

TEST_F(PrintJob, TheFactoryTestPrintsWritesTheCustomerBytesAndClearsTheOverprintFlag) {
    SpoilCustomerBytes(ports);
    ports.Control("USB1", "rom=3.21");
    SetOverprintPending(true);
    PrintJobRecord job = Job(1, 2);
    Run(job);
    EXPECT_EQ(job.item, 2);
    EXPECT_TRUE(technician.shown.empty());
    EXPECT_EQ(Peek(0x20), 0x01);
    EXPECT_EQ(Peek(0x21), 0x05);
    EXPECT_EQ(Peek(0x25), 0xE0);
    EXPECT_EQ(Peek(0x26), 0x10);
    EXPECT_FALSE(OverprintPending());
    EXPECT_EQ(Occurrences(printed.data, TextBytes("CG & ROM Check")), 1);
    EXPECT_EQ(Occurrences(printed.data, TextBytes("3.21")), 1);
    EXPECT_EQ(Occurrences(printed.data, TextBytes("VPRTUSB1")), 1);
    EXPECT_EQ(ports.OpenCount("USB1"), 1);
    EXPECT_EQ(ports.OpenNow("USB1"), 0);
}

TEST_F(PrintJob, TheFactoryTestTimesOutAfterFiftyOnePausesWithoutWriting) {
    SpoilCustomerBytes(ports);
    // Once the report is on its way the printer never comes back to ready.
    printed.onData = [this] { ports.Control("USB1", "state=2"); };
    int pauses = 0;
    clock.onSleep = [&](std::uint32_t milliseconds) {
        if (milliseconds == 1000) {
            ++pauses;
        }
    };
    PrintJobRecord job = Job(1, 2);
    Run(job);
    EXPECT_EQ(job.item, -1);
    EXPECT_EQ(Texts(), std::vector<std::string>{"Time out Error"});
    EXPECT_EQ(technician.shown[0].type, kMessageError);
    EXPECT_EQ(pauses, 51);
    EXPECT_EQ(Peek(0x21), 0x77);
    EXPECT_EQ(ports.OpenNow("USB1"), 0);
}

TEST_F(PrintJob, TheFactoryTestFailsWhenThePrinterRefusesTheCustomerBytes) {
    SpoilCustomerBytes(ports);
    // The printer goes to its error state as soon as the customer's bytes are in.
    clock.onSleep = [this](std::uint32_t) {
        if (Peek(0x21) == 0x05) {
            ports.Control("USB1", "state=0");
        }
    };
    PrintJobRecord job = Job(1, 2);
    Run(job);
    EXPECT_EQ(job.item, -1);
    EXPECT_EQ(Texts(), std::vector<std::string>{"custom 0\r\ncustom 1"});
    // The rest of the test is not printed after the refusal.
    EXPECT_EQ(Occurrences(printed.data, TextBytes("CG & ROM Check")), 0);
    EXPECT_EQ(ports.OpenNow("USB1"), 0);
}

TEST_F(PrintJob, TheSensorGateLetsOnlyTheExpectedPaperPathThrough) {
    const struct {
        int selector;
        int item;
        const char* sensors;
        bool passes;
    } cases[] = {
        {1, 2, "sensors=0x0C", true},   // factory test: rear and top paper, tractor
        {1, 2, "sensors=0x12", false},  // a cut sheet at the front
        {0, 5, "sensors=0x32", true},   // short test: front sheet, friction, copy gap
        {0, 5, "sensors=0x12", false},  // normal gap
        {0, 6, "sensors=0x12", true},   // page frame: front sheet, friction, normal gap
        {0, 6, "sensors=0x13", false},  // carriage at home
    };
    for (const auto& gate : cases) {
        SCOPED_TRACE(gate.sensors);
        SCOPED_TRACE(gate.item);
        technician.shown.clear();
        ports.Control("USB1", gate.sensors);
        PrintJobRecord job = Job(gate.selector, gate.item);
        Run(job);
        EXPECT_EQ(job.item, gate.passes ? gate.item : -1);
        if (gate.passes) {
            EXPECT_TRUE(technician.shown.empty());
        } else {
            ASSERT_EQ(technician.shown.size(), 1u);
            EXPECT_EQ(technician.shown[0].text.substr(0, 18), "NG Sensor (Status:");
            EXPECT_EQ(technician.shown[0].type, kMessageError);
        }
        EXPECT_EQ(ports.OpenNow("USB1"), 0);
    }
}

TEST_F(PrintJob, AModelWithoutUsbSerialNumberSkipsTheGate) {
    model.usbSerialAddress = -1;
    ports.Control("USB1", "sensors=0x00");
    PrintJobRecord job = Job(0, 6);
    Run(job);
    EXPECT_EQ(job.item, 6);
    EXPECT_TRUE(technician.shown.empty());
}

TEST_F(PrintJob, TheSecondBidirectionalPatternGoesBackAndPrintsOverTheFirst) {
    PrintJobRecord first = Job(0, 8);
    first.value = 3;
    Run(first);
    EXPECT_EQ(first.item, 8);
    EXPECT_TRUE(OverprintPending());
    EXPECT_EQ(Occurrences(printed.data, kReverseFeed128), 0);
    EXPECT_EQ(Occurrences(printed.data, Repeated(kFeed128, 4)), 1);
    const std::size_t firstLength = printed.data.size();

    PrintJobRecord second = Job(0, 9);
    second.modeIndex = 1;
    second.value = -2;
    Run(second);
    EXPECT_EQ(second.item, 9);
    const Bytes secondData(printed.data.begin() + static_cast<std::ptrdiff_t>(firstLength),
                           printed.data.end());
    EXPECT_EQ(Bytes(secondData.begin(), secondData.begin() + 12), Repeated(kReverseFeed128, 4));
    EXPECT_EQ(Bytes(secondData.end() - 12, secondData.end()), Repeated(kFeed128, 4));

    // The form-feed job ends the overprinting.
    PrintJobRecord formEnd = Job(0, 12);
    Run(formEnd);
    EXPECT_FALSE(OverprintPending());
    EXPECT_EQ(ports.OpenNow("USB1"), 0);
}

TEST_F(PrintJob, ModeOneWritesTheBidirectionalValueOfTheModeIndex) {
    PrintJobRecord job = Job(0, 9);
    job.mode = 1;
    job.modeIndex = 1;
    job.bidirectionalValues = {7, 5, -9};
    Run(job);
    EXPECT_EQ(job.item, 9);
    EXPECT_EQ(Peek(0xA2 + 1), 0x05);
    EXPECT_EQ(Occurrences(ports.Written("USB1"),
                          Bytes{0x1B, 0x7C, 0x00, 0x07, 0x00, 0x57, 0x2D, 0x00, 0xFF, 0x00, 0x01, 0x05}),
              1);
    EXPECT_FALSE(OverprintPending());
    EXPECT_TRUE(printed.data.empty());
}

TEST_F(PrintJob, ModeOneWithAModeThePrinterLacksWritesNothingAndFails) {
    PrintJobRecord job = Job(0, 9);
    job.mode = 1;
    job.modeIndex = 3;
    Run(job);
    EXPECT_EQ(job.item, -1);
    EXPECT_EQ(ports.OpenNow("USB1"), 0);
}

TEST_F(PrintJob, TheSensorReportNamesEachSensorAndIsNotPrinted) {
    for (const char* sensors : {"sensors=0x0C", "sensors=0x3F", "sensors=0x21"}) {
        SCOPED_TRACE(sensors);
        ports.Control("USB1", sensors);
        PrintJobRecord job = Job(0, 13);
        Run(job);
        EXPECT_EQ(job.item, 13);
        const int byte = std::stoi(std::string(sensors).substr(10), nullptr, 16);
        EXPECT_EQ(job.sensorReport, SensorStatusReportText(static_cast<std::uint8_t>(byte)));
    }
    EXPECT_TRUE(printed.data.empty());
    EXPECT_TRUE(technician.shown.empty());
}

TEST_F(PrintJob, ASilentPrinterFailsTheSensorReport) {
    ports.Control("USB1", "offline=silent");
    PrintJobRecord job = Job(0, 13);
    Run(job);
    EXPECT_EQ(job.item, -1);
    EXPECT_TRUE(job.sensorReport.empty());
    EXPECT_EQ(ports.OpenNow("USB1"), 0);
}

TEST_F(PrintJob, APrinterThatRefusesToOpenFailsTheJobSilently) {
    ports.Control("USB1", "offline=refuse");
    PrintJobRecord job = Job(0, 7);
    Run(job);
    EXPECT_EQ(job.item, -1);
    EXPECT_TRUE(technician.shown.empty());
    EXPECT_EQ(ports.OpenNow("USB1"), 0);
}

// The report would otherwise print an empty ROM version as the printer's.
TEST_F(PrintJob, ARomVersionReplyWithoutItsKeyFailsTheReport) {
    model.usbSerialAddress = -1;
    model.columns = 136;
    model.firstIdByte = 0x11;  // another model's command code: the printer answers "NA;"
    PrintJobRecord job = Job(0, 5);
    Run(job);
    EXPECT_EQ(job.item, -1);
    EXPECT_EQ(Texts(), std::vector<std::string>{"message 4"});
    EXPECT_TRUE(printed.data.empty());
    EXPECT_EQ(ports.OpenNow("USB1"), 0);
}

TEST_F(PrintJob, AnItemWithoutAJobOpensSendsNothingAndCloses) {
    PrintJobRecord job = Job(0, 0);
    Run(job);
    EXPECT_EQ(job.item, 0);
    EXPECT_EQ(ports.OpenCount("USB1"), 1);
    EXPECT_EQ(ports.OpenNow("USB1"), 0);
    EXPECT_TRUE(printed.data.empty());
}

TEST_F(PrintJob, PortIndexThirtyAndAboveBuildsTheJobAndDropsIt) {
    for (int portIndex : {30, 31}) {
        PrintJobRecord job = Job(0, 8, portIndex);
        Run(job);
        EXPECT_EQ(job.item, 8);
        // Built: the pattern counts as printed for the next one.
        EXPECT_TRUE(OverprintPending());
    }
    EXPECT_EQ(ports.OpenCount("USB1"), 0);
    EXPECT_TRUE(ports.Written("USB1").empty());
}

TEST_F(PrintJob, TwentyPagesEachEndWithAFormFeed) {
    PrintJobRecord job = Job(1, 7);
    Run(job);
    EXPECT_EQ(job.item, 7);
    EXPECT_GE(Occurrences(printed.data, Bytes{0x0C}), 20);
    EXPECT_EQ(Occurrences(printed.data, Bytes{0x1B, 0x28, 0x43, 0x02, 0x00, 0x78, 0x0F}), 1);
    EXPECT_EQ(printed.modeFlags, std::vector<std::uint8_t>{0});
}
