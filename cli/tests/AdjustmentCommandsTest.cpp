// bid, margin and pe-threshold against the virtual printers, checked at the printer: its EEPROM, its
// job logs and pages, the backups, and the exit statuses.
#include <filesystem>
#include <string>
#include <vector>

#include "BidirectionalArguments.h"
#include "CliOverTcp.h"

namespace {

using Words = std::vector<std::string>;

class AdjustmentCommands : public clitest::CliOverTcp {
protected:
    // One log per job the printer received print data in.
    int JobLogs() const {
        int logs = 0;
        for (const auto& entry : std::filesystem::directory_iterator(prints.Root())) {
            logs += entry.path().extension() == ".txt" ? 1 : 0;
        }
        return logs;
    }

    std::vector<int> PeekAll(const std::vector<int>& addresses, const std::string& printer = "USB1") {
        std::vector<int> values;
        for (const int address : addresses) {
            values.push_back(Peek(address, printer));
        }
        return values;
    }

    // Nothing reached the printer's EEPROM or paper, and no backup was taken.
    void ExpectNothingSent(const clitest::CliRun& run, const std::string& what) {
        EXPECT_EQ(run.status, 2) << what << "\n" << run.err;
        EXPECT_NE(run.err.find("tolvane: "), std::string::npos) << what;
        EXPECT_TRUE(Backups().empty()) << what;
        EXPECT_EQ(JobLogs(), 0) << what;
    }
};

const std::vector<int> kBidBytes = {0xA2, 0xA3, 0xA4};

TEST_F(AdjustmentCommands, BidSetStoresEachRowAsASignedByteAfterABackup) {
    const clitest::CliRun run = Run({"bid", "set", "0=-3", "lq=12"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(PeekAll(kBidBytes), (std::vector<int>{0xFD, 0x00, 0x0C}));
    EXPECT_EQ(run.out, "0xA2: 0x00 -> 0xFD\n0xA4: 0x00 -> 0x0C\n");
    EXPECT_EQ(Backups().size(), 1u);

    // The lowest value, by the row's name, replaces the stored one.
    ASSERT_EQ(Run({"bid", "set", "Draft=-12"}).status, 0);
    EXPECT_EQ(Peek(0xA2), 0xF4);
    EXPECT_EQ(Backups().size(), 2u);
}

TEST_F(AdjustmentCommands, BidSetReachesTheWideModelWithItsOwnCommandCode) {
    // The value command carries the model's command code; a printer ignores another model's.
    const clitest::CliRun run =
        Run({"--port", "USB2", "--profile", "VK-2240II", "bid", "set", "2=7", "Draft=-1"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(PeekAll(kBidBytes, "USB2"), (std::vector<int>{0xFF, 0x00, 0x07}));
    EXPECT_EQ(PeekAll(kBidBytes), (std::vector<int>{0, 0, 0})) << "the other printer is untouched";
}

TEST_F(AdjustmentCommands, BidSetNamesTheByteThePrinterDidNotKeep) {
    Control("eeprom-stuck=0xA3");
    const clitest::CliRun run = Run({"bid", "set", "1=4", "2=-1"});
    EXPECT_EQ(run.status, 4);
    EXPECT_NE(run.err.find("0xA3: wrote 0x04, the printer holds 0x00"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("0xA4:"), std::string::npos) << run.err;
    EXPECT_EQ(PeekAll(kBidBytes), (std::vector<int>{0x00, 0x00, 0xFF}));
    EXPECT_EQ(Backups().size(), 1u);
}

TEST_F(AdjustmentCommands, BidSetDryRunShowsThePlanAndWritesNothing) {
    Poke(0xA3, 0x02);
    const clitest::CliRun run = Run({"--dry-run", "bid", "set", "1=-2"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "0xA3: 0x02 -> 0xFE\n");
    EXPECT_EQ(Peek(0xA3), 0x02);
    EXPECT_TRUE(Backups().empty());
    EXPECT_EQ(JobLogs(), 0);
}

TEST_F(AdjustmentCommands, BidSetRefusesBadInputBeforeAnythingIsSent) {
    const std::vector<Words> bad = {{"bid", "set"},                 // nothing to set
                                    {"bid", "set", "0=13"},         // above the range
                                    {"bid", "set", "0=-13"},        // below it
                                    {"bid", "set", "1=2", "0=13"},  // one bad value stops the good ones too
                                    {"bid", "set", "0=x"},          // not a number
                                    {"bid", "set", "0="},           // no value
                                    {"bid", "set", "=3"},           // no mode
                                    {"bid", "set", "3=1"},          // no row 3
                                    {"bid", "set", "4"},            // not MODE=VALUE
                                    {"bid", "set", "Turbo=1"},      // no such mode in the profile
                                    {"bid", "set", "0=1", "draft=2"},       // row 0 twice
                                    {"bid", "set", "Bit Image=1", "1=1"}};  // row 1 twice
    for (const Words& words : bad) {
        ExpectNothingSent(Run(words), words.back());
    }
    EXPECT_EQ(PeekAll(kBidBytes), (std::vector<int>{0, 0, 0}));
    EXPECT_NE(Run({"bid", "set", "0=13"}).err.find("Bid adjust value must be between -12 and 12"),
              std::string::npos);
}

TEST_F(AdjustmentCommands, BidReadShowsEveryRowWithItsModeNumber) {
    Poke(0xA2, 0xF4);
    Poke(0xA4, 0x05);
    const clitest::CliRun text = Run({"bid", "read"});
    EXPECT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.out,
              "row mode              number value\n"
              "0   Draft                  1   -12\n"
              "1   Bit Image              2     0\n"
              "2   LQ                     4     5\n");
    const clitest::CliRun json = Run({"bid", "read", "--json"});
    EXPECT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(json.out,
              "{\"rows\":[{\"row\":0,\"mode\":\"Draft\",\"number\":1,\"value\":-12},"
              "{\"row\":1,\"mode\":\"Bit Image\",\"number\":2,\"value\":0},"
              "{\"row\":2,\"mode\":\"LQ\",\"number\":4,\"value\":5}]}\n");
    EXPECT_TRUE(Backups().empty());
    EXPECT_EQ(Run({"bid", "read", "0"}).status, 2);
}

TEST_F(AdjustmentCommands, BidPrintPrintsEveryRowOrTheOneNamed) {
    Poke(0xA3, 0xFE);
    const clitest::CliRun all = Run({"bid", "print"});
    ASSERT_EQ(all.status, 0) << all.err;
    EXPECT_EQ(all.out,
              "printed row 0 Draft Mode(Mode1), stored value 0\n"
              "printed row 1 Bit Image Mode(Mode2), stored value -2\n"
              "printed row 2 LQ Mode(Mode4), stored value 0\n");
    EXPECT_GE(PagesPrinted(), 1);
    const int jobsOfAll = JobLogs();
    // Three patterns and the job that ends the printout.
    EXPECT_EQ(jobsOfAll, 4);

    const clitest::CliRun one = Run({"--mode", "1", "bid", "print"});
    ASSERT_EQ(one.status, 0) << one.err;
    EXPECT_EQ(one.out, "printed row 1 Bit Image Mode(Mode2), stored value -2\n");
    EXPECT_EQ(JobLogs() - jobsOfAll, 2) << "one pattern and the end";

    const clitest::CliRun byName = Run({"bid", "print", "--mode", "LQ"});
    EXPECT_EQ(byName.status, 0) << byName.err;
    EXPECT_EQ(byName.out, "printed row 2 LQ Mode(Mode4), stored value 0\n");
    EXPECT_TRUE(Backups().empty());
}

TEST_F(AdjustmentCommands, BidPrintRefusesAnUnknownRowAndPrintsNothing) {
    for (const std::string mode : {"3", "-1", "Turbo", ""}) {
        ExpectNothingSent(Run({"bid", "print", "--mode", mode}), "--mode " + mode);
    }
    ExpectNothingSent(Run({"bid", "print", "extra"}), "extra word");
    const clitest::CliRun dryRun = Run({"--dry-run", "bid", "print", "--mode", "bit image"});
    EXPECT_EQ(dryRun.status, 0) << dryRun.err;
    EXPECT_EQ(dryRun.out, "would print row 1 Bit Image Mode(Mode2)\n");
    EXPECT_EQ(JobLogs(), 0);
    EXPECT_EQ(PagesPrinted(), 0);
}

TEST_F(AdjustmentCommands, AnOfflinePrinterFailsEveryBidCommand) {
    Control("offline=refuse");
    // No printer answers on the port: exit 3, whatever the command.
    const clitest::CliRun read = Run({"bid", "read"});
    EXPECT_EQ(read.status, 3);
    EXPECT_NE(read.out.find("0   Draft                  1     ?\n"), std::string::npos) << read.out;
    EXPECT_EQ(Run({"bid", "read", "--json"}).out,
              "{\"rows\":[{\"row\":0,\"mode\":\"Draft\",\"number\":1,\"value\":null},"
              "{\"row\":1,\"mode\":\"Bit Image\",\"number\":2,\"value\":null},"
              "{\"row\":2,\"mode\":\"LQ\",\"number\":4,\"value\":null}]}\n");
    for (const Words& words :
         std::vector<Words>{{"bid", "print"}, {"bid", "set", "0=1"}, {"margin", "top", "read"}}) {
        const clitest::CliRun run = Run(words);
        EXPECT_EQ(run.status, 3) << words.back() << "\n" << run.err;
    }
    EXPECT_TRUE(Backups().empty());
    EXPECT_EQ(JobLogs(), 0);
}

TEST_F(AdjustmentCommands, MarginSetAndReadRoundTripInMillimetres) {
    const clitest::CliRun top = Run({"margin", "top", "set", "7.8"});
    ASSERT_EQ(top.status, 0) << top.err;
    // 360 feed steps per inch: 10 steps up from 8.5 mm.
    EXPECT_EQ(Peek(0x7C), 10);
    EXPECT_EQ(top.out, "0x7C: 0x00 -> 0x0A\ntop margin 7.80 mm\n");
    EXPECT_EQ(Run({"margin", "top", "read"}).out, "top margin 7.80 mm\n");
    EXPECT_EQ(Run({"margin", "top", "read", "--json"}).out, "{\"edge\":\"top\",\"millimetres\":7.8}\n");

    ASSERT_EQ(Run({"margin", "bottom", "set", "1.45"}).status, 0);
    EXPECT_EQ(Peek(0x7E), 10);
    EXPECT_EQ(Run({"margin", "bottom", "read"}).out, "bottom margin 1.45 mm\n");
    EXPECT_EQ(Backups().size(), 2u);

    // The limits themselves are accepted. Without a step offset the bottom margin cannot go below
    // 0.75 mm: 0 is stored as the nearest step, and the margin the printer holds is told.
    EXPECT_EQ(Run({"margin", "top", "set", "12.5"}).status, 0);
    EXPECT_EQ(Run({"margin", "top", "read"}).out, "top margin 12.50 mm\n");
    const clitest::CliRun zero = Run({"margin", "bottom", "set", "0"});
    EXPECT_EQ(zero.status, 0) << zero.err;
    EXPECT_EQ(zero.out, "0x7E: 0x0A -> 0x00\nbottom margin 0.75 mm\n");
    EXPECT_EQ(Run({"margin", "bottom", "read", "--json"}).out,
              "{\"edge\":\"bottom\",\"millimetres\":0.75}\n");
}

TEST_F(AdjustmentCommands, MarginOnTheWideModelUsesItsOwnFeedStep) {
    const Words wide = {"--port", "USB2", "--profile", "VK-2240II"};
    Words set = wide;
    set.insert(set.end(), {"margin", "top", "set", "7.80"});
    ASSERT_EQ(Run(set).status, 0);
    EXPECT_EQ(Peek(0x7C, "USB2"), 10);
    Words read = wide;
    read.insert(read.end(), {"margin", "top", "read"});
    EXPECT_EQ(Run(read).out, "top margin 7.80 mm\n");
}

TEST_F(AdjustmentCommands, MarginSetRefusesBadInputAndNamesAStuckByte) {
    const std::vector<Words> bad = {{"margin", "top", "set", "4.99"},    {"margin", "top", "set", "12.51"},
                                    {"margin", "bottom", "set", "-0.1"}, {"margin", "bottom", "set", "6.81"},
                                    {"margin", "top", "set", "x"},       {"margin", "top", "set", "1e1"},
                                    {"margin", "top", "set", "7..5"},    {"margin", "top", "set"},
                                    {"margin", "top", "set", "7", "8"},  {"margin", "top", "read", "7"}};
    for (const Words& words : bad) {
        ExpectNothingSent(Run(words), words.back());
    }
    EXPECT_EQ(PeekAll({0x7C, 0x7E}), (std::vector<int>{0, 0}));

    Control("eeprom-stuck=0x7C");
    const clitest::CliRun stuck = Run({"margin", "top", "set", "7.8"});
    EXPECT_EQ(stuck.status, 4);
    EXPECT_NE(stuck.err.find("0x7C: wrote 0x0A, the printer holds 0x00"), std::string::npos) << stuck.err;
}

TEST_F(AdjustmentCommands, PaperEndThresholdClearsExactlyItsAddresses) {
    const std::vector<int> around = {0xA5, 0xA6, 0xA7, 0xA8, 0xA9, 0xAA, 0xAB, 0xAC, 0xAD, 0xAE};
    for (const int address : around) {
        Poke(address, 0x55);
    }
    const clitest::CliRun pe = Run({"pe-threshold", "pe"});
    ASSERT_EQ(pe.status, 0) << pe.err;
    EXPECT_EQ(pe.out, "0xA6: 0x55 -> 0x00\n0xA7: 0x55 -> 0x00\nInitialize PE Threshold: Complete.\n");
    EXPECT_EQ(PeekAll(around), (std::vector<int>{0x55, 0, 0, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55}));

    ASSERT_EQ(Run({"pe-threshold", "front-pe"}).status, 0);
    EXPECT_EQ(PeekAll(around), (std::vector<int>{0x55, 0, 0, 0, 0, 0x55, 0x55, 0x55, 0x55, 0x55}));
    ASSERT_EQ(Run({"pe-threshold", "tpe"}).status, 0);
    EXPECT_EQ(PeekAll(around), (std::vector<int>{0x55, 0, 0, 0, 0, 0, 0, 0, 0, 0x55}));
    EXPECT_EQ(Backups().size(), 3u);
}

TEST_F(AdjustmentCommands, PaperEndThresholdRefusesUnknownKindsAndNamesAStuckByte) {
    for (const Words& words : std::vector<Words>{{"pe-threshold"},
                                                 {"pe-threshold", "rear"},
                                                 {"pe-threshold", "PE"},
                                                 {"pe-threshold", "pe", "tpe"}}) {
        ExpectNothingSent(Run(words), words.back());
    }
    Poke(0xAB, 0x40);
    Control("eeprom-stuck=0xAB");
    const clitest::CliRun stuck = Run({"pe-threshold", "tpe"});
    EXPECT_EQ(stuck.status, 4);
    EXPECT_NE(stuck.err.find("0xAB: wrote 0x00, the printer holds 0x40"), std::string::npos) << stuck.err;
}

TEST(BidirectionalRows, NamesAndNumbers) {
    const tolvane_cli::BidirectionalModeNames names = {"Draft", "LQ", "LQ"};
    std::string error;
    EXPECT_EQ(tolvane_cli::BidirectionalRowOf("2", names, &error), 2);
    EXPECT_EQ(tolvane_cli::BidirectionalRowOf("DRAFT", names, &error), 0);
    EXPECT_EQ(tolvane_cli::BidirectionalRowOf("lq", names, &error), std::nullopt);
    EXPECT_NE(error.find("rows 1 and 2"), std::string::npos) << error;
    EXPECT_EQ(tolvane_cli::BidirectionalRowOf("NLQ", names, &error), std::nullopt);
    EXPECT_NE(error.find("0 \"Draft\", 1 \"LQ\", 2 \"LQ\""), std::string::npos) << error;
    // Digits are always a row number, never a name.
    EXPECT_EQ(tolvane_cli::BidirectionalRowOf("3", names, &error), std::nullopt);
    EXPECT_NE(error.find("no bid row 3"), std::string::npos) << error;
}

}  // namespace
