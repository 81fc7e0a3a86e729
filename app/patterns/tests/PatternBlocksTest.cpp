#include "PatternTestSupport.h"

namespace {

// ESC ':' 0 0 0
const Bytes kCopyRom = B({0x1B, 0x3A, 0x00, 0x00, 0x00});
// ESC 'C' 70
const Bytes kSeventyLines = B({0x1B, 0x43, 70});
const Bytes kCrLf = B({0x0D, 0x0A});

Bytes Columns(const Bytes& column, int count) {
    Bytes bytes;
    for (int i = 0; i < count; ++i) {
        bytes = bytes + column;
    }
    return bytes;
}

// ESC '&' 0 'A' 'A', header 0 12 0 and 36 bytes of 0xFF.
Bytes DefineSolidA() {
    return B({0x1B, 0x26, 0x00, 'A', 'A', 0x00, 12, 0x00}) + Repeat(0xFF, 36);
}

// ESC '&' 0 'A' 'A', header 0 12 0 and twelve columns 128 0 0.
Bytes DefineTopLineA() {
    return B({0x1B, 0x26, 0x00, 'A', 'A', 0x00, 12, 0x00}) + Columns(B({0x80, 0x00, 0x00}), 12);
}

TEST(FrameBlock, OpensWithTheTabStopsAndTheSolidCornerAndEndsWithTheClosingCorner) {
    struct {
        int columns;
        int rightTab;
    } const kWidths[] = {{80, 78}, {106, 104}, {136, 134}};
    for (const auto& width : kWidths) {
        SCOPED_TRACE(width.columns);
        CPattern pattern(TestModel(width.columns));
        EXPECT_TRUE(pattern.Frame(width.columns));
        const Bytes bytes = Contents(pattern);

        const Bytes head =
            B({0x1C, 0x2E, 0x1B, 'x', 0, 0x1B, 'y', 0, 0x1B, '%', 1, 0x1B, 'P', 0x12, 0x1B, 'F'}) +
            ModeFlag(0) + kSeventyLines + B({0x1B, 'D', 2, width.rightTab, 0}) + kCopyRom + DefineSolidA() +
            B({'A', 'A', 0x00, 0x0D, 0x09});
        EXPECT_EQ(Head(bytes, head.size()), head);

        const Bytes topEdge = B({0x1B, 'x', 0, 0x1B, 'y', 0, 0x1B, '%', 1, 0x1B, 'P', 0x1B, 'F'}) +
                              kSeventyLines + kCopyRom + ModeFlag(1) + DefineTopLineA() +
                              Repeat('A', width.columns - 4) + B({0x0D, 0x09, 0x09});
        EXPECT_EQ(Occurrences(bytes, topEdge), 1);

        const Bytes tail = B({0x1B, 'x', 0, 0x1B, 'y', 0, 0x1B, '%', 1, 0x1B, 'P', 0x12, 0x1B, 'F'}) +
                           ModeFlag(0) + kSeventyLines + kCopyRom + DefineSolidA() +
                           B({'A', 'A', 0x1B, '%', 0, 0x0D, 0x0A});
        EXPECT_EQ(Tail(bytes, tail.size()), tail);

        // 40 + 49 + (w + 75) + 84 bytes in the four steps.
        EXPECT_EQ(bytes.size(), static_cast<std::size_t>(width.columns + 248));
    }
}

TEST(CgRomCheckBlock, IsExactlyTheSixtySixBytesOfTheCheck) {
    CPattern pattern(TestModel());
    EXPECT_TRUE(pattern.CgRomCheck());
    const Bytes expected = B({0x1B, 'P', 0x1B, 'x', 0, 0x1B, 'y', 0}) + TextNul("CG & ROM Check\r\n") +
                           B({0x1B, 'x', 1, 0x1C, '&', 0x18}) + Repeat(166, 10) + Repeat(34, 10) +
                           B({0x1B, '(', 't', 3, 0, 1, 1, 0, 0x0D, 0x0A, 0x1C, '.', 0x18, 0x0D, 0x0A});
    EXPECT_EQ(Contents(pattern), expected);
    EXPECT_EQ(expected.size(), 66u);
}

TEST(BlackBarsBlock, SendsSixColumnsPerCharacterAndEighteenBytesOfInkPerCharacter) {
    struct {
        int columns;
        int low;
        int high;
        std::size_t dataBytes;
    } const kWidths[] = {{80, 0xE0, 0x01, 1440}, {106, 0x7C, 0x02, 1908}, {136, 0x30, 0x03, 2448}};
    for (const auto& width : kWidths) {
        SCOPED_TRACE(width.columns);
        CPattern pattern(TestModel(width.columns));
        EXPECT_TRUE(pattern.BlackBar(width.columns));
        const Bytes bar = B({0x1B, '*', 32, width.low, width.high}) +
                          Repeat(0xFF, static_cast<int>(width.dataBytes)) + kCrLf;
        EXPECT_EQ(Contents(pattern), ModeFlag(0) + bar + kSeventyLines);

        CPattern four(TestModel(width.columns));
        EXPECT_TRUE(four.BlackBars(4, width.columns));
        EXPECT_EQ(Contents(four), ModeFlag(0) + bar + bar + bar + bar + kSeventyLines);
    }
}

TEST(WidthRulerBlock, DefinesTheRulerCharactersAndPrintsOneRowPerCount) {
    CPattern pattern(TestModel());
    EXPECT_TRUE(pattern.WidthRuler(80, 1));
    const Bytes j = B({0x00, 36, 0x00}) + Columns(B({0x80, 0x00, 0x00}), 36);
    const Bytes k = B({0x00, 36, 0x00}) + Columns(B({0x80, 0x00, 17}) + Columns(B({0x80, 0x00, 0x00}), 5), 6);
    const Bytes l = B({0x00, 36, 0x00}) + Columns(B({0x00, 0x00, 17}) + Repeat(0x00, 15), 6);
    const Bytes row =
        B({0x1B, '+', 42, 0x1B, 'U', 1, 0x1C, '.', 0x1B, 'P', 0x12, 0x1B, 'F', 0x1B, 'x', 1, 'E'}) +
        Repeat(' ', 28) + B({0x1B, '%', 1}) + Repeat('J', 8) + Repeat('K', 8) + Repeat('L', 8) +
        B({0x1B, '%', 0}) + kCrLf;
    const Bytes expected = B({0x1C, '.'}) + ModeFlag(0) + B({0x1B, 'x', 1, 0x1B, '&', 0, 'J', 'L'}) + j + k +
                           l + row + B({0x1B, '2', 0x1B, 'U', 0});
    EXPECT_EQ(Contents(pattern), expected);
}

TEST(WidthRulerBlock, PadsTheRowForTheShippedWidthsAndByTheWidthOtherwise) {
    struct {
        int columns;
        int spaces;
    } const kWidths[] = {{80, 28}, {106, 41}, {136, 56}, {100, 100}, {96, 96}};
    for (const auto& width : kWidths) {
        SCOPED_TRACE(width.columns);
        CPattern pattern(TestModel(width.columns));
        EXPECT_TRUE(pattern.WidthRuler(width.columns, 6));
        const Bytes bytes = Contents(pattern);
        EXPECT_EQ(Occurrences(bytes, B({'E'}) + Repeat(' ', width.spaces) + B({0x1B, '%', 1})), 6);
        // 16 bytes of set-up, 338 of characters, 49 + padding per row and 5 at the end.
        EXPECT_EQ(bytes.size(), static_cast<std::size_t>(359 + 6 * (49 + width.spaces)));
    }
}

TEST(ShadedBandBlock, FramesEachRowOfSolidBlocksWithSpaces) {
    for (const int columns : {80, 136}) {
        SCOPED_TRACE(columns);
        CPattern pattern(TestModel(columns));
        EXPECT_TRUE(pattern.ShadedBand(columns, 6));
        const Bytes bytes = Contents(pattern);
        const Bytes head = B({0x1C, '.'}) + kSeventyLines +
                           B({0x1B, '3', 24, 0x1B, 'x', 0, 0x1B, '%', 1, 0x1B, 'P', 0x12, 0x1B, 'F'}) +
                           ModeFlag(0) + kSeventyLines + kCopyRom + DefineSolidA() + kSeventyLines +
                           B({0x1B, '-', 1, 0x1B, 'U', 1});
        EXPECT_EQ(Head(bytes, head.size()), head);
        const Bytes row = B({' '}) + Repeat('A', columns - 2) + B({' ', 0x0D, 0x0A});
        EXPECT_EQ(Occurrences(bytes, row), 6);
        const Bytes tail = row + B({0x1B, '%', 0, 0x1B, '2', 0x1B, '-', 0, 0x1B, 'U', 0, 0x0D, 0x0A});
        EXPECT_EQ(Tail(bytes, tail.size()), tail);
        EXPECT_EQ(bytes.size(), static_cast<std::size_t>(104 + 6 * (columns + 2)));
    }
}

TEST(BackFeedCheckBlock, PrintsSixPiecesEachAfterAReverseFeedAndAGrowingIndent) {
    CPattern pattern(TestModel());
    EXPECT_TRUE(pattern.BackFeedCheck());
    Bytes pieces;
    for (const int indent : {10, 20, 30, 40, 50, 60}) {
        pieces = pieces + Repeat('A', 10) + kCrLf + kSeventyLines + B({0x1B, 'j', 30}) +
                 (indent == 60 ? Bytes{} : Repeat(' ', indent));
    }
    const Bytes expected =
        B({0x1B, '3', 30, 0x1B, 'x', 0, 0x1B, 'y', 1, 0x1B, '%', 0, 0x1B, 'P', 0x12, 0x1B, 'F'}) +
        TextNul("Back feed check\r\n") +
        B({0x1B, 'x', 0, 0x1B, 'y', 0, 0x1B, '%', 1, 0x1B, 'P', 0x12, 0x1B, 'F'}) + kSeventyLines + kCopyRom +
        DefineTopLineA() + pieces + B({0x1B, '2', 0x0D, 0x0A});
    EXPECT_EQ(Contents(pattern), expected);
    EXPECT_EQ(expected.size(), 363u);
}

TEST(BottomLineBlock, DrawsFifteenCharactersOnNeedle24WithoutALineEnd) {
    CPattern pattern(TestModel());
    EXPECT_TRUE(pattern.BottomLine());
    const Bytes expected =
        ModeFlag(0) +
        B({0x1B, '3', 30, 0x1B, 'x', 0, 0x1B, 'y', 0, 0x1B, '%', 0, 0x1B, 'P', 0x12, 0x1B, 'F'}) +
        B({0x1B, 'x', 1, 0x1B, '%', 1}) + kCopyRom + B({0x1B, '&', 0, 'A', 'A', 0, 36, 0}) +
        Columns(B({0x00, 0x00, 0x01}), 36) + Repeat(' ', 5) + Repeat('A', 15) +
        B({0x1B, '%', 0, 0x1B, 'x', 0}) + kSeventyLines;
    EXPECT_EQ(Contents(pattern), expected);
    EXPECT_EQ(expected.size(), 184u);
}

TEST(EBlock, PrintsAWideRowAndTwentyOneNarrowOnes) {
    CPattern pattern(TestModel());
    EXPECT_TRUE(pattern.EBlock());
    Bytes expected = B({0x1C, '.', 0x12, 0x1B, 'F', 0x18}) + ModeFlag(0) +
                     B({0x1B, 'x', 0, 0x1B, 'y', 0, 0x1B, '%', 0, 0x1B, 'P'}) + Repeat('E', 45) + kCrLf;
    for (int row = 0; row < 21; ++row) {
        expected = expected + Repeat('E', 5) + kCrLf;
    }
    EXPECT_EQ(Contents(pattern), expected);
    EXPECT_EQ(expected.size(), 222u);
}

TEST(PatternBlocks, AWidthThatCannotBeEncodedBuildsNothing) {
    for (const int columns : {0, -5, 256, 100000}) {
        SCOPED_TRACE(columns);
        CPattern pattern(TestModel());
        EXPECT_FALSE(pattern.Frame(columns));
        EXPECT_FALSE(pattern.BlackBars(4, columns));
        EXPECT_FALSE(pattern.WidthRuler(columns, 6));
        EXPECT_FALSE(pattern.ShadedBand(columns, 6));
        EXPECT_FALSE(pattern.Mode2Bar(columns, false, 0));
        EXPECT_FALSE(pattern.PageFrame(1, columns, 66));
        EXPECT_EQ(pattern.WritePosition(), 0u);
    }
}

}  // namespace
