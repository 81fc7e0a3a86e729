#include <gtest/gtest.h>

#include <string>

#include "DialogsTest.h"
#include "dialogs/CAboutDlg.h"
#include "dialogs/CApplicationLook.h"
#include "dialogs/CScrollFrameDlg.h"
#include "testsupport/ScopedWindow.h"
#include "ui/Scenario.h"

namespace {

using ui::ScrollRequest;

class ScrollFrameTest : public DialogsTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(frame_.Create(nullptr));
        ASSERT_TRUE(child_.Create(frame_));
        clientHeight_ = frame_.GetClientRect().Height();
    }

    // The child as tall as asked, placed somewhere the frame must move it from.
    void SetChildOfHeight(int height) {
        child_.MoveWindow({30, 40, 30 + kChildWidth, 40 + height});
        frame_.SetChild(child_);
    }

    int ChildTop() { return child_.GetWindowRect().top; }

    static constexpr int kChildWidth = 237;
    testsupport::ScopedWindow<CScrollFrameDlg> frame_;
    testsupport::ScopedWindow<ui::CDialog> child_{183};  // the information pane's template: a child dialog
    int clientHeight_ = 0;
};

TEST_F(ScrollFrameTest, AShortChildGetsNoScrollBarAndDoesNotScroll) {
    SetChildOfHeight(clientHeight_ - 1);
    EXPECT_FALSE(headless_.IsScrollBarVisible(frame_));
    EXPECT_EQ(child_.GetWindowRect(), (ui::Rect{0, 0, kChildWidth, clientHeight_ - 1}));
    EXPECT_TRUE(child_.IsWindowVisible());
    for (ScrollRequest request : {ScrollRequest::LineDown, ScrollRequest::PageDown, ScrollRequest::Bottom}) {
        frame_.OnVScroll(request, 0, nullptr);
    }
    frame_.OnVScroll(ScrollRequest::ThumbTrack, 50, nullptr);
    EXPECT_EQ(frame_.GetScrollPosition(), 0);
    EXPECT_EQ(ChildTop(), 0);
}

TEST_F(ScrollFrameTest, AChildAsTallAsTheClientAreaGetsTheScrollBar) {
    SetChildOfHeight(clientHeight_);
    EXPECT_TRUE(headless_.IsScrollBarVisible(frame_));
}

TEST_F(ScrollFrameTest, TheFrameBecomesExactlyAsWideAsTheChildAndKeepsItsHeight) {
    const int height = frame_.GetWindowRect().Height();
    SetChildOfHeight(600);
    EXPECT_EQ(frame_.GetClientRect().Width(), kChildWidth);
    EXPECT_EQ(frame_.GetWindowRect().Height(), height);
    const ui::ScrollInfo info = headless_.GetScrollInfo(frame_);
    EXPECT_EQ(info.minimum, 0);
    EXPECT_EQ(info.maximum, 600);
    EXPECT_EQ(info.page, clientHeight_);
    EXPECT_EQ(info.position, 0);
}

TEST_F(ScrollFrameTest, ScrollingMovesTheChildTheOtherWayAndStaysInRange) {
    SetChildOfHeight(1000);
    const int last = 1000 - clientHeight_;
    const int page = clientHeight_ - 20;
    ASSERT_GT(last, page + 10) << "the steps below need room for a line and a page";
    struct Step {
        ScrollRequest request;
        int thumb;
        int position;
    } const steps[] = {
        {ScrollRequest::LineUp, 0, 0},  // already at the top
        {ScrollRequest::LineDown, 0, 10},
        {ScrollRequest::PageDown, 0, 10 + page},
        {ScrollRequest::LineDown, 0, std::min(last, 20 + page)},
        {ScrollRequest::PageDown, 0, last},  // clamped at child height less client height
        {ScrollRequest::LineDown, 0, last},
        {ScrollRequest::ThumbTrack, 5, 5},
        {ScrollRequest::ThumbPosition, 100000, last},
        {ScrollRequest::PageUp, 0, std::max(0, last - page)},
        {ScrollRequest::Top, 0, 0},
        {ScrollRequest::Bottom, 0, last},
        {ScrollRequest::ThumbTrack, -30, 0},
    };
    for (const Step& step : steps) {
        frame_.OnVScroll(step.request, step.thumb, nullptr);
        EXPECT_EQ(frame_.GetScrollPosition(), step.position) << static_cast<int>(step.request);
        EXPECT_EQ(headless_.GetScrollInfo(frame_).position, step.position);
        EXPECT_EQ(ChildTop(), -step.position);
        EXPECT_EQ(child_.GetWindowRect().Height(), 1000);
    }
}

TEST_F(ScrollFrameTest, AScrollBarControlOfTheChildIsNotTheFramesOwn) {
    SetChildOfHeight(600);
    frame_.OnVScroll(ScrollRequest::LineDown, 0, child_);
    EXPECT_EQ(frame_.GetScrollPosition(), 0);
}

TEST_F(DialogsTest, TheAboutBoxIsModalAndWearsTheLook) {
    CApplicationLook look;
    ASSERT_TRUE(look.Create("English"));
    ScopedApplicationLook installed(look);
    std::string error;
    auto scenario = ui::Scenario::Parse("expect-visible 1 yes\nclick 1\n", &error);
    ASSERT_TRUE(scenario.has_value()) << error;
    headless_.AttachScenario(&*scenario);
    testsupport::ScopedWindow<CAboutDlg> about;
    EXPECT_EQ(about.DoModal(), ui::kIdOk);
    headless_.AttachScenario(nullptr);
    EXPECT_TRUE(scenario->Failures().empty()) << scenario->Report();

    ASSERT_TRUE(about.Create(nullptr));
    EXPECT_EQ(about.GetWindowText(), "version info");
    EXPECT_EQ(headless_.FontOf(about.GetDlgItem(1)).height, 15);
}

}  // namespace
