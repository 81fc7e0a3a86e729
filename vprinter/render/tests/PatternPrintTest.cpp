// The program's own patterns, built by its builders, printed where the commands put them.
#include "RenderTestSupport.h"
#include "patterns/CPattern.h"

using namespace vprinter::render;

namespace {

Bytes Built(int columns, const std::function<void(CVexilCommon&)>& build) {
    patterns::PatternModel model;
    model.firstIdByte = 0x57;
    model.secondIdByte = 0x2D;
    model.columns = columns;
    CPattern pattern(model);
    build(pattern);
    return Bytes(pattern.Bytes().begin(), pattern.Bytes().end());
}

TEST(WidthRuler, TicksLandEverySixLetterQualityColumns) {
    for (const auto& [columns, padding] : std::vector<std::pair<int, int>>{{80, 28}, {136, 56}}) {
        TestPrinter printer(columns);
        printer.mechanics.errors = {4, 4, 4};  // unidirectional: no pass is off
        printer.Print(Built(columns, [columns](CVexilCommon& pattern) { pattern.WidthRuler(columns, 2); }));
        // 'E', the padding, then eight 'J' (baseline), eight 'K' (baseline and ticks), eight 'L' (ticks).
        const int firstJ = (1 + padding) * 144;
        const int firstK = firstJ + 8 * 144;
        const int firstL = firstK + 8 * 144;
        std::vector<int> expected;
        for (int tick = 0; tick < 2 * 8 * 6; ++tick) {
            expected.push_back(Column(firstK + tick * 24));  // every six columns of 36 per cell
        }
        // Needle 20 carries the ticks only; needle 1 the baseline under 'J' and 'K'.
        EXPECT_EQ(InkCentres(printer.Sheet(), NeedleRow(0, 20)), expected) << columns;
        const auto baseline = InkStarts(printer.Sheet(), NeedleRow(0, 1));
        ASSERT_FALSE(baseline.empty());
        EXPECT_EQ(baseline.back(), Column(firstJ) - 1) << columns;
        EXPECT_FALSE(printer.Sheet().Inked(Column(firstL + 4), NeedleRow(0, 1)));
        // The second row lies 42/360 inch lower and lines up with the first.
        EXPECT_EQ(InkCentres(printer.Sheet(), NeedleRow(42, 20)), expected) << columns;
    }
}

TEST(NeedleCheck, EachNeedleFiresUnderItsOwnNumber) {
    TestPrinter printer;
    printer.Print(Built(80, [](CVexilCommon& pattern) { pattern.NeedleCheck(); }));
    // Two text lines at 30/180 inch, then 24 groups of three 12-column draft cells.
    constexpr int kTop = 2 * 60;
    for (int needle = 1; needle <= 24; ++needle) {
        const auto starts = InkStarts(printer.Sheet(), NeedleRow(kTop, needle));
        ASSERT_FALSE(starts.empty()) << needle;
        const int group = (needle - 1) * 3 * 144;
        EXPECT_EQ(starts.front(), Column(group) - 1) << needle;
        EXPECT_EQ(starts.size(), 1u) << needle;
    }
}

TEST(BackFeedCheck, TheSixStepsJoinOnOneLine) {
    TestPrinter printer;
    printer.Print(Built(80, [](CVexilCommon& pattern) { pattern.BackFeedCheck(); }));
    // Each step prints ten cells, feeds a line of 30/180 inch and comes back by as much, so the six
    // needle-1 lines join into one of sixty cells on the row under the label.
    const auto starts = InkStarts(printer.Sheet(), NeedleRow(60, 1));
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0], Column(0) - 1);
    EXPECT_TRUE(printer.Sheet().Inked(Column(60 * 144 - 12), NeedleRow(60, 1)));
    EXPECT_FALSE(printer.Sheet().Inked(Column(60 * 144 + 12), NeedleRow(60, 1)));
    EXPECT_TRUE(InkStarts(printer.Sheet(), NeedleRow(120, 1)).empty());
}

TEST(InformationReport, PrintsTheEepromBytesThePrinterHolds) {
    TestPrinter printer;
    printer.mechanics.eeprom[0x10] = 0xAB;
    patterns::PatternModel model;
    model.firstIdByte = 0x57;
    model.secondIdByte = 0x2D;
    model.customerAddresses = {0x10, -1};
    model.customerValues = {0xAB};
    CPattern pattern(model);
    pattern.InformationReport("S123", "1.00");
    printer.Print(Bytes(pattern.Bytes().begin(), pattern.Bytes().end()));
    printer.End();
    const auto& text = printer.log.Text();
    ASSERT_GE(text.size(), 3u);
    EXPECT_EQ(text[1], "EEPROM          :               <<AB>>");
    EXPECT_EQ(text[2], "Reference       :               <<AB>>");
}

}  // namespace
