// The bi-directional mechanics: right-to-left passes land off by the mode's timing error less the
// stored correction, until the right value is stored.
#include "RenderTestSupport.h"
#include "patterns/CPattern.h"

using namespace vprinter::render;

namespace {

patterns::PatternModel Model() {
    patterns::PatternModel model;
    model.firstIdByte = 0x57;
    model.secondIdByte = 0x2D;
    model.columns = 80;
    return model;
}

Bytes Built(const std::function<void(CVexilCommon&)>& build) {
    CPattern pattern(Model());
    build(pattern);
    return Bytes(pattern.Bytes().begin(), pattern.Bytes().end());
}

// The bars' rows: the label line at 0, its line end at 1/6 inch, then four rows 24/180 inch apart.
constexpr int kFirstRow = 60;
constexpr int kRowPitch = 48;

// How far the second row's lines sit to the right of the first row's, in pixels.
int SecondRowOffset(const PageRaster& page, int rowTop = kFirstRow) {
    const auto first = InkStarts(page, NeedleRow(rowTop, 12));
    const auto second = InkStarts(page, NeedleRow(rowTop + kRowPitch, 12));
    EXPECT_FALSE(first.empty());
    EXPECT_EQ(first.size(), second.size());
    return first.empty() || second.empty() ? 9999 : second[0] - first[0];
}

TEST(Bidirectional, Mode1BarIsMisalignedUntilTheRightCorrectionIsStored) {
    const Bytes bar = Built([](CVexilCommon& pattern) { pattern.Mode1Bar(80, false, 0); });
    TestPrinter wrong;
    wrong.mechanics.errors = {5, 0, 0};
    wrong.mechanics.StoreCorrection(PrintMode::Draft, -2);
    wrong.Print(bar);
    // The first row runs left to right: the fifth column of each 12-column draft cell, 48/1440 inch in.
    EXPECT_EQ(InkStarts(wrong.Sheet(), NeedleRow(kFirstRow, 12)).front(), Column(48) - 1);
    // The second runs right to left: 5 - (-2) = 7 timing units of 1/360 inch.
    EXPECT_EQ(SecondRowOffset(wrong.Sheet()), 7);
    EXPECT_EQ(SecondRowOffset(wrong.Sheet(), kFirstRow + 2 * kRowPitch), 7);

    TestPrinter right;
    right.mechanics.errors = {5, 0, 0};
    right.mechanics.StoreCorrection(PrintMode::Draft, 5);
    right.Print(bar);
    EXPECT_EQ(SecondRowOffset(right.Sheet()), 0);
    EXPECT_EQ(right.log.rightToLeftPasses, 2u);
}

TEST(Bidirectional, TheValueSetInsideTheDataTakesEffectAtOnce) {
    const Bytes job = Built([](CVexilCommon& pattern) {
        pattern.SetBidirectionalValue(0, static_cast<std::uint8_t>(-4));
        pattern.Mode1Bar(80, true, -4);
    });
    TestPrinter printer;
    printer.mechanics.errors = {-4, 0, 0};
    printer.Print(job);
    EXPECT_EQ(SecondRowOffset(printer.Sheet()), 0);
}

TEST(Bidirectional, EachBarAnswersToItsOwnMode) {
    struct Case {
        const char* bar;
        std::function<void(CVexilCommon&)> build;
        PrintMode mode;
    };
    const std::vector<Case> cases = {
        {"Mode 1", [](CVexilCommon& p) { p.Mode1Bar(80, false, 0); }, PrintMode::Draft},
        {"Mode 2", [](CVexilCommon& p) { p.Mode2Bar(80, false, 0); }, PrintMode::BitImage},
        {"Mode 4", [](CVexilCommon& p) { p.Mode4Bar(80, false, 0); }, PrintMode::LetterQuality},
    };
    for (const auto& testCase : cases) {
        const Bytes bar = Built(testCase.build);
        for (int mode = 0; mode < kPrintModes; ++mode) {
            TestPrinter printer;
            printer.mechanics.errors[static_cast<std::size_t>(mode)] = -3;
            printer.Print(bar);
            const int expected = static_cast<PrintMode>(mode) == testCase.mode ? -3 : 0;
            EXPECT_EQ(SecondRowOffset(printer.Sheet()), expected)
                << testCase.bar << " with an error in mode " << mode;
        }
    }
}

TEST(Bidirectional, UnidirectionalPrintingIsNeverOff) {
    TestPrinter printer;
    printer.mechanics.errors = {6, 6, 6};
    printer.Print(B({0x1B, 'U', 1}) + Built([](CVexilCommon& pattern) { pattern.Mode1Bar(80, false, 0); }));
    EXPECT_EQ(SecondRowOffset(printer.Sheet()), 0);
    EXPECT_EQ(printer.log.rightToLeftPasses, 0u);
}

TEST(Bidirectional, TheNextPatternFollowsThePreviousOneWithoutTheFeedGap) {
    // The adjustment page's jobs: the bar and four feeds of 128/180 inch, so that the technician sees it
    // past the tear-off edge; the next job feeds back the same way first, so its bar prints right
    // where the first one's paper ended, over the stretch that was fed out, not 2.8 inches lower.
    const auto job = [](bool feedBack, int value) {
        return Built([feedBack, value](CVexilCommon& pattern) {
            for (int feed = 0; feedBack && feed < 4; ++feed) {
                pattern.ReverseFeed(128);
            }
            pattern.Mode1Bar(80, true, value);
            for (int feed = 0; feed < 4; ++feed) {
                pattern.Feed(128);
            }
        });
    };
    TestPrinter printer;
    printer.mechanics.errors = {3, 0, 0};
    printer.Print(job(false, 0));
    printer.End();
    printer.mechanics.StoreCorrection(PrintMode::Draft, 3);
    printer.Print(job(true, 3));
    printer.End();
    // The first bar: label at 0, rows from 60, a line end after the rows and one more: 312 rows.
    constexpr int kSecondBar = kFirstRow + 4 * kRowPitch + 60;
    EXPECT_EQ(SecondRowOffset(printer.Sheet()), 3);
    EXPECT_EQ(SecondRowOffset(printer.Sheet(), kSecondBar + kFirstRow), 0);
    // Nothing below the second bar: the feeds out and back cancel.
    for (int row = kSecondBar + kFirstRow + 4 * kRowPitch; row < printer.Sheet().Height(); ++row) {
        ASSERT_TRUE(InkStarts(printer.Sheet(), row).empty()) << "row " << row;
    }
    EXPECT_EQ(printer.paper.Position(), 2 * kSecondBar + 4 * 256);
}

}  // namespace
