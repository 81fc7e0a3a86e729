// What the print test page offers per paper width and the order its Readjust runs the adjustments in.
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "patterns/PrintTestList.h"

namespace patterns {
namespace {

TEST(PrintTestEntries, FollowTheFlagsAndThePaperWidth) {
    struct Case {
        int flags;
        int columns;
        std::vector<std::string> texts;
        std::vector<std::uint16_t> codes;
    };
    const Case cases[] = {
        {patterns::kAllPrintTests,
         136,
         {"FF Paper(1P)", "A3 Copy(7P)", "A4 Copy(1P)", "Pitch x1", "Pitch x20"},
         {0x0102, 0x0104, 0x0105, 0x0106, 0x0107}},
        {patterns::kAllPrintTests,
         80,
         {"FF Paper(1P)", "A4 Copy(7P)", "A4 Horizontal(1P)", "Passbook"},
         {0x0102, 0x0104, 0x0105, 0x0103}},
        {4, 80, {"FF Paper(1P)"}, {0x0102}},
        {1, 136, {"A3 Copy(7P)"}, {0x0104}},
        {16, 136, {"Pitch x20"}, {0x0107}},
        // The pitch tests exist on the wide printer only, the passbook on the narrow one only.
        {8, 80, {}, {}},
        {32, 136, {}, {}},
        {0, 136, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.flags) + " at " + std::to_string(c.columns));
        const std::vector<patterns::PrintTestEntry> entries = patterns::PrintTestEntries(c.flags, c.columns);
        std::vector<std::string> texts;
        std::vector<std::uint16_t> codes;
        for (const patterns::PrintTestEntry& entry : entries) {
            texts.push_back(entry.text);
            codes.push_back(entry.code);
        }
        EXPECT_EQ(texts, c.texts);
        EXPECT_EQ(codes, c.codes);
    }
    const patterns::PrintTestEntry passbook{"Passbook", 0x0103};
    EXPECT_EQ(passbook.Selector(), 1);
    EXPECT_EQ(passbook.Item(), 3);
}

TEST(ReadjustRun, SortsByTheMasterSequenceAndEndsWithItsLastItem) {
    const std::vector<std::string> sequence = {"404", "402", "100", "406", "101", "102", "103", "104", "200"};
    EXPECT_EQ(patterns::ReadjustRun({"102", "101"}, sequence), (std::vector<int>{101, 102, 200}));
    EXPECT_EQ(patterns::ReadjustRun({"101", "102", "103", "104"}, sequence),
              (std::vector<int>{101, 102, 103, 104, 200}));
    // Nothing ticked reprints the closing item alone.
    EXPECT_EQ(patterns::ReadjustRun({}, sequence), (std::vector<int>{200}));
    // An adjustment the sequence lacks still runs, after the sorted ones; the closing item runs once.
    EXPECT_EQ(patterns::ReadjustRun({"103", "101"}, {"101", "102", "103"}), (std::vector<int>{101, 103}));
    EXPECT_EQ(patterns::ReadjustRun({"104", "102"}, {"102", "200"}), (std::vector<int>{102, 104, 200}));
    EXPECT_EQ(patterns::ReadjustRun({"101"}, {}), (std::vector<int>{101}));
}

}  // namespace
}  // namespace patterns
