#include <gtest/gtest.h>

#include "AdjustmentFixture.h"
#include "res/DialogTemplate.h"
#include "testsupport/ScopedWindow.h"

namespace adjusttest {
namespace {

class SequencePaneTest : public AdjustmentTest {
protected:
    SequencePaneTest() {
        EXPECT_TRUE(parent_.Create(nullptr));
        EXPECT_TRUE(pane_.Create(parent_));
        pane_.ShowWindow(true);
    }
    ui::CWindow Box(int index) { return pane_.GetDlgItem(CAdjustSequenceInnerDlg::kFirstBox + index); }

    class Parent : public ui::CDialog {
    public:
        Parent() : CDialog(102) {}
    };
    testsupport::ScopedWindow<Parent> parent_;
    testsupport::ScopedWindow<CAdjustSequenceInnerDlg> pane_;
};

TEST_F(SequencePaneTest, BoxesStackFromTheTopWithTheirCaptions) {
    pane_.Fill({100, 101, 102});
    EXPECT_EQ(pane_.GetCount(), 3);
    EXPECT_EQ(Box(0).GetWindowText(), "Printer information") << "no caption: the menu name";
    EXPECT_EQ(Box(1).GetWindowText(), "PG adjust");
    EXPECT_EQ(Box(2).GetWindowText(), "Bi-d");
    const ui::Rect first = Box(0).GetWindowRect();
    EXPECT_EQ(first.top, 7);
    EXPECT_EQ(Box(1).GetWindowRect().top, first.bottom + 15);
    EXPECT_EQ(Box(2).GetWindowRect().top, Box(1).GetWindowRect().bottom + 15);
    EXPECT_FALSE(Box(3).IsWindowVisible());
    EXPECT_EQ(pane_.GetWindowRect().Height(), Box(2).GetWindowRect().bottom + 15);
    EXPECT_EQ(pane_.GetState(0), CAdjustSequenceInnerDlg::kCurrent);
    EXPECT_EQ(pane_.GetState(1), CAdjustSequenceInnerDlg::kPending);
}

TEST_F(SequencePaneTest, OneLineCaptionsAreCentredVerticallyAndBrokenOnesAreNot) {
    pane_.Fill({101, 206, 102});
    EXPECT_EQ(Box(1).GetWindowText(), "Envelope\r\ntest");
    EXPECT_EQ(headless_.StyleOf(Box(1)) & res::kCenterImage, 0u);
    EXPECT_NE(headless_.StyleOf(Box(0)) & res::kCenterImage, 0u);
    EXPECT_NE(headless_.StyleOf(Box(2)) & res::kCenterImage, 0u);
    // A box keeps no style of the caption it showed before.
    pane_.Fill({206, 101});
    EXPECT_EQ(headless_.StyleOf(Box(0)) & res::kCenterImage, 0u);
    EXPECT_NE(headless_.StyleOf(Box(1)) & res::kCenterImage, 0u);
}

TEST_F(SequencePaneTest, AnEntryWithoutNumberLeavesItsBoxUnusedAndTheSlotWhereItWas) {
    pane_.Fill({0, 101, -1, 102});
    EXPECT_EQ(pane_.GetCount(), 2);
    EXPECT_FALSE(Box(0).IsWindowVisible());
    EXPECT_FALSE(Box(2).IsWindowVisible());
    EXPECT_EQ(Box(1).GetWindowRect().top, 7);
    EXPECT_EQ(Box(3).GetWindowRect().top, Box(1).GetWindowRect().bottom + 15);
    EXPECT_EQ(pane_.GetState(1), CAdjustSequenceInnerDlg::kCurrent) << "the first numbered entry";
    EXPECT_EQ(pane_.GetState(3), CAdjustSequenceInnerDlg::kPending);
}

TEST_F(SequencePaneTest, EntriesBeyondTheLastBoxGetNone) {
    std::vector<int> items;
    for (int i = 0; i < 30; ++i) {
        items.push_back(100 + i % 4);
    }
    items[29] = 304;
    pane_.Fill(items);
    EXPECT_EQ(pane_.GetCount(), CAdjustSequenceInnerDlg::kBoxes);
    EXPECT_TRUE(Box(23).IsWindowVisible());
    EXPECT_EQ(pane_.GetDlgItem(8024), nullptr);
    // The current item has no box: every box before it is done, and nothing is written past them.
    pane_.SetCurrent(304);
    for (int box = 0; box < CAdjustSequenceInnerDlg::kBoxes; ++box) {
        EXPECT_EQ(pane_.GetState(box), CAdjustSequenceInnerDlg::kDone) << box;
    }
    EXPECT_EQ(headless_.PaintedLines(pane_).size(), 23u);
}

TEST_F(SequencePaneTest, TheFirstEqualEntryIsCurrent) {
    pane_.Fill({101, 102, 101, 103});
    pane_.SetCurrent(101);
    EXPECT_EQ(pane_.GetState(0), CAdjustSequenceInnerDlg::kCurrent);
    EXPECT_EQ(pane_.GetState(2), CAdjustSequenceInnerDlg::kPending);
    pane_.SetCurrent(103);
    EXPECT_EQ(pane_.GetState(2), CAdjustSequenceInnerDlg::kDone);
    EXPECT_EQ(pane_.GetState(3), CAdjustSequenceInnerDlg::kCurrent);
}

TEST_F(SequencePaneTest, ARefillHidesTheBoxesOfTheLongerRun) {
    pane_.Fill({100, 101, 102, 103});
    pane_.SetCurrent(103);
    pane_.Fill({102});
    EXPECT_EQ(pane_.GetCount(), 1);
    EXPECT_TRUE(Box(0).IsWindowVisible());
    EXPECT_FALSE(Box(1).IsWindowVisible());
    EXPECT_FALSE(Box(3).IsWindowVisible());
    EXPECT_EQ(pane_.GetState(0), CAdjustSequenceInnerDlg::kCurrent);
    EXPECT_EQ(pane_.GetState(3), CAdjustSequenceInnerDlg::kPending);
    EXPECT_TRUE(headless_.PaintedLines(pane_).empty());
}

TEST_F(SequencePaneTest, BoxColoursFollowTheirState) {
    pane_.Fill({100, 101, 102});
    pane_.SetCurrent(101);
    struct Expected {
        int box;
        ui::Color color;
    } const expected[] = {
        {0, ui::Rgb(11, 128, 222)},  // done
        {1, ui::Rgb(0, 255, 0)},     // current
        {2, ui::Rgb(222, 128, 11)},  // pending
    };
    for (const Expected& e : expected) {
        const ui::ControlColors colors = headless_.ColorsOf(Box(e.box));
        EXPECT_EQ(headless_.BrushColor(colors.brush), e.color) << e.box;
        EXPECT_TRUE(colors.hasBackColor) << e.box;
        EXPECT_EQ(colors.backColor, e.color) << e.box;
    }
}

TEST_F(SequencePaneTest, LinesJoinNeighbouringBoxesThroughTheirCentre) {
    pane_.Fill({100, 0, 101, 102});
    const std::vector<ui::PaintedLine> lines = headless_.PaintedLines(pane_);
    ASSERT_EQ(lines.size(), 2u);
    const ui::Rect first = Box(0).GetWindowRect();
    const int x = (first.left + first.right) / 2;
    EXPECT_EQ(lines[0].x0, x);
    EXPECT_EQ(lines[0].x1, x);
    EXPECT_EQ(lines[0].y0, first.bottom);
    EXPECT_EQ(lines[0].y1, Box(2).GetWindowRect().top) << "the unused box is passed over";
    EXPECT_EQ(lines[1].y0, Box(2).GetWindowRect().bottom);
    EXPECT_EQ(lines[1].y1, Box(3).GetWindowRect().top);
    EXPECT_EQ(lines[1].width, 2);
    EXPECT_EQ(lines[1].color, ui::Rgb(0, 0, 0));
}

TEST_F(SequencePaneTest, EnterAndEscapeDoNotCloseThePane) {
    pane_.Fill({100});
    headless_.SimulateKey(Box(0), ui::Key::Escape);
    headless_.SimulateKey(Box(0), ui::Key::Enter);
    EXPECT_TRUE(pane_.IsWindowVisible());
}

}  // namespace
}  // namespace adjusttest
