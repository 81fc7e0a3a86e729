// The program as it runs: the application object with the main window and the program's own
// screens, panes and companion frames, on the headless back-end.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "config/CTolvAppParam.h"
#include "config/ConfigurationScope.h"
#include "dialogs/CAdjustInfoInnerDlg.h"
#include "pages/CMyPropertyPage.h"
#include "platform/Clock.h"
#include "platform/ModulePath.h"
#include "testsupport/TemporaryFolder.h"
#include "ui/Headless.h"
#include "ui/Scenario.h"
#include "workflow/CTolvaneApp.h"
#include "workflow/CTolvaneDlg.h"
#include "workflow/ItemPageFactory.h"
#include "workflow/ProgramScreens.h"

namespace {

class ProgramTest : public ::testing::Test {
protected:
    explicit ProgramTest(const char* language = "English") {
        folder_.Write("TOLVANE.INI",
                      std::string("[Profile]\r\nstrProfile=VK-572D\r\nstrProgName=Tolvane\r\n") +
                          "strLanguage=" + language + "\r\n");
        // The shipped profiles, beside a TOLVANE.INI of the test's own.
        std::filesystem::copy(platform::ExecutableFolder() + "Parameter", folder_.Root() / "Parameter",
                              std::filesystem::copy_options::recursive);
        configuration_ = std::make_unique<config::ScopedConfiguration>(folder_.Path());
    }

    platform::VirtualClock clock_;
    platform::ScopedClock scopedClock_{clock_};
    ui::HeadlessBackend headless_;
    ui::ScopedBackend scopedBackend_{headless_};
    testsupport::TemporaryFolder folder_{"tolv-program"};
    std::unique_ptr<config::ScopedConfiguration> configuration_;
};

class ApplicationTest : public ProgramTest {
protected:
    ApplicationTest() : ProgramTest("Japanese") {}
};

TEST_F(ApplicationTest, RunsTheMainWindowAndLetsGoOfEverythingAtTheEnd) {
    CTolvAppParam::Instance()->strPortName = "USB1";
    std::string error;
    auto scenario = ui::Scenario::Parse(
        "syscommand 16\n"
        "expect-visible 1@100 yes\n"
        "click 1@100\n"
        "expect-visible 1188@300 yes\n"
        "close\n",
        &error);
    ASSERT_TRUE(scenario.has_value()) << error;
    headless_.AttachScenario(&*scenario);
    CTolvaneApp app;
    EXPECT_EQ(app.InitInstance(), FALSE);
    headless_.AttachScenario(nullptr);
    EXPECT_TRUE(scenario->Finished()) << scenario->Report();
    EXPECT_TRUE(scenario->Failures().empty()) << scenario->Report();
    EXPECT_TRUE(headless_.StrayModals().empty());
    EXPECT_TRUE(headless_.GetTopLevelWindows().empty());

    // The fonts were made for the language of TOLVANE.INI and are gone again, as is the look.
    EXPECT_EQ(app.GetLook().GetFontSpec(CApplicationLook::kFontB).charset, ui::kCharsetShiftJis);
    EXPECT_EQ(app.GetLook().GetFont(CApplicationLook::kFontB), nullptr);
    EXPECT_EQ(CApplicationLook::Installed(), nullptr);
    EXPECT_EQ(app.GetRegistryKey(), "ORLEX");
    // The settings were deleted: a new object knows nothing of the run-time selection.
    EXPECT_EQ(CTolvAppParam::Instance()->strPortName, "");
}

// The main window with the program's own parts; a page for every item below 200, none for the others.
class ScreensTest : public ProgramTest {
protected:
    ScreensTest() {
        CTolvAppParam* settings = CTolvAppParam::Instance();
        settings->strPortName = "USB1";
        settings->strCustomerName = "Europe";
        EXPECT_TRUE(window_.Create(nullptr));
    }

    ui::CWindow Frame(workflow::IMainWindowParts::Companion companion) {
        return screens_.GetCompanion(companion);
    }

    workflow::ScopedItemPageMaker pages_{[](int number) -> std::unique_ptr<CMyPropertyPage> {
        return number < 200 ? std::make_unique<CMyPropertyPage>(302) : nullptr;
    }};
    int mode_ = -1;
    workflow::ProgramScreens screens_{window_, [this] { return mode_; }};
    CTolvaneDlg window_{screens_, mode_};
};

TEST_F(ScreensTest, InformationFrameCarriesThePaneWithTheSelection) {
    window_.ShowItemMenu(true);
    const ui::CWindow frame = Frame(workflow::IMainWindowParts::kInformationFrame);
    ASSERT_TRUE(frame.IsWindow());
    EXPECT_EQ(frame.GetWindowText(), "Infomation");
    CAdjustInfoInnerDlg& pane = screens_.GetInformationPane();
    EXPECT_EQ(pane.GetParent().m_hWnd, frame.m_hWnd);
    EXPECT_TRUE(pane.IsWindowVisible());
    EXPECT_EQ(pane.SettingText().rfind("Printer:   VK-572D\r\nInterface: USB1\r\nCustomer:  Europe", 0), 0u);
    // The printer access finds the pane to write into.
    EXPECT_EQ(FindInformationPane(), &pane);
    // The frame is as wide as the pane inside it.
    EXPECT_EQ(frame.GetClientRect().Width(), pane.GetWindowRect().Width());

    window_.ShowTopScreen();
    EXPECT_EQ(pane.m_fields.strProfile, "");
    EXPECT_FALSE(frame.IsWindowVisible());
}

TEST_F(ScreensTest, AdjustmentShowsTheWholeRunInTheSequenceFrame) {
    window_.ShowItemMenu(true);
    window_.StartAdjustment({101, 206, 102});
    ASSERT_EQ(window_.GetShownScreen(), workflow::IMainWindowParts::kAdjustment);
    EXPECT_EQ(screens_.GetAdjustment().GetItems(), (std::vector<int>{101, 102}));
    const ui::CWindow frame = Frame(workflow::IMainWindowParts::kSequenceFrame);
    ASSERT_TRUE(frame.IsWindowVisible());
    EXPECT_EQ(frame.GetWindowText(), "Sequence");
    // 206 has no page but keeps its box.
    EXPECT_EQ(screens_.GetSequencePane().GetCount(), 3);
    EXPECT_EQ(screens_.GetSequencePane().GetParent().m_hWnd, frame.m_hWnd);
    EXPECT_EQ(frame.GetWindowRect().right, window_.GetWindowRect().left);
    EXPECT_TRUE(Frame(workflow::IMainWindowParts::kInformationFrame).IsWindowVisible());
}

TEST_F(ScreensTest, RunWithoutAnyPageKeepsTheItemMenu) {
    window_.ShowItemMenu(true);
    window_.StartAdjustment({206, 207});
    EXPECT_EQ(window_.GetShownScreen(), workflow::IMainWindowParts::kItemMenu);
    EXPECT_FALSE(screens_.GetAdjustment().IsWindow());
}

using PaneTest = ProgramTest;

TEST_F(PaneTest, PaneIsWithdrawnWhenTheScreensGo) {
    struct Program {
        Program() : screens(window, [] { return 1; }), window(screens, mode) {}
        int mode = 1;
        workflow::ProgramScreens screens;
        CTolvaneDlg window;
    };
    {
        Program program;
        ASSERT_TRUE(program.window.Create(nullptr));
        program.window.ShowItemMenu(true);
        EXPECT_EQ(FindInformationPane(), &program.screens.GetInformationPane());
    }
    EXPECT_EQ(FindInformationPane(), nullptr);
}

}  // namespace
