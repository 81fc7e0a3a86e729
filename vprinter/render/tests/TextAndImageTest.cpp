// Small command sequences against the pixels they must leave on the paper.
#include "RenderTestSupport.h"

using namespace vprinter::render;

namespace {

constexpr int kNeedle1 = 0x80;   // first byte of a column
constexpr int kNeedle24 = 0x01;  // third byte of a column

// ESC '&' 0 c c with one character of twelve columns whose fifth column fires all needles.
Bytes DefineBarCharacter(char code, int width = 12) {
    Bytes bytes = B({0x1B, '&', 0, code, code, 0, width, 0});
    for (int column = 0; column < width; ++column) {
        bytes = bytes + (column == 4 ? B({0xFF, 0xFF, 0xFF}) : B({0, 0, 0}));
    }
    return bytes;
}

TEST(BitImage, PlacesEachNeedleOfEachColumn) {
    TestPrinter printer;
    printer.Print(BitImage(39, {{kNeedle1, 0, 0}, {0, 0, kNeedle24}}) + B({0x0D}));
    const auto& page = printer.Sheet();
    // 180 dpi: the second column is 8/1440 inch, two pixels, to the right.
    EXPECT_TRUE(page.Inked(Column(0), NeedleRow(0, 1)));
    EXPECT_TRUE(page.Inked(Column(8), NeedleRow(0, 24)));
    EXPECT_FALSE(page.Inked(Column(0), NeedleRow(0, 24)));
    EXPECT_FALSE(page.Inked(Column(8), NeedleRow(0, 1)));
    // Each dot is a disc of the needle's diameter: three pixels across, five in all.
    EXPECT_TRUE(page.Inked(Column(0) - 1, 0));
    EXPECT_TRUE(page.Inked(Column(0) + 1, 0));
    EXPECT_FALSE(page.Inked(Column(0) - 2, 0));
    EXPECT_EQ(InkedPixels(page), 2u * 5u - 1u);  // the dot at row 0 loses its top pixel off the sheet
}

TEST(BitImage, ColumnPitchFollowsTheDensity) {
    const std::vector<std::pair<int, int>> densityAndPitchInPixels = {
        {32, 6}, {33, 3}, {38, 4}, {39, 2}, {40, 1}};
    for (const auto& [density, pitch] : densityAndPitchInPixels) {
        TestPrinter printer;
        // Needle 12 fires in the first and the ninth column.
        std::vector<std::array<int, 3>> columns(9, {0, 0, 0});
        columns[0] = columns[8] = {0, 0x10, 0};
        printer.Print(BitImage(density, columns) + B({0x0D}));
        const int row = NeedleRow(0, 12);
        EXPECT_EQ(InkCentres(printer.Sheet(), row), (std::vector<int>{Column(0), Column(0) + 8 * pitch}))
            << "density " << density;
    }
}

TEST(BitImage, DotsPastTheRightMarginAreDropped) {
    TestPrinter printer(10);  // one inch: 60 columns at 60 dpi
    std::vector<std::array<int, 3>> columns(70, {kNeedle1, 0, 0});
    printer.Print(BitImage(32, columns) + B({0x0D}));
    const auto centres = InkCentres(printer.Sheet(), 0);
    ASSERT_EQ(centres.size(), 60u);
    EXPECT_EQ(centres.back(), Column(59 * 24));
}

TEST(LineSpacing, EachSpacingCommandMovesTheNextLine) {
    const std::vector<std::pair<Bytes, int>> cases = {
        {B({0x1B, '2'}), 60},      // 1/6 inch
        {B({0x1B, '3', 24}), 48},  // 24/180 inch
        {B({0x1B, '+', 42}), 42},  // 42/360 inch
        {B({0x1B, '0'}), 45},      // 1/8 inch
    };
    for (const auto& [command, rows] : cases) {
        TestPrinter printer;
        const Bytes dot = BitImage(39, {{kNeedle1, 0, 0}});
        printer.Print(command + dot + B({0x0D, 0x0A}) + dot + B({0x0D}));
        EXPECT_TRUE(printer.Sheet().Inked(Column(0), rows)) << rows;
        EXPECT_FALSE(printer.Sheet().Inked(Column(0), rows - 2)) << rows;
    }
}

TEST(Feeds, ForwardAndReverseFeedsMoveByHundredEightiethsOfAnInch) {
    TestPrinter printer;
    const Bytes dot = BitImage(39, {{kNeedle1, 0, 0}});
    // 100/180 inch down, then 30/180 back: the second dot lands 140 rows below the first. The feeds
    // keep the horizontal position, so it also lands one 180-dpi column to the right.
    printer.Print(dot + B({0x1B, 'J', 100, 0x1B, 'j', 30}) + dot + B({0x0D}));
    EXPECT_EQ(InkCentres(printer.Sheet(), 140), std::vector<int>{Column(8)});
    EXPECT_EQ(InkCentres(printer.Sheet(), 0), std::vector<int>{Column(0)});
}

TEST(UserDefinedCharacters, PrintTheirColumnsAtTheCellsOfThePitch) {
    // Twelve draft columns across a cell: column 4 of a 10-cpi cell (144/1440 inch) is 48 units in.
    const std::vector<std::pair<Bytes, int>> pitchAndCell = {
        {B({0x1B, 'P'}), 144},       // 10 cpi
        {B({0x1B, 'M'}), 120},       // 12 cpi
        {B({0x1B, 'P', 0x0F}), 84},  // condensed 10 cpi: 17.1 cpi
        {B({0x1B, 'M', 0x0F}), 72},  // condensed 12 cpi: 20 cpi
    };
    for (const auto& [pitch, cell] : pitchAndCell) {
        TestPrinter printer;
        printer.Print(B({0x1B, ':', 0, 0, 0}) + DefineBarCharacter('A') + pitch + B({0x1B, '%', 1}) +
                      Text("AA\r"));
        const int column4 = 4 * cell / 12;
        EXPECT_EQ(InkCentres(printer.Sheet(), NeedleRow(0, 12)),
                  (std::vector<int>{Column(column4), Column(cell + column4)}))
            << "cell " << cell;
        // The column fires all 24 needles: an unbroken line from needle 1 to needle 24.
        for (int row = 0; row <= NeedleRow(0, 24); ++row) {
            EXPECT_TRUE(printer.Sheet().Inked(Column(column4), row)) << "row " << row;
        }
    }
}

TEST(UserDefinedCharacters, SelectionCopyAndCancelCondensed) {
    TestPrinter printer;
    // Without ESC ':' an undefined code of the RAM set is blank; DC2 ends condensed printing; ESC '%' 0
    // returns to the built-in set, whose 'A' is not a single full-height line.
    printer.Print(DefineBarCharacter('A') + B({0x0F, 0x12, 0x1B, '%', 1}) + Text("BA") + B({0x1B, '%', 0}) +
                  Text("A\r"));
    const auto centres = InkCentres(printer.Sheet(), NeedleRow(0, 24));
    EXPECT_EQ(centres, std::vector<int>{Column(144 + 48)});
    EXPECT_GT(InkStarts(printer.Sheet(), NeedleRow(0, 8)).size(), 1u);  // the built-in 'A' in cell 3
    EXPECT_TRUE(InkCentres(printer.Sheet(), NeedleRow(0, 8)).back() > Column(288));
}

TEST(UserDefinedCharacters, LetterQualityCharactersHaveThirtySixColumnsACell) {
    TestPrinter printer;
    Bytes define = B({0x1B, 'x', 1, 0x1B, '&', 0, 'A', 'A', 0, 36, 0});
    for (int column = 0; column < 36; ++column) {
        define = define + (column == 9 ? B({0, 0, kNeedle24}) : B({0, 0, 0}));
    }
    printer.Print(define + B({0x1B, '%', 1}) + Text("AA\r"));
    // Column 9 of 36 in a 144-unit cell: 36 units in.
    EXPECT_EQ(InkCentres(printer.Sheet(), NeedleRow(0, 24)),
              (std::vector<int>{Column(36), Column(144 + 36)}));
}

TEST(Text, CancelLineDropsWhatTheLineHolds) {
    TestPrinter printer;
    printer.Print(Text("WWWW") + B({0x18}) + Text("\r\n"));
    printer.End();
    EXPECT_TRUE(printer.Sheet().Blank());
}

TEST(Text, TabsGoToTheStopsSetAtThePitchOfTheMoment) {
    TestPrinter printer;
    // Stops at characters 5 and 20 at 12 cpi (120 units a character).
    printer.Print(B({0x1B, 'M', 0x1B, 'D', 5, 20, 0, 0x09}) + BitImage(39, {{kNeedle1, 0, 0}}) + B({0x09}) +
                  BitImage(39, {{kNeedle1, 0, 0}}) + B({0x0D}));
    EXPECT_EQ(InkCentres(printer.Sheet(), 0), (std::vector<int>{Column(600), Column(2400)}));
}

TEST(Text, UnderlineRunsAlongNeedle23UnderEveryCell) {
    TestPrinter printer;
    printer.Print(B({0x1B, '-', 1}) + Text("  ") + B({0x1B, '-', 0}) + Text(" \r"));
    const auto starts = InkStarts(printer.Sheet(), NeedleRow(0, 23));
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0], Column(0) - 1);
    EXPECT_TRUE(printer.Sheet().Inked(Column(2 * 144) - 2, NeedleRow(0, 23)));
    EXPECT_FALSE(printer.Sheet().Inked(Column(2 * 144) + 2, NeedleRow(0, 23)));
}

TEST(Text, TextPastTheRightMarginWrapsToTheNextLine) {
    TestPrinter printer(4);
    printer.Print(Text("EEEEE\r"));
    // Four characters on the first line, the fifth at the start of the next (1/6 inch lower).
    EXPECT_TRUE(printer.Sheet().Inked(Column(144 / 12 + 2), NeedleRow(0, 8)));
    EXPECT_TRUE(printer.Sheet().Inked(Column(144 / 12 + 2), NeedleRow(60, 8)));
    EXPECT_FALSE(printer.Sheet().Inked(Column(144 + 144 / 12 + 2), NeedleRow(60, 8)));
}

TEST(FactoryCommands, PrintEepromBytePrintsTheByteAsTwoHexadecimalDigits) {
    TestPrinter byCommand;
    byCommand.mechanics.eeprom[0x23] = 0x5A;
    byCommand.Print(B({0x1B, '|', 0, 6, 0, 0x57, 0x2D, 0x01, 0xFE, 0x80, 0x23}) + Text("\r"));
    TestPrinter byText;
    byText.Print(Text("5A\r"));
    EXPECT_FALSE(byCommand.Sheet().Blank());
    for (int row = 0; row < 48; ++row) {
        ASSERT_EQ(InkStarts(byCommand.Sheet(), row), InkStarts(byText.Sheet(), row)) << "row " << row;
    }
}

TEST(FactoryCommands, TwoByteAddressesReachTheWholeEeprom) {
    TestPrinter byCommand(80, true);
    byCommand.mechanics.eeprom[0x123] = 0x07;
    // EEPROM write (length 7, eight payload bytes), then print EEPROM byte 0x0123.
    byCommand.Print(B({0x1B, '|', 0, 7, 0, 0x41, 0x42, 0x04, 0xFB, 0x02, 0x23, 0x01, 0x5A}) +
                    B({0x1B, '|', 0, 7, 0, 0x41, 0x42, 0x01, 0xFE, 0x80, 0x23, 0x01}) + Text("\r"));
    TestPrinter byText;
    byText.Print(Text("07\r"));
    for (int row = 0; row < 48; ++row) {
        ASSERT_EQ(InkStarts(byCommand.Sheet(), row), InkStarts(byText.Sheet(), row)) << "row " << row;
    }
}

}  // namespace
