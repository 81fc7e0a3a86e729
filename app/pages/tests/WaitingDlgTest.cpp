#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "ScriptedPrinterStatus.h"
#include "config/CTolvLangText.h"
#include "config/ConfigurationScope.h"
#include "pages/CWaitingDlg.h"
#include "platform/Clock.h"
#include "ui/Headless.h"
#include "ui/Scenario.h"

namespace {

using printertest::kBusy;
using printertest::kOffline;
using printertest::kReady;
using printertest::ScriptedPrinterStatus;
using printertest::StatusPoll;

constexpr int kText = 1006;

class WaitingDlgTest : public ::testing::Test {
protected:
    WaitingDlgTest() {
        CTolvLangText::Instance()->SetProfile("VK-572D");
        CTolvLangText::Instance()->SetLanguage("English");
    }

    // A status object held by the test, released at the end of the test.
    ScriptedPrinterStatus* Status(std::vector<StatusPoll> polls) {
        status_ = new ScriptedPrinterStatus(std::move(polls), &destroyed_);
        status_->AddRef();
        return status_;
    }
    void TearDown() override {
        if (status_ != nullptr) {
            EXPECT_EQ(status_->ReferenceCount(), 1) << "the dialog kept a reference";
            status_->Release();
        }
    }

    // Runs the dialog with the technician's steps.
    int Run(const std::string& steps, const char* caption, int flags, int count, int delay = 0) {
        std::string error;
        auto scenario = ui::Scenario::Parse(steps, &error);
        EXPECT_TRUE(scenario) << error;
        headless_.AttachScenario(&*scenario);
        CWaitingDlg dialog(status_);
        const int result = dialog.Run(caption, flags, count, delay);
        headless_.AttachScenario(nullptr);
        lastText_ = dialog.GetStatusText();
        EXPECT_TRUE(scenario->Failures().empty()) << scenario->Report();
        EXPECT_TRUE(scenario->Finished()) << scenario->Report();
        return result;
    }

    platform::VirtualClock clock_;
    platform::ScopedClock scopedClock_{clock_};
    config::ScopedConfiguration configuration_;
    ui::HeadlessBackend headless_;
    ui::ScopedBackend scopedBackend_{headless_};
    ScriptedPrinterStatus* status_ = nullptr;
    bool destroyed_ = false;
    std::string lastText_;
};

TEST_F(WaitingDlgTest, WithoutStatusObjectRunShowsNothingAndAnswersMinusOne) {
    CWaitingDlg dialog(nullptr);
    EXPECT_EQ(dialog.Run("waiting", 1, -1, 0), -1);
    EXPECT_TRUE(headless_.StrayModals().empty());
}

TEST_F(WaitingDlgTest, CountDownWithOfflinePrinterIgnoresOkAndCancelThenEndsWithTwo) {
    ScriptedPrinterStatus* status = Status({kOffline});
    const std::uint64_t start = clock_.ElapsedMilliseconds();
    const int result =
        Run("expect-text 1006 \"OFFLINE\"\n"
            "expect-enabled 1 no\nexpect-enabled 2 no\n"
            "key enter\nkey escape\n"
            "wait 3000\n"
            "expect-text 1006 \"OFFLINE\"\n"
            "wait 1000\n",
            "waiting", 1, 5);
    EXPECT_EQ(result, 2);
    EXPECT_EQ(status->Polls(), 5u);
    // Five polls a second apart: the first at once, the last four seconds later.
    EXPECT_EQ(clock_.ElapsedMilliseconds() - start, 4000u);
}

TEST_F(WaitingDlgTest, UntilReadyEndsOneSecondAfterThePrinterReportsReady) {
    ScriptedPrinterStatus* status = Status({kBusy, kBusy, kReady});
    const int result =
        Run("expect-text 1006 \"Printing\"\n"
            "wait 2000\n"
            "expect-text 1006 \"Ready\"\n"
            "wait 999\n"
            "expect-visible 1006 yes\n"
            "wait 1\n",
            nullptr, 0, 1000);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(status->Polls(), 3u);
}

TEST_F(WaitingDlgTest, WaitForReadyEnablesOkOnlyWhileThePrinterIsReady) {
    ScriptedPrinterStatus* status = Status({kBusy, kReady, {true, 0, 6}, kReady});
    const int result =
        Run("expect-visible 2 yes\nexpect-enabled 2 yes\n"
            "expect-enabled 1 no\n"
            "key enter\n"
            "wait 1000\n"
            "expect-enabled 1 yes\n"
            "expect-text 1006 \"Ready\"\n"
            "wait 1000\n"
            "expect-enabled 1 no\n"
            "expect-text 1006 \"Paper out\"\n"
            "wait 1000\n"
            "click 1\n",
            "waiting", 1, -1);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(status->Polls(), 4u);
}

TEST_F(WaitingDlgTest, StatusButtonFormHasOnlyOkAndPollsEverySecond) {
    Status({kBusy});
    const int result =
        Run("expect-visible 2 no\nexpect-enabled 1 yes\n"
            "wait 5000\n"
            "click 1\n",
            "", 0, -1);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(status_->Polls(), 6u);
}

TEST_F(WaitingDlgTest, CancelEndsWithTwoAndStopsPolling) {
    ScriptedPrinterStatus* status = Status({kBusy});
    EXPECT_EQ(Run("click 2\n", "waiting", 1, -1), 2);
    EXPECT_EQ(status->Polls(), 1u);
    clock_.Advance(5000);
    EXPECT_EQ(status->Polls(), 1u);
}

TEST_F(WaitingDlgTest, InitialDelayComesBeforeTheFirstPoll) {
    ScriptedPrinterStatus* status = Status({kReady});
    const int result =
        Run("expect-text 1006 \"Getting Status...\"\n"
            "wait 499\n"
            "expect-text 1006 \"Getting Status...\"\n"
            "wait 1\n"
            "expect-text 1006 \"Ready\"\n"
            "wait 1000\n",
            "waiting", 0, 1000, 500);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(status->Polls(), 1u);
}

TEST_F(WaitingDlgTest, CodesWithoutLanguageTextShowNothing) {
    Status({{true, 20, 0}, {true, 0, 31}, {true, 0, 30}});
    const int result =
        Run("expect-text 1006 \"\"\n"
            "wait 1000\n"
            "expect-text 1006 \"\"\n"
            "wait 1000\n"
            "expect-text 1006 \"" +
                CTolvLangText::Instance()->strError[30] + "\"\nclick 1\n",
            "", 0, -1);
    EXPECT_EQ(result, 1);
}

TEST_F(WaitingDlgTest, ReleasesItsReferenceWhenItGoes) {
    auto* status = new ScriptedPrinterStatus({kReady}, &destroyed_);
    status->AddRef();
    {
        CWaitingDlg dialog(status);
        EXPECT_EQ(status->ReferenceCount(), 2);
    }
    EXPECT_EQ(status->ReferenceCount(), 1);
    status->Release();
    EXPECT_TRUE(destroyed_);
}

}  // namespace
