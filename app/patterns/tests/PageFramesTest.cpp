#include "PatternTestSupport.h"

namespace {

const Bytes kCrLf = B({0x0D, 0x0A});

TEST(PageFrame, HeaderLineSidesAndBottomLineAreAllAsWideAsThePaper) {
    CPattern pattern(TestModel());
    EXPECT_TRUE(pattern.PageFrame(1, 80, 4));
    const Bytes side = Repeat('E', 5) + Repeat(' ', 70) + Repeat('E', 5) + kCrLf;
    const Bytes expected = B({0x1B, 'P'}) + Repeat('E', 10) + Text("<Page001>") + Repeat('E', 61) + kCrLf +
                           side + side + Repeat('E', 80) + kCrLf;
    EXPECT_EQ(Contents(pattern), expected);
}

TEST(PageFrame, TwoLinesPrintOnlyTheHeaderAndTheBottom) {
    CPattern pattern(TestModel(136));
    EXPECT_TRUE(pattern.PageFrame(20, 136, 2));
    const Bytes expected = B({0x1B, 'P'}) + Repeat('E', 10) + Text("<Page020>") + Repeat('E', 117) + kCrLf +
                           Repeat('E', 136) + kCrLf;
    EXPECT_EQ(Contents(pattern), expected);
}

TEST(PageFrame, LengthsOfTheFullPages) {
    struct {
        int columns;
        int lines;
        std::size_t bytes;
    } const kPages[] = {{80, 66, 5414}, {136, 66, 9110}, {80, 64, 5250}, {106, 66, 7130}};
    for (const auto& page : kPages) {
        SCOPED_TRACE(page.columns);
        CPattern pattern(TestModel(page.columns));
        EXPECT_TRUE(pattern.PageFrame(1, page.columns, page.lines));
        EXPECT_EQ(pattern.WritePosition(), page.bytes);
    }
}

TEST(PageFrameWithBar, PutsABlackBarWhereThePageNumberLineWouldBe) {
    CPattern pattern(TestModel());
    EXPECT_TRUE(pattern.PageFrameWithBar(80, 3));
    const Bytes expected = B({0x1B, 'P'}) + ModeFlag(0) + B({0x1B, '*', 32, 0xE0, 0x01}) +
                           Repeat(0xFF, 1440) + kCrLf + Repeat('E', 5) + Repeat(' ', 70) + Repeat('E', 5) +
                           kCrLf + Repeat('E', 80) + kCrLf;
    EXPECT_EQ(Contents(pattern), expected);

    struct {
        int columns;
        int lines;
        std::size_t bytes;
    } const kPages[] = {{80, 66, 6790}, {106, 46, 6788}, {136, 66, 11438}};
    for (const auto& page : kPages) {
        SCOPED_TRACE(page.columns);
        CPattern full(TestModel(page.columns));
        EXPECT_TRUE(full.PageFrameWithBar(page.columns, page.lines));
        EXPECT_EQ(full.WritePosition(), page.bytes);
    }
}

}  // namespace
