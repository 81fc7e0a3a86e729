// Faults on demand, set through the control words, as the host sees them.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

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

// Worn EEPROM cells: every host write is answered as done, the cell keeps its byte.
// VK-572D: command code 0x57 0x2D, one-byte addresses. VK-2240II: 0x22 0x40, two-byte addresses.
class StuckEeprom : public ::testing::Test {
protected:
    vprinter::VirtualPrinter printer{Profile("VK-572D"), "USB1"};
    vprinter::VirtualPrinter wide{Profile("VK-2240II"), "LPT2"};
    void SetUp() override {
        ASSERT_TRUE(printer.Open());
        ASSERT_TRUE(wide.Open());
    }
    static void Control(vprinter::VirtualPrinter& p, const std::string& words) {
        ASSERT_TRUE(vprinter::ApplyControl(p, words).ok) << words;
    }
    static std::uint8_t At(vprinter::VirtualPrinter& p, int address) {
        return p.Core().State().eeprom.at(static_cast<std::size_t>(address));
    }
    static std::string Reported(vprinter::VirtualPrinter& p) {
        const std::string report = vprinter::ApplyControl(p, "get").text;
        const std::size_t at = report.find("eeprom-stuck=");
        return at == std::string::npos ? "missing" : report.substr(at, report.find('\n', at) - at);
    }
    // The control-channel write of address/value pairs, and its read.
    Bytes PairWrite(std::initializer_list<std::uint8_t> pairs) {
        return printer.Core().AnswerControlCommand("||",
                                                   Concat({{0x57, 0x2D, 0x42, 0xBD, 0x21}, Bytes(pairs)}));
    }
    Bytes ControlRead(std::uint8_t address) {
        return printer.Core().AnswerControlCommand("||", Bytes{0x57, 0x2D, 0x41, 0xBE, 0xA0, address});
    }
    // The factory set-1 write inside print data, one-byte address.
    static Bytes FactoryWrite(std::uint8_t address, std::uint8_t value) {
        return {0x1B, 0x7C, 0x00, 0x07, 0x00, 0x57, 0x2D, 0x04, 0xFB, 0x02, address, value};
    }
};

TEST_F(StuckEeprom, TheWordIsReportedSortedOnceEachAndClearedWithTheOtherFaults) {
    EXPECT_EQ(Reported(printer), "eeprom-stuck=none");
    Control(printer, "eeprom-stuck=0xA2,16,0xa2");
    EXPECT_EQ(Reported(printer), "eeprom-stuck=0x10,0xA2");
    Control(wide, "eeprom-stuck=0x1FF,0x3");
    EXPECT_EQ(Reported(wide), "eeprom-stuck=0x03,0x1FF");
    Control(printer, "eeprom-stuck=all");
    EXPECT_EQ(Reported(printer), "eeprom-stuck=all");
    Control(printer, "eeprom-stuck=none");
    EXPECT_EQ(Reported(printer), "eeprom-stuck=none");
    Control(printer, "eeprom-stuck=0x10 paper-out=1 clear-faults");
    EXPECT_EQ(Reported(printer), "eeprom-stuck=none");
    EXPECT_FALSE(printer.Core().State().faults.EepromStuckAt(0x10));
}

TEST_F(StuckEeprom, AControlWriteIsAnsweredOkWhileTheCellKeepsItsByteAndItsNeighbourChanges) {
    const std::uint8_t old = At(printer, 0xA2);
    const Bytes good = PairWrite({0x31, 0x01});
    Control(printer, "eeprom-stuck=0xA2");
    const Bytes stuck = PairWrite({0xA2, static_cast<std::uint8_t>(old ^ 0x5A), 0xA3, 0x44});
    EXPECT_EQ(stuck, Text("||:OK;"));
    EXPECT_EQ(stuck, good);
    EXPECT_EQ(At(printer, 0xA2), old);
    EXPECT_EQ(At(printer, 0xA3), 0x44);
    // The read-back tells the truth.
    char expected[32];
    std::snprintf(expected, sizeof expected, "EE:00A2 VALUE:%02X;", old);
    EXPECT_EQ(ControlRead(0xA2), Text(expected));
    EXPECT_EQ(ControlRead(0xA3), Text("EE:00A3 VALUE:44;"));

    // The two-byte form of a wide model.
    Control(wide, "eeprom-stuck=0x123");
    const std::uint8_t wideOld = At(wide, 0x123);
    const Bytes wideReply = wide.Core().AnswerControlCommand(
        "||", Bytes{0x22, 0x40, 0x42, 0xBD, 0x21, 0x23, 0x01, static_cast<std::uint8_t>(wideOld ^ 0x5A)});
    EXPECT_EQ(wideReply, Text("||:OK;"));
    EXPECT_EQ(At(wide, 0x123), wideOld);
}

TEST_F(StuckEeprom, FactoryWritesInPrintDataAreKeptOutInBothAddressForms) {
    Control(printer, "eeprom-stuck=0x30");
    const std::uint8_t old = At(printer, 0x30);
    Write(printer,
          Concat({FactoryWrite(0x30, static_cast<std::uint8_t>(old ^ 0x5A)), FactoryWrite(0x31, 0x77)}));
    EXPECT_EQ(ReadAll(printer), "");
    EXPECT_EQ(At(printer, 0x30), old);
    EXPECT_EQ(At(printer, 0x31), 0x77);

    // Set 1 at 0x123 and set 2 at 0x124 with two-byte addresses; then the one-byte form, alone in
    // its write, at 0xA2.
    Control(wide, "eeprom-stuck=0x123,0xA2");
    const std::uint8_t high = At(wide, 0x123);
    const std::uint8_t low = At(wide, 0xA2);
    Write(wide, {0x1B,
                 0x7C,
                 0x00,
                 0x07,
                 0x00,
                 0x22,
                 0x40,
                 0x04,
                 0xFB,
                 0x02,
                 0x23,
                 0x01,
                 static_cast<std::uint8_t>(high ^ 0x5A),
                 0x1B,
                 0x7C,
                 0x00,
                 0x07,
                 0x00,
                 0x22,
                 0x40,
                 0x05,
                 0xFA,
                 0x82,
                 0x24,
                 0x01,
                 0x6B});
    EXPECT_EQ(At(wide, 0x123), high);
    EXPECT_EQ(At(wide, 0x124), 0x6B);
    Write(wide, {0x18, 0x18, 0x1B, 0x40, 0x1B, 0x7C, 0x00, 0x07, 0x00, 0x22, 0x40, 0x04, 0xFB, 0x02, 0xA2,
                 static_cast<std::uint8_t>(low ^ 0x5A)});
    EXPECT_EQ(At(wide, 0xA2), low);
    EXPECT_EQ(ReadAll(wide), "");
}

TEST_F(StuckEeprom, AllKeepsEveryCellNoneAndClearFaultsFreeThem) {
    Control(printer, "eeprom-stuck=all");
    const std::vector<std::uint8_t> before = printer.Core().State().eeprom;
    EXPECT_EQ(PairWrite({0x10, 0x01, 0x20, 0x02, 0xFF, 0x03}), Text("||:OK;"));
    // The bi-directional value command writes 0xA2 + mode.
    Write(printer, Concat({FactoryWrite(0x40, 0x41),
                           {0x1B, 0x7C, 0x00, 0x07, 0x00, 0x57, 0x2D, 0x00, 0xFF, 0x00, 0x01, 0xFD}}));
    EXPECT_EQ(printer.Core().State().eeprom, before);
    // The technician's poke is no host write: it still lands.
    Control(printer, "poke=0x50:0x12");
    EXPECT_EQ(At(printer, 0x50), 0x12);

    Control(printer, "eeprom-stuck=none");
    PairWrite({0x10, 0x01});
    EXPECT_EQ(At(printer, 0x10), 0x01);
    Control(printer, "eeprom-stuck=0x10 clear-faults");
    PairWrite({0x10, 0x02});
    EXPECT_EQ(At(printer, 0x10), 0x02);
}

TEST_F(StuckEeprom, MalformedListsAreRefusedAndTheFormerListStands) {
    Control(printer, "eeprom-stuck=0x10");
    for (const char* words :
         {"eeprom-stuck", "eeprom-stuck=", "eeprom-stuck=0x10,", "eeprom-stuck=,0x10",
          "eeprom-stuck=0x10,,0x11", "eeprom-stuck=all,0x10", "eeprom-stuck=none,1", "eeprom-stuck=0x100",
          "eeprom-stuck=-1", "eeprom-stuck=0xZZ", "eeprom-stuck=ALL", "eeprom-stuck=0x10;0x11"}) {
        const vprinter::ControlOutcome outcome = vprinter::ApplyControl(printer, words);
        EXPECT_FALSE(outcome.ok) << words;
        EXPECT_EQ(outcome.text.rfind("ERROR ", 0), 0u) << words;
    }
    EXPECT_EQ(Reported(printer), "eeprom-stuck=0x10");
    // The wide model's EEPROM ends at 0x1FF.
    EXPECT_TRUE(vprinter::ApplyControl(wide, "eeprom-stuck=0x1FF").ok);
    EXPECT_FALSE(vprinter::ApplyControl(wide, "eeprom-stuck=0x200").ok);
}

}  // namespace
