// Pages: form feeds, page lengths, the top of form, reverse feeds.
#include "RenderTestSupport.h"

using namespace vprinter::render;

namespace {

const Bytes kDot = BitImage(39, {{0x80, 0, 0}});

TEST(Pages, FormFeedSendsTheSheetOutAtItsPageLength) {
    TestPrinter printer;
    printer.Print(kDot + B({0x0D, 0x0C}) + kDot + B({0x0D}));
    ASSERT_EQ(printer.pages.pages.size(), 1u);
    const auto& sheet = printer.pages.pages[0];
    EXPECT_TRUE(sheet.finished);
    EXPECT_EQ(sheet.number, 1);
    EXPECT_EQ(sheet.image.Height(), 11 * 360);  // the power-on fanfold length
    EXPECT_TRUE(sheet.image.Inked(Column(0), 0));
    // The next sheet starts at its top of form.
    EXPECT_TRUE(printer.Sheet().Inked(Column(0), 0));
}

TEST(Pages, LinesPastThePageLengthGoOnTheNextSheet) {
    TestPrinter printer;
    // ESC 'C' 10 at 1/6 inch: ten lines, 600 rows. Twelve lines with a dot each.
    Bytes data = B({0x1B, 'C', 10});
    for (int line = 0; line < 12; ++line) {
        data = data + kDot + B({0x0D, 0x0A});
    }
    printer.Print(data);
    ASSERT_EQ(printer.pages.Finished(), 1u);
    const auto& first = printer.pages.pages[0].image;
    EXPECT_EQ(first.Height(), 600);
    EXPECT_TRUE(first.Inked(Column(0), 540));
    EXPECT_TRUE(printer.Sheet().Inked(Column(0), 0));
    EXPECT_TRUE(printer.Sheet().Inked(Column(0), 60));
    EXPECT_EQ(printer.paper.Position(), 120);
}

TEST(Pages, PageLengthInUnitsAndTheCurrentLineAsTopOfForm) {
    TestPrinter printer;
    // Two lines down (120 rows), ESC '(' 'C' 300/360 inch: the sheet ends at 420.
    printer.Print(B({0x0A, 0x0A, 0x1B, '(', 'C', 2, 0, 44, 1}) + kDot + B({0x0C}));
    ASSERT_EQ(printer.pages.pages.size(), 1u);
    EXPECT_EQ(printer.pages.pages[0].image.Height(), 420);
    // The next sheet is 300 rows long.
    printer.Print(kDot + B({0x0C}));
    EXPECT_EQ(printer.pages.pages[1].image.Height(), 300);
}

TEST(Pages, PageLengthsOfNothingAreRefused) {
    TestPrinter printer;
    // ESC '(' 'C' 0, ESC 'C' 0 0 (zero inches), and 70 lines of zero spacing.
    printer.Print(B({0x1B, '(', 'C', 2, 0, 0, 0, 0x1B, 'C', 0, 0, 0x1B, '3', 0, 0x1B, 'C', 70}) + kDot +
                  B({0x0C}));
    ASSERT_EQ(printer.pages.pages.size(), 1u);
    EXPECT_EQ(printer.pages.pages[0].image.Height(), 11 * 360);
    EXPECT_EQ(printer.log.Events().size(), 3u);
}

TEST(Pages, ReverseFeedPrintsOverWhatIsAlreadyThere) {
    TestPrinter printer;
    // A dot, four feeds of 128/180 inch, four reverse feeds of the same: the second dot lands on the first.
    const Bytes down = B({0x1B, 'J', 128, 0x1B, 'J', 128, 0x1B, 'J', 128, 0x1B, 'J', 128});
    const Bytes up = B({0x1B, 'j', 128, 0x1B, 'j', 128, 0x1B, 'j', 128, 0x1B, 'j', 128});
    printer.Print(B({0x0A}) + kDot + B({0x0D}) + down + up + kDot + B({0x0D}));
    EXPECT_EQ(InkedPixels(printer.Sheet()), 5u);
    EXPECT_TRUE(printer.Sheet().Inked(Column(0), 60));
}

TEST(Pages, ReverseFeedStopsAtTheTopOfTheSheet) {
    TestPrinter printer;
    printer.Print(B({0x1B, 'J', 10, 0x1B, 'j', 100}) + kDot + B({0x0D}));
    EXPECT_EQ(printer.paper.Position(), 0);
    EXPECT_TRUE(printer.Sheet().Inked(Column(0), 0));
    ASSERT_EQ(printer.log.Events().size(), 1u);
    EXPECT_NE(printer.log.Events()[0].find("top of the page"), std::string::npos);
}

TEST(Pages, BlankSheetsAreCountedNotWritten) {
    TestPrinter printer;
    printer.Print(B({0x0C, 0x0C}));
    printer.End();
    EXPECT_TRUE(printer.pages.pages.empty());
    EXPECT_EQ(printer.log.blankPagesEjected, 2u);
}

TEST(Pages, TheSheetInThePrinterIsShownAtTheEndOfTheJobAndStaysThere) {
    TestPrinter printer;
    printer.Print(kDot + B({0x0D, 0x0A}));
    printer.End();
    ASSERT_EQ(printer.pages.pages.size(), 1u);
    EXPECT_FALSE(printer.pages.pages[0].finished);
    // The next job goes on on the same sheet.
    printer.Print(kDot + B({0x0D, 0x0C}));
    ASSERT_EQ(printer.pages.pages.size(), 2u);
    EXPECT_TRUE(printer.pages.pages[1].finished);
    EXPECT_EQ(printer.pages.pages[1].number, 1);
    EXPECT_TRUE(printer.pages.pages[1].image.Inked(Column(0), 60));
}

}  // namespace
