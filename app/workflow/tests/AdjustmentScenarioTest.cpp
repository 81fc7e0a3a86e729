// The technician's runs through the adjustment screen, step by step as the scripted technician
// gives them. Sheet buttons: Back 12323, Next 12324, Finish 12325, Cancel 2; the test pages' button
// 1128 takes the focus into a page before a key is pressed.
#include <gtest/gtest.h>

#include "AdjustmentFixture.h"

namespace adjusttest {
namespace {

constexpr int kParticular = 1;
constexpr int kSequential = 0;

TEST_P(AdjustmentRunTest, OneItemInParticularModeOffersFinishOnlyAndEscapeFinishes) {
    MainWindowStandIn window(kParticular);
    RunScenario(window, {102},
                "expect-text 1000 \"Bi-d adjustment\"\n"
                "expect-text 1015 \"Print the pattern.\\r\\nType the best value.\"\n"
                "expect-visible 12325 yes\n"
                "expect-enabled 12325 yes\n"
                "expect-visible 12324 no\n"
                "expect-enabled 12323 no\n"
                "expect-enabled 2 no\n"
                "expect-text 7000 \"Status\"\n"
                "expect-text 1017 \"Printer Info\"\n"
                "click 1128\n"
                "key escape\n");
    EXPECT_EQ(window.returns, 1);
    EXPECT_EQ(pages_.finishes, 1) << "Escape went through the page's Finish";
    EXPECT_EQ(pages_.stops, 0);
    if (ui::HeadlessBackend* headless = backend_.Headless()) {
        EXPECT_TRUE(headless->MessageBoxes().empty()) << "no Cancel question with Cancel disabled";
    }
}

TEST_P(AdjustmentRunTest, OneItemInSequentialModeOffersFinishAndCancel) {
    MainWindowStandIn window(kSequential);
    RunScenario(window, {102},
                "expect-visible 12325 yes\n"
                "expect-enabled 2 yes\n"
                "click 1128\n"
                "key escape\n"
                "answer no \"Would you cancel?\"\n"
                "expect-visible 12325 yes\n"
                "click 12325\n");
    EXPECT_EQ(window.returns, 1);
    EXPECT_EQ(pages_.finishes, 1);
    // Real windows show the system's box; the scenario's answer step checked its text and buttons.
    if (ui::HeadlessBackend* headless = backend_.Headless()) {
        ASSERT_EQ(headless->MessageBoxes().size(), 1u);
        EXPECT_EQ(headless->MessageBoxes()[0].caption, "Confirmation");
        EXPECT_EQ(headless->MessageBoxes()[0].buttons, ui::BoxButtons::YesNo);
        EXPECT_EQ(headless->MessageBoxes()[0].icon, ui::BoxIcon::Question);
    }
}

TEST_P(AdjustmentRunTest, APagelessEntryIsSkippedButKeepsItsBox) {
    MainWindowStandIn window(kParticular);
    RunScenario(window, {101, 206, 102},
                "expect-text 1000 \"Platen gap\"\n"
                "expect-text 8000 \"PG adjust\"\n"
                "expect-text 8001 \"Envelope\\r\\ntest\"\n"
                "expect-visible 8001 yes\n"
                "expect-text 8002 \"Bi-d\"\n"
                "expect-visible 8003 no\n"
                "expect-enabled 2 yes\n"
                "expect-visible 12324 yes\n"
                "click 12324\n"
                "expect-text 1000 \"Bi-d adjustment\"\n"
                "expect-visible 12325 yes\n"
                "expect-enabled 12323 yes\n"
                "click 12325\n");
    EXPECT_EQ(pages_.made, 2);
    EXPECT_EQ(window.returns, 1);
}

TEST_P(AdjustmentRunTest, CancelAnsweredNoStaysOnThePageAndYesReturns) {
    MainWindowStandIn window(kParticular);
    RunScenario(window, {101, 102},
                "click 12324\n"
                "click 2\n"
                "answer no \"Would you cancel?\"\n"
                "expect-text 1000 \"Bi-d adjustment\"\n"
                "expect-visible 12325 yes\n"
                "click 2\n"
                "answer yes \"Would you cancel?\"\n");
    EXPECT_EQ(window.returns, 1);
    EXPECT_EQ(pages_.finishes, 0);
    EXPECT_EQ(pages_.stops, 2) << "the page is asked to stop before each Cancel";
    EXPECT_EQ(pages_.cancels, 0);
}

TEST_P(AdjustmentRunTest, APageThatRefusesFinishKeepsTheRunGoing) {
    pages_.agreeToFinish = false;
    MainWindowStandIn window(kSequential);
    RunScenario(window, {103},
                "click 12325\n"
                "expect-visible 12325 yes\n"
                "click 2\n"
                "answer yes \"Would you cancel?\"\n");
    EXPECT_EQ(pages_.finishes, 1);
    EXPECT_EQ(window.returns, 1);
}

TEST_P(AdjustmentRunTest, EnterMovesOnAndFinishesButNeverSkipsTheLastPage) {
    MainWindowStandIn window(kParticular);
    RunScenario(window, {101, 102},
                "click 1128\n"
                "key enter\n"
                "expect-text 1000 \"Bi-d adjustment\"\n"
                "click 1128\n"
                "key enter\n");
    EXPECT_EQ(pages_.finishes, 1);
    EXPECT_EQ(window.returns, 1);
}

INSTANTIATE_TEST_SUITE_P(Backends, AdjustmentRunTest, ::testing::ValuesIn(screentest::TestedBackends()),
                         screentest::BackendCaseName);

}  // namespace
}  // namespace adjusttest
