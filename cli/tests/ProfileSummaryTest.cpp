// The command line against the shipped profiles, which every build copies beside the test program.
#include <gtest/gtest.h>

#include <sstream>

#include "ProfileSummary.h"
#include "config/CTolvAppParam.h"
#include "config/CTolvLangText.h"
#include "config/CTolvPrnParam.h"
#include "config/ConfigurationScope.h"

namespace {

class ProfileSummary : public ::testing::Test {
protected:
    config::ScopedConfiguration configuration_;
};

TEST_F(ProfileSummary, ListsTheShippedProfilesAndTheirLanguages) {
    EXPECT_EQ(tolvane_cli::ListProfiles(), (std::vector<std::string>{"VK-2240II", "VK-572D"}));
    EXPECT_EQ(tolvane_cli::ListLanguages("VK-572D"), (std::vector<std::string>{"English", "Japanese"}));
    EXPECT_EQ(tolvane_cli::ListLanguages("VK-2240II"), (std::vector<std::string>{"English"}));
    EXPECT_TRUE(tolvane_cli::ListLanguages("no such profile").empty());
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

}  // namespace
