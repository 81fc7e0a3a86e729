// Faults on demand, set through the control words, as the host sees them.
#include <gtest/gtest.h>

#include "PrinterTestSupport.h"
#include "platform/Clock.h"
#include "vprinter/model/ControlVerb.h"

namespace {

using namespace vprintertest;

const Bytes kSensorRead{0x1B, 0x7C, 0x00, 0x05, 0x00, 0x57, 0x2D, 0x24, 0xDB, 0x12};

class Faults : public ::testing::Test {
protected:
    vprinter::VirtualPrinter printer{Profile("VK-572D"), "USB1"};
    void SetUp() override { ASSERT_TRUE(printer.Open()); }
    void Control(const std::string& words) {
        ASSERT_TRUE(vprinter::ApplyControl(printer, words).ok) << words;
    }
    std::string Status() { return vprinter::StatusText(printer.Core().PollStatus()); }
};

TEST_F(Faults, PaperOutIsAnErrorStateWithItsCodeAndEmptySensors) {
    Control("paper-out=1");
    EXPECT_NE(Status().find("ST:00;ER:06;"), std::string::npos);
    Write(printer, kSensorRead);
    EXPECT_EQ(ReadAll(printer), "SS:00;");
    Control("paper-out=0");
    EXPECT_NE(Status().find("ST:04;ER:00;"), std::string::npos);
}

TEST_F(Faults, ErrorStateWithAGivenCode) {
    Control("error-state=9");
    EXPECT_NE(Status().find("ST:00;ER:09;"), std::string::npos);
    Control("clear-faults");
    EXPECT_NE(Status().find("ST:04;"), std::string::npos);
}

TEST_F(Faults, BusyForNStatusPollsThenReady) {
    Control("busy-polls=2");
    EXPECT_NE(Status().find("ST:02;"), std::string::npos);
    EXPECT_EQ(printer.Core().AnswerControlCommand("rs", {}), Text("rs:BUSY;"));
    EXPECT_NE(Status().find("ST:02;"), std::string::npos);
    EXPECT_NE(Status().find("ST:04;"), std::string::npos);
}

TEST_F(Faults, OfflineEitherSilentOrRefusingTheOpen) {
    Control("offline=silent");
    Write(printer, kSensorRead);
    EXPECT_EQ(ReadAll(printer), "");
    Control("offline=refuse");
    EXPECT_FALSE(printer.Open());
    Control("offline=no");
    EXPECT_TRUE(printer.Open());
}

TEST_F(Faults, SlowRepliesAreDueOnTheClock) {
    platform::VirtualClock clock;
    platform::ScopedClock installed(clock);
    Control("latency-ms=250");
    Write(printer, kSensorRead);
    EXPECT_EQ(ReadAll(printer), "");
    EXPECT_EQ(printer.MillisecondsUntilReply(), 250u);
    clock.Advance(249);
    EXPECT_EQ(ReadAll(printer), "");
    clock.Advance(1);
    EXPECT_EQ(ReadAll(printer), "SS:0C;");
}

TEST_F(Faults, TheLineDropsAfterNBytesUntilTheNextOpen) {
    Control("drop-after=5");
    const auto first = printer.Write(Text("abc"));
    EXPECT_EQ(first.taken, 3u);
    EXPECT_FALSE(first.disconnected);
    const auto second = printer.Write(Text("defg"));
    EXPECT_EQ(second.taken, 2u);
    EXPECT_TRUE(second.disconnected);
    EXPECT_TRUE(printer.Write(Text("h")).disconnected);
    ASSERT_TRUE(printer.Open());
    EXPECT_FALSE(printer.Write(Text("h")).disconnected);
    EXPECT_EQ(printer.Core().State().bytesReceived, 6u);
}

TEST_F(Faults, GarbageRepliesKeepTheirLength) {
    Control("garbage=1");
    Write(printer, kSensorRead);
    const std::string reply = ReadAll(printer);
    EXPECT_EQ(reply.size(), 6u);
    EXPECT_NE(reply, "SS:0C;");
}

TEST_F(Faults, BadWordsAreRefusedWithAReason) {
    for (const char* words : {"paper-out=maybe", "state=100", "nonsense", "offline=sometimes",
                              "bid-error=1,2", "poke=0x100:1", "latency-ms=-5", "sensors=0x1FF"}) {
        const vprinter::ControlOutcome outcome = vprinter::ApplyControl(printer, words);
        EXPECT_FALSE(outcome.ok) << words;
        EXPECT_EQ(outcome.text.rfind("ERROR ", 0), 0u) << words;
    }
}

TEST_F(Faults, QueriesReportStateAndEepromBytes) {
    Control("bid-error=1,-2,3 poke=0xA2:0xFF fatal=0x20 rom=2.10");
    const vprinter::ControlOutcome outcome = vprinter::ApplyControl(printer, "peek=0x77 get");
    EXPECT_NE(outcome.text.find("peek=0x77:0x20\n"), std::string::npos);
    EXPECT_NE(outcome.text.find("shift=2,-2,3\n"), std::string::npos);
    EXPECT_NE(outcome.text.find("rom=2.10\n"), std::string::npos);
}

}  // namespace
