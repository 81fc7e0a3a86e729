// The pages' mix-in on the headless windows: one progress window at a time, a window that survives
// a second holder, and the program's message box.
#include <gtest/gtest.h>

#include <optional>

#include "MessageDialogRecorder.h"
#include "config/CTolvAppParam.h"
#include "pages/CPrinterCtrlUI.h"
#include "platform/Clock.h"
#include "res/ResourceIds.h"
#include "ui/CDialog.h"
#include "ui/Headless.h"
#include "ui/Scenario.h"

namespace {

constexpr int kIdProgressBar = 1151;

class PrinterCtrlUI : public ::testing::Test {
protected:
    // The progress windows alive now.
    int ProgressWindows() {
        int count = 0;
        for (ui::HWindow window : headless.GetTopLevelWindows()) {
            count += ui::CWindow(window).GetDlgItem(kIdProgressBar).IsWindow() ? 1 : 0;
        }
        return count;
    }
    ui::CProgressBarCtrl BarOf(IProgressCallback*) {
        for (ui::HWindow window : headless.GetTopLevelWindows()) {
            ui::CWindow bar = ui::CWindow(window).GetDlgItem(kIdProgressBar);
            if (bar.IsWindow()) {
                return ui::CProgressBarCtrl(bar);
            }
        }
        return ui::CProgressBarCtrl(nullptr);
    }

    platform::VirtualClock clock;
    platform::ScopedClock useClock{clock};
    ui::HeadlessBackend headless;
    ui::ScopedBackend useHeadless{headless};
    CPrinterCtrlUI page;
};

TEST_F(PrinterCtrlUI, OpeningTwiceLeavesExactlyOneProgressWindow) {
    IProgressCallback* first = page.ProgressControl(CPrinterCtrlUI::kOpenProgress, 10);
    ASSERT_NE(first, nullptr);
    IProgressCallback* second = page.ProgressControl(CPrinterCtrlUI::kOpenProgress, 20);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(ProgressWindows(), 1);
    EXPECT_EQ(page.Progress(), second);
    int low = -1;
    int high = -1;
    BarOf(second).GetRange(&low, &high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 20);
    EXPECT_EQ(page.ProgressControl(CPrinterCtrlUI::kCloseProgress, 0), nullptr);
    EXPECT_EQ(ProgressWindows(), 0);
    EXPECT_EQ(page.Progress(), nullptr);
    // Closing again, or any other command, does nothing.
    EXPECT_EQ(page.ProgressControl(CPrinterCtrlUI::kCloseProgress, 0), nullptr);
    EXPECT_EQ(page.ProgressControl(800, 5), nullptr);
    EXPECT_EQ(ProgressWindows(), 0);
}

// The setting reader holds the window with a reference of its own and gives it back before the page
// closes it: the window must survive until the close, and be destroyed exactly once.
TEST_F(PrinterCtrlUI, ASecondHolderCannotEndTheWindowUnderThePage) {
    IProgressCallback* progress = page.ProgressControl(CPrinterCtrlUI::kOpenProgress, 5);
    ASSERT_NE(progress, nullptr);
    void* held = nullptr;
    progress->QueryInterface(platform::kIidIUnknown, &held);
    static_cast<IProgressCallback*>(held)->Step();
    EXPECT_EQ(static_cast<IProgressCallback*>(held)->Release(), 1);
    EXPECT_EQ(ProgressWindows(), 1);
    page.StepProgress();
    EXPECT_EQ(BarOf(progress).GetPos(), 2);
    page.ProgressControl(CPrinterCtrlUI::kCloseProgress, 0);
    EXPECT_EQ(ProgressWindows(), 0);
}

TEST_F(PrinterCtrlUI, TheWindowIsShownAndStepsFromZero) {
    IProgressCallback* progress = page.ProgressControl(CPrinterCtrlUI::kOpenProgress, 3);
    ASSERT_NE(progress, nullptr);
    ui::CWindow window(headless.GetTopLevelWindows().front());
    EXPECT_TRUE(window.IsWindowVisible());
    // No modal dialog runs here: the window keeps its own caption.
    EXPECT_EQ(window.GetWindowText(), "Processing");
    EXPECT_EQ(BarOf(progress).GetPos(), 0);
    page.StepProgress();
    page.StepProgress();
    EXPECT_EQ(BarOf(progress).GetPos(), 2);
    page.ProgressControl(CPrinterCtrlUI::kCloseProgress, 0);
    // Without a window, a step does nothing.
    page.StepProgress();
}

TEST_F(PrinterCtrlUI, MessagesUseTheProgramsMessageBox) {
    std::string error;
    std::optional<ui::Scenario> scenario = ui::Scenario::Parse(
        "expect-text 1005 \"Cannot Read EEPROM\"\n"
        "expect-text 2 \"NG\"\n"
        "click 2\n"
        "expect-text 1005 \"Interface Error\\nMake sure cable connection\\nand Printer Status.\"\n"
        "click 1\n",
        &error);
    ASSERT_TRUE(scenario.has_value()) << error;
    headless.AttachScenario(&*scenario);
    EXPECT_EQ(page.ShowMessage("Cannot Read EEPROM", 2), ui::kIdCancel);
    EXPECT_EQ(page.ShowMessageRes(res::kStrInterfaceError, 0), ui::kIdOk);
    headless.AttachScenario(nullptr);
    EXPECT_TRUE(scenario->Failures().empty()) << scenario->Report();
    EXPECT_TRUE(headless.StrayModals().empty());
}

// The job starter takes the port the technician chose in the settings and shows the engine's
// messages in the program's message dialog: a port the engine has no place for fails there, before
// anything is opened.
TEST(PrinterCtrlUIJobs, PrintPatternRunsOnTheChosenPortAndShowsTheEnginesMessages) {
    platform::VirtualClock clock;
    platform::ScopedClock useClock{clock};
    printertest::MessageDialogRecorder technician;
    const std::string chosen = CTolvAppParam::Instance()->strPortName;
    CTolvAppParam::Instance()->strPortName = "USB10";
    CPrinterCtrlUI page;
    patterns::PrintJobRecord job;
    page.PrintPattern(0, 12, job);
    CTolvAppParam::Instance()->strPortName = chosen;
    EXPECT_EQ(job.item, -1);
    EXPECT_EQ(job.portIndex, -1);
    ASSERT_EQ(technician.Texts().size(), 1u);
    EXPECT_EQ(technician.Texts()[0], "Interface Error\nMake sure cable connection\nand Printer Status.");
}

}  // namespace
