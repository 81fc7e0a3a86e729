// The main window: where each screen and companion window goes, the adjustment mode and the system
// menu on the headless back-end; when Escape and the close box may end the program on every
// back-end of the build.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "BackendUnderTest.h"
#include "MainWindowParts.h"
#include "config/CTolvAppParam.h"
#include "config/ConfigurationScope.h"
#include "testsupport/TemporaryFolder.h"
#include "ui/Scenario.h"
#include "workflow/CTolvaneDlg.h"

namespace {

using Parts = workflow::IMainWindowParts;

// The main window, made of the test screens, and the watchdog for its modal run on real windows.
class WatchedMainWindow : public CTolvaneDlg {
public:
    using CTolvaneDlg::CTolvaneDlg;
    bool OnInitDialog() override {
        const bool result = CTolvaneDlg::OnInitDialog();
        if (watchdog != nullptr) {
            watchdog->Arm(*this);
        }
        return result;
    }
    void OnTimer(int id) override {
        if (watchdog == nullptr || !watchdog->OnTimer(*this, id)) {
            CTolvaneDlg::OnTimer(id);
        }
    }
    screentest::BackendUnderTest* watchdog = nullptr;
};

class MainWindowSetup {
protected:
    explicit MainWindowSetup(screentest::BackendKind kind) : backend_(kind) {
        folder_.Write("TOLVANE.INI",
                      "[Profile]\r\nstrProfile=VK-572D\r\nstrProgName=Adjustment Program\r\n"
                      "strLanguage=English\r\n");
        configuration_ = std::make_unique<config::ScopedConfiguration>(folder_.Path());
        CTolvAppParam* settings = CTolvAppParam::Instance();
        settings->strPortName = "USB1";
        settings->strCustomerName = "Europe";
        parts_.host = &window_;
    }

    // The main window as a modeless window, so a test can call its screen switching directly.
    void Open() { ASSERT_TRUE(window_.Create(nullptr)); }

    ui::Rect RectOf(Parts::Screen screen) { return parts_.GetScreen(screen).GetWindowRect(); }
    bool Shown(Parts::Screen screen) { return parts_.GetScreen(screen).IsWindowVisible(); }
    ui::CWindow Companion(Parts::Companion companion) { return parts_.GetCompanion(companion); }
    bool CompanionShown(Parts::Companion companion) {
        return Companion(companion).IsWindow() && Companion(companion).IsWindowVisible();
    }

    // The main window's client area holds the shown screen exactly, at its top-left corner.
    void ExpectFitted(Parts::Screen screen) {
        const ui::Rect child = RectOf(screen);
        EXPECT_EQ(child.left, 0);
        EXPECT_EQ(child.top, 0);
        const ui::Rect client = window_.GetClientRect();
        EXPECT_EQ(client.Width(), child.Width());
        EXPECT_EQ(client.Height(), child.Height());
    }

    screentest::BackendUnderTest backend_;
    testsupport::TemporaryFolder folder_{"tolv-main-window"};
    std::unique_ptr<config::ScopedConfiguration> configuration_;
    workflowtest::MainWindowParts parts_;
    int mode_ = -1;
    WatchedMainWindow window_{parts_, mode_};
};

// The cases that call the main window directly and look into the headless back-end's windows.
class MainWindowTest : public ::testing::Test, public MainWindowSetup {
protected:
    MainWindowTest() : MainWindowSetup(screentest::BackendKind::Headless) {}
    ui::HeadlessBackend& headless_{*backend_.Headless()};
};

TEST_F(MainWindowTest, OpensOnTheTopDialogFittedAndCentred) {
    Open();
    EXPECT_EQ(window_.GetWindowText(), "Adjustment Program");
    EXPECT_EQ(headless_.IconOf(window_), 117);
    const std::vector<std::pair<int, std::string>> menu = headless_.SystemMenuOf(window_);
    ASSERT_EQ(menu.size(), 2u);
    EXPECT_EQ(menu[0].second, "");
    EXPECT_EQ(menu[1], (std::pair<int, std::string>{16, "show version(&A)..."}));

    EXPECT_TRUE(Shown(Parts::kTopScreen));
    EXPECT_EQ(parts_.GetScreen(Parts::kTopScreen).GetParent().m_hWnd, window_.m_hWnd);
    EXPECT_FALSE(parts_.GetScreen(Parts::kItemMenu).IsWindow());
    EXPECT_FALSE(Companion(Parts::kInformationFrame).IsWindow());
    ExpectFitted(Parts::kTopScreen);
    const ui::Rect screen = headless_.GetScreenRect();
    const ui::Rect main = window_.GetWindowRect();
    EXPECT_LE(std::abs((main.left - screen.left) - (screen.right - main.right)), 1);
    EXPECT_LE(std::abs((main.top - screen.top) - (screen.bottom - main.bottom)), 1);
    EXPECT_EQ(headless_.GetFocus(), parts_.GetScreen(Parts::kTopScreen).m_hWnd);
}

TEST_F(MainWindowTest, ItemMenuSetsParticularModeWithInformationToTheRight) {
    Open();
    window_.ShowItemMenu(true);
    EXPECT_EQ(mode_, CTolvaneDlg::kParticularMode);
    EXPECT_EQ(parts_.itemMenuResets, 1);
    EXPECT_FALSE(Shown(Parts::kTopScreen));
    EXPECT_TRUE(Shown(Parts::kItemMenu));
    ExpectFitted(Parts::kItemMenu);
    EXPECT_EQ(parts_.information, "VK-572D|USB1|Europe");

    ASSERT_TRUE(CompanionShown(Parts::kInformationFrame));
    EXPECT_FALSE(CompanionShown(Parts::kSequenceFrame));
    const ui::Rect main = window_.GetWindowRect();
    const ui::Rect frame = Companion(Parts::kInformationFrame).GetWindowRect();
    EXPECT_EQ(frame.left, main.right);
    EXPECT_EQ(frame.top, main.top);
    EXPECT_EQ(frame.Height(), main.Height());
    EXPECT_GT(frame.Width(), 0);

    // Without reset the menu keeps its selection.
    window_.ShowItemMenu(false);
    EXPECT_EQ(parts_.itemMenuResets, 1);
}

TEST_F(MainWindowTest, PartsListSetsSequentialModeWithoutCompanions) {
    Open();
    window_.ShowItemMenu(true);
    window_.ShowPartsList(true);
    EXPECT_EQ(mode_, CTolvaneDlg::kSequentialMode);
    EXPECT_EQ(parts_.partsListResets, 1);
    EXPECT_TRUE(Shown(Parts::kPartsList));
    EXPECT_FALSE(Shown(Parts::kItemMenu));
    ExpectFitted(Parts::kPartsList);
    EXPECT_FALSE(CompanionShown(Parts::kInformationFrame));
    EXPECT_FALSE(CompanionShown(Parts::kSequenceFrame));
}

TEST_F(MainWindowTest, AdjustmentHasSequenceLeftAndInformationRight) {
    Open();
    window_.ShowPartsList(true);
    window_.StartAdjustment({101, 206, 102});
    EXPECT_EQ(parts_.prepared, (std::vector<int>{101, 206, 102}));
    // The sequence pane gets the whole list, entries without a page included.
    EXPECT_EQ(parts_.filled, (std::vector<int>{101, 206, 102}));
    EXPECT_TRUE(Shown(Parts::kAdjustment));
    EXPECT_FALSE(Shown(Parts::kPartsList));
    ExpectFitted(Parts::kAdjustment);
    EXPECT_EQ(parts_.information, "VK-572D|USB1|Europe");

    const ui::Rect main = window_.GetWindowRect();
    ASSERT_TRUE(CompanionShown(Parts::kSequenceFrame));
    ASSERT_TRUE(CompanionShown(Parts::kInformationFrame));
    const ui::Rect sequence = Companion(Parts::kSequenceFrame).GetWindowRect();
    const ui::Rect information = Companion(Parts::kInformationFrame).GetWindowRect();
    EXPECT_EQ(sequence.right, main.left);
    EXPECT_EQ(information.left, main.right);
    for (const ui::Rect& frame : {sequence, information}) {
        EXPECT_EQ(frame.top, main.top);
        EXPECT_EQ(frame.bottom, main.bottom);
    }
}

TEST_F(MainWindowTest, RunWithoutPagesChangesNothing) {
    Open();
    window_.ShowItemMenu(true);
    const ui::Rect before = window_.GetWindowRect();
    parts_.acceptItems = false;
    window_.StartAdjustment({206});
    EXPECT_TRUE(Shown(Parts::kItemMenu));
    EXPECT_FALSE(parts_.GetScreen(Parts::kAdjustment).IsWindow());
    EXPECT_TRUE(parts_.filled.empty());
    EXPECT_FALSE(CompanionShown(Parts::kSequenceFrame));
    EXPECT_EQ(window_.GetWindowRect(), before);
}

TEST_F(MainWindowTest, AdjustmentReturnsToTheScreenOfItsMode) {
    Open();
    window_.ShowItemMenu(true);
    window_.StartAdjustment({101});
    window_.ReturnFromAdjustment();
    // Particular mode: the item menu with its last selection, information still beside it.
    EXPECT_TRUE(Shown(Parts::kItemMenu));
    EXPECT_FALSE(Shown(Parts::kAdjustment));
    EXPECT_EQ(parts_.itemMenuResets, 1);
    EXPECT_TRUE(CompanionShown(Parts::kInformationFrame));
    EXPECT_FALSE(CompanionShown(Parts::kSequenceFrame));

    window_.ShowPartsList(true);
    window_.StartAdjustment({101, 102});
    window_.ReturnFromAdjustment();
    // Sequential mode: the parts list, ticks cleared.
    EXPECT_TRUE(Shown(Parts::kPartsList));
    EXPECT_EQ(parts_.partsListResets, 2);
    EXPECT_FALSE(CompanionShown(Parts::kInformationFrame));
}

TEST_F(MainWindowTest, TopScreenHidesCompanionsAndEmptiesInformation) {
    Open();
    window_.ShowItemMenu(true);
    window_.StartAdjustment({101});
    window_.ShowTopScreen();
    EXPECT_TRUE(Shown(Parts::kTopScreen));
    EXPECT_FALSE(Shown(Parts::kAdjustment));
    EXPECT_FALSE(CompanionShown(Parts::kSequenceFrame));
    EXPECT_FALSE(CompanionShown(Parts::kInformationFrame));
    EXPECT_EQ(parts_.informationClears, 1);
    EXPECT_EQ(parts_.information, "");
    ExpectFitted(Parts::kTopScreen);
}

TEST_F(MainWindowTest, CompanionsFollowTheMainWindowsEnabling) {
    Open();
    window_.ShowItemMenu(true);
    window_.StartAdjustment({101});
    window_.EnableWindow(false);
    EXPECT_FALSE(Companion(Parts::kInformationFrame).IsWindowEnabled());
    EXPECT_FALSE(Companion(Parts::kSequenceFrame).IsWindowEnabled());
    window_.EnableWindow(true);
    EXPECT_TRUE(Companion(Parts::kInformationFrame).IsWindowEnabled());
    EXPECT_TRUE(Companion(Parts::kSequenceFrame).IsWindowEnabled());
}

TEST_F(MainWindowTest, AboutBoxFromTheSystemMenuDisablesTheCompanions) {
    Open();
    window_.ShowItemMenu(true);
    window_.StartAdjustment({101});
    headless_.SimulateSysCommand(window_, CTolvaneDlg::kAboutCommand);
    EXPECT_EQ(parts_.aboutOwner, window_.m_hWnd);
    EXPECT_EQ(parts_.companionsEnabledDuringAbout, (std::vector<bool>{false, false}));
    EXPECT_TRUE(Companion(Parts::kInformationFrame).IsWindowEnabled());
    // Other system commands open nothing.
    headless_.SimulateSysCommand(window_, 32);
    EXPECT_EQ(parts_.companionsEnabledDuringAbout.size(), 2u);
}

TEST_F(MainWindowTest, KeysThatReachTheMainWindowAreOfferedToTheShownScreen) {
    Open();
    window_.ShowItemMenu(true);
    EXPECT_TRUE(window_.PreTranslateKey(ui::Key::Escape));
    EXPECT_EQ(parts_.KeysOfferedTo(Parts::kItemMenu), 1);
    EXPECT_EQ(parts_.KeysOfferedTo(Parts::kTopScreen), 0);
    // The item menu declined: the program goes on.
    EXPECT_TRUE(Shown(Parts::kItemMenu));
}

// The program's modal run, driven by the scripted technician through the test screens' buttons, on
// every back-end of the build.
class MainWindowRunTest : public ::testing::TestWithParam<screentest::BackendKind>, public MainWindowSetup {
protected:
    MainWindowRunTest() : MainWindowSetup(GetParam()) {}

    int Run(const char* text) {
        std::string error;
        auto parsed = ui::Scenario::Parse(text, &error);
        EXPECT_TRUE(parsed.has_value()) << error;
        scenario_ = std::move(*parsed);
        backend_.Attach(&scenario_);
        window_.watchdog = &backend_;
        const int result = window_.DoModal();
        window_.watchdog = nullptr;
        backend_.Attach(nullptr);
        return result;
    }
    // Modal loops that ended because nobody gave them input (the headless back-end counts them).
    std::size_t StrayModals() {
        ui::HeadlessBackend* headless = backend_.Headless();
        return headless != nullptr ? headless->StrayModals().size() : 0;
    }
    ui::Scenario scenario_;
};

TEST_P(MainWindowRunTest, EscapeAndCloseEndTheProgramOnlyOnTheTopDialog) {
    const int result =
        Run("click 1002@300\n"
            "key escape\n"
            "close\n"
            "expect-visible 1016@134 yes\n"
            "click 1@134\n"  // the adjustment screen
            "key escape\n"
            "close\n"
            "expect-visible 1000@285 yes\n"
            "click 1@285\n"  // back to the item menu
            "click 2@134\n"  // and to the top dialog
            "key enter\n"
            "expect-visible 1188@300 yes\n"
            "key escape\n");
    EXPECT_EQ(result, ui::kIdCancel);
    EXPECT_TRUE(scenario_.Finished()) << scenario_.Report();
    EXPECT_TRUE(scenario_.Failures().empty()) << scenario_.Report();
    EXPECT_EQ(StrayModals(), 0u);
}

TEST_P(MainWindowRunTest, CloseBoxOnTheTopDialogEndsTheProgram) {
    EXPECT_EQ(Run("click 1001@300\nclose\nexpect-visible 1173@135 yes\nclick 2@135\nclose\n"), ui::kIdCancel);
    EXPECT_TRUE(scenario_.Finished()) << scenario_.Report();
    EXPECT_TRUE(scenario_.Failures().empty()) << scenario_.Report();
}

TEST_P(MainWindowRunTest, QuitClosesTheMainWindow) {
    EXPECT_EQ(Run("click 2@300\n"), ui::kIdCancel);
    EXPECT_TRUE(scenario_.Finished()) << scenario_.Report();
    EXPECT_EQ(StrayModals(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Backends, MainWindowRunTest, ::testing::ValuesIn(screentest::TestedBackends()),
                         screentest::BackendCaseName);

}  // namespace
