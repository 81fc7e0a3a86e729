// What every printer command stands on: the options, numbers, the JSON text, the progress bar, the
// backups and the verified change, the last two against the virtual printer over TCP.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "CliOverTcp.h"
#include "EepromBackup.h"
#include "ExitCodes.h"
#include "JsonWriter.h"
#include "NumberArgument.h"
#include "ProgressBar.h"
#include "ServiceOptions.h"
#include "ServiceSession.h"
#include "VerifiedChange.h"
#include "config/ConfigurationScope.h"
#include "printer/EepFile.h"

namespace {

using tolvane_cli::ByteChange;
using tolvane_cli::ParseNumber;
using tolvane_cli::ServiceOptions;

TEST(ServiceOptions, TakesOptionsAnywhereAndKeepsTheWordsInOrder) {
    ServiceOptions options;
    std::string error;
    ASSERT_TRUE(tolvane_cli::ParseServiceOptions(
        {"eeprom", "--port", "USB2", "dump", "--from=0x10", "--json", "--", "--to"}, &options, &error))
        << error;
    EXPECT_EQ(options.port, "USB2");
    EXPECT_TRUE(options.json);
    EXPECT_EQ(options.Value("from"), "0x10");
    EXPECT_FALSE(options.Value("to").has_value());
    EXPECT_EQ(options.words, (std::vector<std::string>{"eeprom", "dump", "--to"}));
    // Negative numbers are words, not options.
    ServiceOptions bid;
    ASSERT_TRUE(tolvane_cli::ParseServiceOptions({"bid", "set", "0=-3", "-3"}, &bid, &error));
    EXPECT_EQ(bid.words.size(), 4u);
}

TEST(ServiceOptions, RefusesUnknownOptionsAndMissingValues) {
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{"status", "--prot", "USB1"},
                                               {"status", "--port"},
                                               {"status", "--port="},
                                               {"status", "--json=1"}}) {
        ServiceOptions options;
        std::string error;
        EXPECT_FALSE(tolvane_cli::ParseServiceOptions(arguments, &options, &error)) << arguments[1];
        EXPECT_FALSE(error.empty());
    }
}

TEST(NumberArgument, ReadsDecimalAndHexWithinTheRangeAndNothingElse) {
    EXPECT_EQ(ParseNumber("255", 0, 255), 255);
    EXPECT_EQ(ParseNumber("0xfF", 0, 255), 255);
    EXPECT_EQ(ParseNumber("-12", -12, 12), -12);
    for (const char* text :
         {"256", "-1", "0x100", "", "0x", "1 ", " 1", "1e2", "0x1G", "99999999999999999999"}) {
        EXPECT_FALSE(ParseNumber(text, 0, 255).has_value()) << text;
    }
    EXPECT_EQ(tolvane_cli::Hex(0xA), "0x0A");
}

TEST(JsonWriter, EscapesEveryByteAPrinterCouldSend) {
    using tolvane_cli::JsonValue;
    JsonValue object = JsonValue::Object();
    object.Add("model", JsonValue::String("VK\"572\\D\n\x01\xff"))
        .Add("values", JsonValue::Array().Push(JsonValue::Number(-3)).Push(JsonValue::Real(12.5)))
        .Add("ok", JsonValue::Bool(true));
    EXPECT_EQ(object.Text(), R"({"model":"VK\"572\\D\u000A\u0001\u00FF","values":[-3,12.5],"ok":true})");
    EXPECT_EQ(JsonValue::Real(-0.001).Text(), "0");
}

TEST(ProgressBar, DrawsOnATerminalOnlyAfterASecondAndWipesItself) {
    platform::VirtualClock clock;
    platform::ScopedClock scoped(clock);
    std::ostringstream pipe;
    std::ostringstream terminal;
    {
        tolvane_cli::ProgressBar quiet(pipe, false, "reading", 4);
        tolvane_cli::ProgressBar bar(terminal, true, "reading", 4);
        bar.Step();
        EXPECT_TRUE(terminal.str().empty());
        clock.Advance(1000);
        quiet.Step();
        bar.Step();
        EXPECT_NE(terminal.str().find("reading [###############...............] 2/4"), std::string::npos)
            << terminal.str();
    }
    EXPECT_TRUE(pipe.str().empty());
    EXPECT_EQ(terminal.str().back(), '\r');
}

class VerifiedChangeOverTcp : public clitest::CliOverTcp {
protected:
    int Change(std::vector<ByteChange> changes, bool dryRun = false) {
        config::ScopedConfiguration configuration;
        ServiceOptions options;
        options.port = "USB1";
        options.profile = "VK-572D";
        options.backupDir = backups.Path();
        options.dryRun = dryRun;
        tolvane_cli::ServiceSession session(options, out, err);
        return tolvane_cli::RunVerifiedChange(session, changes,
                                              [&] { return tolvane_cli::WriteBytes(session, changes); });
    }
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(VerifiedChangeOverTcp, BacksUpWritesAndReadsBack) {
    Poke(0x10, 0x00);
    Poke(0x11, 0x22);
    ASSERT_EQ(Change({{0x10, 0xA5}, {0x11, 0x5A}}), tolvane_cli::kExitSuccess) << err.str();
    EXPECT_EQ(Peek(0x10), 0xA5);
    EXPECT_EQ(Peek(0x11), 0x5A);
    EXPECT_EQ(out.str(), "0x10: 0x00 -> 0xA5\n0x11: 0x22 -> 0x5A\n");
    ASSERT_EQ(Backups().size(), 1u);
    // The backup holds the EEPROM from before the change, and is named in the messages.
    printer::EepromImage image{};
    ASSERT_EQ(printer::LoadEepFile(backups.File(Backups()[0]), &image), printer::EepFileResult::Ok);
    EXPECT_EQ(image[0x10], 0x00);
    EXPECT_EQ(image[0x11], 0x22);
    EXPECT_NE(err.str().find("backup: " + backups.File(Backups()[0])), std::string::npos) << err.str();
}

TEST_F(VerifiedChangeOverTcp, NamesEachAddressThePrinterDidNotKeep) {
    Poke(0x10, 0x01);
    Poke(0x12, 0x03);
    Control("eeprom-stuck=0x10,0x12");
    EXPECT_EQ(Change({{0x10, 0xA5}, {0x11, 0x5A}, {0x12, 0x77}}), tolvane_cli::kExitVerifyFailed);
    EXPECT_NE(err.str().find("0x10: wrote 0xA5, the printer holds 0x01"), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("0x12: wrote 0x77, the printer holds 0x03"), std::string::npos) << err.str();
    EXPECT_EQ(err.str().find("0x11: wrote"), std::string::npos) << err.str();
    EXPECT_EQ(Backups().size(), 1u);
}

TEST_F(VerifiedChangeOverTcp, DryRunShowsThePlanAndTouchesNothing) {
    Poke(0x10, 0x01);
    EXPECT_EQ(Change({{0x10, 0xA5}}, true), tolvane_cli::kExitSuccess) << err.str();
    EXPECT_EQ(out.str(), "0x10: 0x01 -> 0xA5\n");
    EXPECT_EQ(Peek(0x10), 0x01);
    EXPECT_TRUE(Backups().empty());
}

TEST_F(VerifiedChangeOverTcp, ChangesNothingWhenThePrinterCannotBeRead) {
    // A printer that refuses the port is no printer; one that opens it and stays silent failed.
    Control("offline=refuse");
    EXPECT_EQ(Change({{0x10, 0xA5}}), tolvane_cli::kExitNoPrinter);
    Control("offline=silent");
    EXPECT_EQ(Change({{0x10, 0xA5}}), tolvane_cli::kExitFailed);
    EXPECT_TRUE(Backups().empty());
    Control("offline=no");
    EXPECT_NE(Peek(0x10), 0xA5);
}

TEST(EepromBackup, TheNewestBackupGoesByTimeAndCounterAndSkipsOtherPrinters) {
    testsupport::TemporaryFolder folder("tolv-cli-newest");
    for (const char* name :
         {"ABC123-20261208-235959.eep", "ABC123-20261209-010000.eep", "ABC123-20261209-010000-2.eep",
          "ABC123-20261209-010000-10.eep", "ABC1234-20261210-000000.eep", "ABC123-20261211-000000.eep.tmp",
          "ABC123-2026121-000000.eep"}) {
        folder.Write(name, std::string(1024, '\0'));
    }
    EXPECT_EQ(tolvane_cli::NewestBackup(folder.Path(), "ABC123"),
              folder.File("ABC123-20261209-010000-10.eep"));
    EXPECT_FALSE(tolvane_cli::NewestBackup(folder.Path(), "XYZ").has_value());
    EXPECT_FALSE(tolvane_cli::NewestBackup(folder.File("missing"), "ABC123").has_value());
}

}  // namespace
