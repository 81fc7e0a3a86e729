#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "PatternToolCommandLine.h"
#include "platform/Clock.h"

using namespace pattern_tool;

namespace {

TEST(PatternToolNumbers, AcceptDecimalAndHexadecimalAndNothingElse) {
    struct {
        const char* text;
        bool valid;
        long long value;
    } const kCases[] = {
        {"0", true, 0},         {"42", true, 42},     {"-3", true, -3},  {"0x5A", true, 0x5A},
        {"0X1ff", true, 0x1FF}, {"-0x10", true, -16}, {"", false, 0},    {"-", false, 0},
        {"0x", false, 0},       {"12a", false, 0},    {"six", false, 0}, {"+5", false, 0},
        {" 5", false, 0},       {"0x-5", false, 0},   {"--5", false, 0}, {"99999999999999999999", false, 0},
    };
    for (const auto& number : kCases) {
        SCOPED_TRACE(number.text);
        long long value = 0;
        EXPECT_EQ(ParseNumber(number.text, value), number.valid);
        if (number.valid) {
            EXPECT_EQ(value, number.value);
        }
    }
}

TEST(PatternToolCommandLine, ReadsProfileCustomerBlockAndAssignments) {
    Request request;
    std::string error;
    ASSERT_TRUE(ParseCommandLine(
        {"--profile", "VK-572D", "--customer", "2", "mode1-bar", "show=1", "value=-3"}, request, error));
    EXPECT_EQ(request.profile, "VK-572D");
    EXPECT_EQ(request.customer, 2);
    EXPECT_EQ(request.block, "mode1-bar");
    EXPECT_EQ(request.assignments.size(), 2u);
    EXPECT_EQ(request.assignments[1], (std::pair<std::string, std::string>{"value", "-3"}));
}

TEST(PatternToolCommandLine, RefusesWhatItCannotUnderstand) {
    const std::vector<std::vector<std::string>> kRefused = {
        {"--profile"},
        {"--profile", "VK-572D", "--customer", "15"},
        {"--profile", "VK-572D", "--customer"},
        {"--profile", "VK-572D", "--bogus", "frame"},
        {"--profile", "VK-572D", "n=4", "black-bars"},
        {"--profile", "VK-572D", "black-bars", "n"},
        {"--profile", "VK-572D", "black-bars", "=4"},
    };
    for (const auto& arguments : kRefused) {
        SCOPED_TRACE(arguments.back());
        Request request;
        std::string error;
        EXPECT_FALSE(ParseCommandLine(arguments, request, error));
        EXPECT_FALSE(error.empty());
    }
}

TEST(PatternToolArguments, FillDefaultsAndCheckNamesAndRanges) {
    const PatternBlock* ruler = FindBlock("width-ruler");
    ASSERT_NE(ruler, nullptr);
    BlockArguments resolved;
    std::string error;
    patterns::PatternModel model;
    model.columns = 136;
    ASSERT_TRUE(ResolveArguments(*ruler, {}, model, resolved, error));
    EXPECT_EQ(resolved.Number("n"), 6);
    EXPECT_EQ(resolved.Number("columns"), 136);

    const PatternBlock* write = FindBlock("eeprom-write");
    ASSERT_NE(write, nullptr);
    const std::vector<std::vector<std::pair<std::string, std::string>>> kRefused = {
        {{"address", "0x23"}},                                     // value missing
        {{"address", "0x23"}, {"value", "256"}},                   // value out of range
        {{"address", "0x23"}, {"value", "1"}, {"set", "3"}},       // no set 3
        {{"address", "0x23"}, {"value", "1"}, {"colour", "red"}},  // unknown key
        {{"address", "0x23"}, {"value", "1"}, {"value", "2"}},     // given twice
        {{"address", "-1"}, {"value", "1"}},                       // negative address
        {{"address", "0x100"}, {"value", "1"}},                    // beyond one-byte addresses
    };
    for (const auto& assignments : kRefused) {
        SCOPED_TRACE(assignments.back().first + "=" + assignments.back().second);
        BlockArguments refused;
        EXPECT_FALSE(ResolveArguments(*write, assignments, model, refused, error));
    }

    model.eepromAddressForm = protocol::factory::AddressForm::TwoByte;
    BlockArguments twoByte;
    EXPECT_TRUE(ResolveArguments(*write, {{"address", "0x100"}, {"value", "1"}}, model, twoByte, error));
    EXPECT_FALSE(ResolveArguments(*write, {{"address", "0x10000"}, {"value", "1"}}, model, twoByte, error));
}

struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

ToolRun RunTool(const std::vector<std::string>& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunPatternTool(arguments, out, err);
    return {status, out.str(), err.str()};
}

std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (const int value : values) {
        bytes.push_back(static_cast<char>(value));
    }
    return bytes;
}

TEST(PatternTool, WritesTheEepromWriteInTheShippedProfilesAddressForms) {
    const ToolRun oneByte =
        RunTool({"--profile", "VK-572D", "eeprom-write", "set=1", "address=0x23", "value=0x5A"});
    EXPECT_EQ(oneByte.status, 0) << oneByte.err;
    EXPECT_EQ(oneByte.out, Bytes({0x1B, 0x7C, 0x00, 0x07, 0x00, 0x57, 0x2D, 0x04, 0xFB, 0x02, 0x23, 0x5A}));

    const ToolRun twoByte =
        RunTool({"--profile", "VK-2240II", "eeprom-write", "set=2", "address=0x123", "value=0x5A"});
    EXPECT_EQ(twoByte.status, 0) << twoByte.err;
    EXPECT_EQ(twoByte.out,
              Bytes({0x1B, 0x7C, 0x00, 0x07, 0x00, 0x22, 0x40, 0x05, 0xFA, 0x82, 0x23, 0x01, 0x5A}));
}

TEST(PatternTool, ReportShowsTheSelectedCustomersBytes) {
    platform::VirtualClock clock(platform::LocalTime{2026, 11, 30, 23, 59, 0});
    platform::ScopedClock scoped(clock);
    const ToolRun withUsb = RunTool({"--profile", "VK-572D", "report", "serial=ABC123", "rom=1.00"});
    EXPECT_EQ(withUsb.status, 0) << withUsb.err;
    EXPECT_NE(withUsb.out.find("<<01 05 00 02 00 E0 10>>"), std::string::npos);
    EXPECT_NE(withUsb.out.find(std::string("USB S/No.       : ") + '\0' + "ABC123"), std::string::npos);
    EXPECT_NE(withUsb.out.find("30/11/2026  23:59"), std::string::npos);

    const ToolRun withoutUsb =
        RunTool({"--profile", "VK-2240II", "--customer", "1", "report", "serial=ABC123"});
    EXPECT_EQ(withoutUsb.status, 0) << withoutUsb.err;
    EXPECT_NE(withoutUsb.out.find("<<02 00 00 02 01 78 0F 01>>"), std::string::npos);
    EXPECT_EQ(withoutUsb.out.find("USB S/No."), std::string::npos);
    EXPECT_EQ(withoutUsb.out.find("ABC123"), std::string::npos);
}

TEST(PatternTool, RefusalsExitWithStatusTwoAndWriteNoBytes) {
    const std::vector<std::vector<std::string>> kRefused = {
        {"--profile", "VK-572D", "needle-chek"},
        {"--profile", "VK-572D", "width-ruler", "rows=6"},
        {"--profile", "VK-572D", "width-ruler", "n=0"},
        {"--profile", "VK-572D", "eeprom-write", "address=0x100", "value=1"},
        {"--profile", "VK-0000", "frame"},
        {"--profile", "../Parameter", "frame"},
        {"frame"},
        {"--profile", "VK-572D"},
    };
    for (const auto& arguments : kRefused) {
        SCOPED_TRACE(arguments.back());
        const ToolRun run = RunTool(arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.out.empty());
        EXPECT_NE(run.err.find("tolvane-patterns: "), std::string::npos);
    }
}

TEST(PatternTool, ListNamesEveryPatternBlock) {
    const ToolRun run = RunTool({"--profile", "VK-2240II", "--list"});
    EXPECT_EQ(run.status, 0);
    // Each block's line starts with its name; its summary follows on an indented line.
    std::set<std::string> listed;
    std::istringstream lines(run.out);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line[0] != ' ') {
            listed.insert(line.substr(0, line.find(' ')));
        }
    }
    for (const char* name :
         {"frame", "cg-rom-check", "black-bars", "mode1-bar", "mode2-bar", "mode4-bar", "width-ruler",
          "shaded-band", "back-feed-check", "bottom-line", "e-block", "page-frame", "page-frame-with-bar",
          "needle-check", "needle-check-reverse", "report", "eeprom-write"}) {
        EXPECT_EQ(listed.count(name), 1u) << name;
    }
    EXPECT_NE(run.out.find("columns=1..255, default 136"), std::string::npos);
}

}  // namespace
