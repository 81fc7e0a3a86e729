// tolvane counters, counters reset and fatal-history against the virtual VK-572D at USB1: counters and
// history are set at the printer first; a reset is checked at the printer, with its backup.
#include <string>
#include <vector>

#include "CliOverTcp.h"

namespace clitest {
namespace {

class CounterCommands : public CliOverTcp {
protected:
    // Four bytes from the address, the first the lowest.
    void Poke32(int address, std::uint32_t value) {
        for (int j = 0; j < 4; ++j) {
            Poke(address + j, static_cast<int>((value >> (8 * j)) & 0xFF));
        }
    }
    std::uint32_t Peek32(int address) {
        std::uint32_t value = 0;
        for (int j = 0; j < 4; ++j) {
            value |= static_cast<std::uint32_t>(Peek(address + j)) << (8 * j);
        }
        return value;
    }
    // The ribbon, hours and lines counters.
    void StoreCounters(std::uint32_t ribbon, std::uint32_t hours, std::uint32_t lines) {
        Poke32(0x04, ribbon);
        Poke32(0x08, hours);
        Poke32(0x0C, lines);
    }
    std::string BytesReceived() {
        const std::string report = Control("get");
        const std::size_t at = report.find("bytes-received=");
        return report.substr(at, report.find('\n', at) - at);
    }
};

TEST_F(CounterCommands, CountersShowTheThreeValuesLittleEndian) {
    StoreCounters(10000, 0xFFFFFFFF, 0x80000001);
    const CliRun text = Run({"counters"});
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.out,
              "ribbon: 10000 (Driving Line Count for Ribbon Change Timing)\n"
              "hours: 4294967295 (Driving Hour)\n"
              "lines: 2147483649 (Driving Line count)\n");
    const CliRun json = Run({"counters", "--json"});
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(json.out, "{\"ribbon\":10000,\"hours\":4294967295,\"lines\":2147483649}\n");
    EXPECT_TRUE(Backups().empty());
}

TEST_F(CounterCommands, ResetClearsOnlyTheNamedCountersAfterABackup) {
    StoreCounters(0x01020304, 0x0A0B0C0D, 0x11121314);
    const CliRun reset = Run({"counters", "reset", "lines", "ribbon"});
    ASSERT_EQ(reset.status, 0) << reset.err;
    EXPECT_EQ(reset.out,
              "0x04: 0x04 -> 0x00\n0x05: 0x03 -> 0x00\n0x06: 0x02 -> 0x00\n0x07: 0x01 -> 0x00\n"
              "0x0C: 0x14 -> 0x00\n0x0D: 0x13 -> 0x00\n0x0E: 0x12 -> 0x00\n0x0F: 0x11 -> 0x00\n");
    EXPECT_EQ(Peek32(0x04), 0u);
    EXPECT_EQ(Peek32(0x08), 0x0A0B0C0Du);
    EXPECT_EQ(Peek32(0x0C), 0u);
    ASSERT_EQ(Backups().size(), 1u);
    EXPECT_NE(reset.err.find("backup: "), std::string::npos) << reset.err;
    EXPECT_EQ(Run({"counters", "--json"}).out, "{\"ribbon\":0,\"hours\":168496141,\"lines\":0}\n");

    // A word named twice is one counter.
    const CliRun hours = Run({"counters", "reset", "hours", "hours"});
    ASSERT_EQ(hours.status, 0) << hours.err;
    EXPECT_EQ(Peek32(0x08), 0u);
    EXPECT_EQ(Backups().size(), 2u);
}

TEST_F(CounterCommands, DryRunShowsTheBytesAndLeavesThem) {
    StoreCounters(1, 0x2710, 3);
    const CliRun dry = Run({"--dry-run", "counters", "reset", "hours"});
    ASSERT_EQ(dry.status, 0) << dry.err;
    EXPECT_EQ(dry.out, "0x08: 0x10 -> 0x00\n0x09: 0x27 -> 0x00\n0x0A: 0x00 -> 0x00\n0x0B: 0x00 -> 0x00\n");
    EXPECT_EQ(Peek32(0x08), 0x2710u);
    EXPECT_TRUE(Backups().empty());
}

TEST_F(CounterCommands, AStuckCounterByteIsNamedWithExitFour) {
    StoreCounters(0x05060708, 0x2710, 0);
    Control("eeprom-stuck=0x09");
    const CliRun stuck = Run({"counters", "reset", "ribbon", "hours"});
    EXPECT_EQ(stuck.status, 4) << stuck.err;
    EXPECT_NE(stuck.err.find("0x09: wrote 0x00, the printer holds 0x27"), std::string::npos) << stuck.err;
    EXPECT_EQ(stuck.err.find("0x08:"), std::string::npos) << stuck.err;
    EXPECT_EQ(Peek32(0x04), 0u);
    EXPECT_EQ(Peek32(0x08), 0x2700u);
    EXPECT_EQ(Backups().size(), 1u);
}

TEST_F(CounterCommands, BadWordsAreRefusedBeforeAnythingIsSent) {
    StoreCounters(7, 8, 9);
    const std::string before = BytesReceived();
    for (const std::vector<std::string>& arguments : {std::vector<std::string>{"counters", "reset"},
                                                      {"counters", "reset", "ribbon", "paper"},
                                                      {"counters", "reset", "Ribbon"},
                                                      {"counters", "reset", "1"},
                                                      {"counters", "all"},
                                                      {"counters", "reset", "hours", "--watch"},
                                                      {"counters", "--watch"},
                                                      {"fatal-history", "5"},
                                                      {"fatal-history", "--watch"}}) {
        const CliRun refused = Run(arguments);
        EXPECT_EQ(refused.status, 2) << arguments[0] << " " << arguments[1];
        EXPECT_EQ(refused.out, "");
        EXPECT_EQ(refused.err.find('\n'), refused.err.size() - 1) << refused.err;
    }
    EXPECT_NE(Run({"counters", "reset", "paper"}).err.find("ribbon, hours, lines"), std::string::npos);
    EXPECT_EQ(BytesReceived(), before);
    EXPECT_EQ(Peek32(0x04), 7u);
    EXPECT_TRUE(Backups().empty());
}

TEST_F(CounterCommands, AnOfflinePrinterFailsEveryReadingAndChangesNothing) {
    StoreCounters(7, 8, 9);
    Control("offline=silent");
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"counters"}, {"fatal-history"}, {"counters", "reset", "ribbon"}}) {
        const CliRun failed = Run(arguments);
        EXPECT_EQ(failed.status, 1) << arguments[0] << ": " << failed.err;
        EXPECT_EQ(failed.out, "");
    }
    Control("offline=refuse");
    EXPECT_EQ(Run({"counters"}).status, 3);
    EXPECT_EQ(Run({"fatal-history"}).status, 3);
    Control("offline=no");
    EXPECT_EQ(Peek32(0x04), 7u);
    EXPECT_TRUE(Backups().empty());
}

TEST_F(CounterCommands, FatalHistoryListsFiveEntriesLatestFirst) {
    Poke(0x77, 0x10);
    Poke32(0x7C, 1234);
    Poke(0x78, 0x2A);
    Poke32(0x80, 0xFFFFFFFF);
    for (int entry = 2; entry < 5; ++entry) {
        Poke(0x77 + entry, 0);
        Poke32(0x7C + 4 * entry, 0);
    }
    const CliRun text = Run({"fatal-history"});
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.out,
              "0  0x10         1234  Paper feed motor error  (latest)\n"
              "1  0x2A           -1  Unkonwn Fatal Error\n"
              "2  0x00            0  No error\n"
              "3  0x00            0  No error\n"
              "4  0x00            0  No error\n");

    // A new fatal error goes first with the driving line count of the moment; the rest move down.
    Poke32(0x0C, 777);
    Control("fatal=0x41");
    const CliRun json = Run({"fatal-history", "--json"});
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(json.out,
              "{\"entries\":[{\"code\":65,\"description\":\"EEPROM write error\",\"lineCount\":777},"
              "{\"code\":16,\"description\":\"Paper feed motor error\",\"lineCount\":1234},"
              "{\"code\":42,\"description\":\"Unkonwn Fatal Error\",\"lineCount\":-1},"
              "{\"code\":0,\"description\":\"No error\",\"lineCount\":0},"
              "{\"code\":0,\"description\":\"No error\",\"lineCount\":0}]}\n");
}

}  // namespace
}  // namespace clitest
