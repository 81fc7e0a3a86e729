// The command line against the shipped profiles, which every build copies beside the test program.
#include <gtest/gtest.h>

#include <sstream>

#include "ProfileSummary.h"
#include "TolvaneCommandLine.h"
#include "config/CTolvAppParam.h"
#include "config/CTolvLangText.h"
#include "config/CTolvPrnParam.h"
#include "config/ConfigurationScope.h"
#include "config/ProfileListing.h"

namespace {

class ProfileSummary : public ::testing::Test {
protected:
    config::ScopedConfiguration configuration_;
};

TEST_F(ProfileSummary, ListsTheShippedProfilesAndTheirLanguages) {
    EXPECT_EQ(config::ListProfiles(), (std::vector<std::string>{"VK-2240II", "VK-572D"}));
    EXPECT_EQ(config::ListLanguages("VK-572D"), (std::vector<std::string>{"English", "Japanese"}));
    EXPECT_EQ(config::ListLanguages("VK-2240II"), (std::vector<std::string>{"English"}));
    EXPECT_TRUE(config::ListLanguages("no such profile").empty());
}

TEST_F(ProfileSummary, DescribesEachModel) {
    std::ostringstream out;
    tolvane_cli::WriteProfiles(out);
    const std::string text = out.str();
    EXPECT_NE(text.find("VK-572D: 80 columns, EEPROM up to address 255 (one-byte addresses)"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("VK-2240II: 136 columns, EEPROM up to address 511 (two-byte addresses), USB serial "
                        "number none"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("[ORLEX VK-572D]"), std::string::npos) << text;
    EXPECT_NE(text.find("(empty slot)"), std::string::npos) << text;
}

TEST_F(ProfileSummary, MenuRowsCarryTheCatalogueNames) {
    std::ostringstream out;
    tolvane_cli::WriteMenu(out, "VK-572D", "English");
    EXPECT_NE(out.str().find("102  BID_ADJUST  Bi-d Adjustment\n"), std::string::npos) << out.str();
}

TEST_F(ProfileSummary, TickedPartsRunInTheMasterOrder) {
    // Row 0 is the print head (101, 102, 303, 200), row 2 the carriage motor (102, 200).
    std::ostringstream out;
    EXPECT_EQ(tolvane_cli::WriteSequence(out, "VK-572D", "English", {2, 0}), 0);
    std::istringstream lines(out.str());
    std::vector<std::string> items;
    for (std::string line; std::getline(lines, line);) {
        items.push_back(line.substr(0, 3));
    }
    EXPECT_EQ(items, (std::vector<std::string>{"101", "102", "303", "200"}));
}

TEST_F(ProfileSummary, NoTickedPartAsksForParts) {
    std::ostringstream out;
    EXPECT_EQ(tolvane_cli::WriteSequence(out, "VK-572D", "English", {}), 1);
    EXPECT_EQ(out.str(), "Please select replace or removal parts.\n");
}

// The whole command line, as a technician types it.
struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

ToolRun Tolvane(const std::vector<std::string>& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = tolvane_cli::RunTolvane(arguments, out, err);
    return {status, out.str(), err.str()};
}

TEST(TolvaneCommandLine, AnswersEachCommand) {
    EXPECT_EQ(Tolvane({"profiles"}).status, 0);
    const ToolRun menu = Tolvane({"menu", "VK-572D", "English"});
    EXPECT_EQ(menu.status, 0);
    EXPECT_NE(menu.out.find("102  BID_ADJUST  Bi-d Adjustment\n"), std::string::npos) << menu.out;
    const ToolRun parts = Tolvane({"parts", "VK-2240II", "English"});
    EXPECT_EQ(parts.status, 0);
    EXPECT_EQ(parts.out.substr(0, 2), "0 ");
    const ToolRun sequence = Tolvane({"sequence", "VK-572D", "English", "2"});
    EXPECT_EQ(sequence.status, 0);
    EXPECT_EQ(sequence.out.substr(0, 3), "102") << sequence.out;
    EXPECT_TRUE(sequence.err.empty());
}

TEST(TolvaneCommandLine, RefusesWhatItCannotAnswer) {
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{},
                                               {"profile"},
                                               {"profiles", "extra"},
                                               {"menu", "VK-572D"},
                                               {"sequence", "VK-572D", "English"}}) {
        const ToolRun run = Tolvane(arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.err.rfind("usage: tolvane profiles\n", 0), 0u) << run.err;
        EXPECT_TRUE(run.out.empty());
    }
    const ToolRun profile = Tolvane({"menu", "VK-0000", "English"});
    EXPECT_EQ(profile.status, 2);
    EXPECT_EQ(profile.err, "tolvane: no model profile named VK-0000\n");
    const ToolRun language = Tolvane({"parts", "VK-2240II", "Japanese"});
    EXPECT_EQ(language.status, 2);
    EXPECT_EQ(language.err, "tolvane: profile VK-2240II has no language Japanese\n");
}

// The usage text promises rows 0 to 199, the slots of the parts list; the check holds it to that.
TEST(TolvaneCommandLine, TakesPartsRowsTheUsageTextPromises) {
    EXPECT_NE(Tolvane({}).err.find("0 to 199"), std::string::npos);
    // The last slot is empty in the shipped file: a valid row that selects nothing.
    EXPECT_EQ(Tolvane({"sequence", "VK-572D", "English", "199"}).status, 1);
    for (const char* row : {"200", "999", "-1", "1000", "2x", ""}) {
        const ToolRun run = Tolvane({"sequence", "VK-572D", "English", "0", row});
        EXPECT_EQ(run.status, 2) << row;
        EXPECT_EQ(run.err,
                  std::string("tolvane: a parts row is a number from 0 to 199, not \"") + row + "\"\n");
        EXPECT_TRUE(run.out.empty()) << row;
    }
}

}  // namespace
