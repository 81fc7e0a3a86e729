#include "PatternTestSupport.h"

namespace {

// The column of needle 1 .. 24: bit 7 of the first byte is needle 1, bit 0 of the third needle 24.
const int kNeedleColumns[24][3] = {
    {0x80, 0, 0}, {0x40, 0, 0}, {0x20, 0, 0}, {0x10, 0, 0}, {0x08, 0, 0}, {0x04, 0, 0},
    {0x02, 0, 0}, {0x01, 0, 0}, {0, 0x80, 0}, {0, 0x40, 0}, {0, 0x20, 0}, {0, 0x10, 0},
    {0, 0x08, 0}, {0, 0x04, 0}, {0, 0x02, 0}, {0, 0x01, 0}, {0, 0, 0x80}, {0, 0, 0x40},
    {0, 0, 0x20}, {0, 0, 0x10}, {0, 0, 0x08}, {0, 0, 0x04}, {0, 0, 0x02}, {0, 0, 0x01},
};

Bytes NeedleDefinitions() {
    Bytes bytes = B({0x1B, '&', 0, 'A', 'X'});
    for (const auto& column : kNeedleColumns) {
        bytes = bytes + B({0, 12, 0});
        for (int i = 0; i < 12; ++i) {
            bytes = bytes + B({column[0], column[1], column[2]});
        }
    }
    return bytes;
}

const Bytes kTail = B({0x0D, 0x0A, 0x1B, '%', 0, 0x0D, 0x0A, 0x1B, 'C', 70});

TEST(NeedleCheck, DefinesTwentyFourNeedleCharactersAndPrintsEachThreeTimes) {
    CPattern pattern(TestModel());
    EXPECT_TRUE(pattern.NeedleCheck());
    Bytes line;
    for (char code = 'A'; code <= 'X'; ++code) {
        line = line + Repeat(static_cast<std::uint8_t>(code), 3);
    }
    const Bytes expected =
        B({0x1B, '3', 30, 0x1B, 'x', 0, 0x1B, 'y', 0, 0x1B, '%', 0, 0x1B, 'P', 0x12, 0x1B, 'F'}) +
        ModeFlag(0) + TextNul("Needle check\r\n") +
        TextNul(" 1  2  3  4  5  6  7  8  9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24\r\n") +
        B({0x1B, 'x', 0, 0x1B, '%', 1, 0x1B, 'P', 0x12, 0x1B, 'F', 0x1B, 'C', 70, 0x1B, ':', 0, 0, 0}) +
        NeedleDefinitions() + line + kTail;
    EXPECT_EQ(Contents(pattern), expected);
    EXPECT_EQ(line.size(), 72u);
    EXPECT_EQ(expected.size(), 1159u);
}

TEST(NeedleCheck, ReverseOrderPrintsNeedle24First) {
    CPattern pattern(TestModel(136));
    EXPECT_TRUE(pattern.NeedleCheckReverse());
    Bytes line;
    for (char code = 'X'; code >= 'A'; --code) {
        line = line + Repeat(static_cast<std::uint8_t>(code), 3);
    }
    const Bytes expected =
        B({0x1B, 'C', 70, 0x1B, '3', 30, 0x1B, 'x', 0, 0x1B, '%', 0, 0x1B, 'P', 0x12, 0x1B, 'F'}) +
        ModeFlag(0) + TextNul("Needle check\r\n") +
        TextNul(" 1  2  3  4  5  6  7  8  9  10 11 12 13 14 15 16 17 18 19 20 21 22 23 24\r\n") +
        B({0x1B, 'x', 0, 0x1B, '%', 1, 0x1B, 'P', 0x12, 0x1B, 'F', 0x1B, 'C', 70}) + ModeFlag(0) +
        B({0x1B, ':', 0, 0, 0}) + NeedleDefinitions() + line + kTail;
    EXPECT_EQ(Contents(pattern), expected);
    EXPECT_EQ(expected.size(), 1171u);
}

}  // namespace
