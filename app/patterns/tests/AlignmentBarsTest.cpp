#include "PatternTestSupport.h"

namespace {

const Bytes kCrLf = B({0x0D, 0x0A});

Bytes Rows(const Bytes& row, int count) {
    Bytes bytes;
    for (int i = 0; i < count; ++i) {
        bytes = bytes + row;
    }
    return bytes;
}

TEST(Mode1Bar, ShowsTheValueAndPrintsFourRowsOfTheFifthColumnCharacter) {
    CPattern pattern(TestModel());
    EXPECT_TRUE(pattern.Mode1Bar(80, true, -3));
    const Bytes expected =
        B({0x1C, '.', 0x1B, 'C', 70, 0x1B, 'x', 0, 0x1B, 'y', 0, 0x1B, '%', 0, 0x1B, 'P', 0x12, 0x1B, 'F'}) +
        TextNul("Mode 1") + Text("     Value = -3") + kCrLf + B({0x1B, '3', 24}) + ModeFlag(1) +
        B({0x1B, 'x', 0, 0x1B, '%', 1, 0x1B, 'P', 0x12, 0x1B, 'F', 0x1B, 'C', 70, 0x1B, ':', 0, 0, 0}) +
        B({0x1B, '&', 0, 'A', 'A', 0, 12, 0}) + Repeat(0x00, 12) + Repeat(0xFF, 3) + Repeat(0x00, 21) +
        Rows(Repeat('A', 80) + kCrLf, 4) + B({0x1B, '2', 0x1B, 'C', 70, 0x1B, '%', 0, 0x0D, 0x0A});
    EXPECT_EQ(Contents(pattern), expected);
}

TEST(Mode1Bar, WithoutTheValueTheLabelEndsTheLine) {
    CPattern pattern(TestModel(136));
    EXPECT_TRUE(pattern.Mode1Bar(136, false, 7));
    const Bytes bytes = Contents(pattern);
    EXPECT_EQ(Occurrences(bytes, TextNul("Mode 1") + kCrLf), 1);
    EXPECT_EQ(Occurrences(bytes, Text("Value")), 0);
    EXPECT_EQ(bytes.size(), static_cast<std::size_t>(4 * 136 + 123));
}

TEST(Mode2Bar, SendsNineColumnsPerCharacterWithOneFullColumn) {
    struct {
        int columns;
        int low;
        int high;
    } const kWidths[] = {{80, 0xD0, 0x02}, {136, 0xC8, 0x04}};
    for (const auto& width : kWidths) {
        SCOPED_TRACE(width.columns);
        CPattern pattern(TestModel(width.columns));
        EXPECT_TRUE(pattern.Mode2Bar(width.columns, true, 12));
        const Bytes row = B({0x1B, '*', 38, width.low, width.high}) +
                          Rows(Repeat(0xFF, 3) + Repeat(0x00, 24), width.columns) + kCrLf;
        const Bytes expected = B({0x1B, 'x', 0, 0x1B, 'y', 0, 0x1B, 'P'}) + TextNul("Mode 2") +
                               Text("     Value = 12") + kCrLf + B({0x1C, '.', 0x1B, '3', 24}) + ModeFlag(1) +
                               Rows(row, 4) + B({0x1B, '2', 0x1B, 'C', 70, 0x0D, 0x0A});
        EXPECT_EQ(Contents(pattern), expected);
        EXPECT_EQ(expected.size(), static_cast<std::size_t>(108 * width.columns + 68 + 15));
    }
}

TEST(Mode4Bar, PrintsPairsOfAColumnCharacterAndAnEmptyOneCondensed) {
    CPattern pattern(TestModel());
    EXPECT_TRUE(pattern.Mode4Bar(80, false, 0));
    const Bytes expected =
        B({0x1C, '.', 0x1B, 'x', 0, 0x1B, 'y', 0, 0x1B, '%', 0, 0x1B, 'P', 0x12, 0x1B, 'F'}) +
        TextNul("Mode 4") + kCrLf + B({0x1B, '3',  24,   0x1B, 'x',  1,   0x1B, '%',  1,   0x1B,
                                       'P',  0x12, 0x1B, 'F',  0x1B, 'M', 0x0F, 0x1B, 'C', 70}) +
        ModeFlag(1) + B({0x1B, ':', 0, 0, 0}) + B({0x1B, '&', 0, 'A', 'B'}) + B({0, 36, 0}) +
        Repeat(0x00, 12) + Repeat(0xFF, 3) + Repeat(0x00, 93) + B({0, 36, 0}) + Repeat(0x00, 108) +
        Rows(Rows(B({'A', 'B'}), 80) + kCrLf, 4) +
        B({0x1B, '2', 0x1B, 'C', 70, 0x1B, '%', 0, 0x12, 0x1B, 'F', 0x0D, 0x0A});
    EXPECT_EQ(Contents(pattern), expected);
    EXPECT_EQ(expected.size(), static_cast<std::size_t>(8 * 80 + 309));
}

TEST(ModeBars, NegativeAndWideValuesAreWrittenInDecimal) {
    struct {
        int value;
        const char* text;
    } const kValues[] = {{0, "     Value = 0"}, {-12, "     Value = -12"}, {12, "     Value = 12"}};
    for (const auto& shown : kValues) {
        SCOPED_TRACE(shown.text);
        CPattern pattern(TestModel());
        EXPECT_TRUE(pattern.Mode4Bar(80, true, shown.value));
        EXPECT_EQ(Occurrences(Contents(pattern), TextNul("Mode 4") + Text(shown.text) + kCrLf), 1);
    }
}

}  // namespace
