// Readjust on the print test page: the page only asks, and the main window replaces the run once
// the page's button handler has returned, so the page that asked is never deleted under its own
// handler. Real pages of the program's factory on the headless back-end.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "config/CTolvAppParam.h"
#include "config/ConfigurationScope.h"
#include "pages/CHeronPrintTestPage.h"
#include "pages/ReadjustRequest.h"
#include "platform/Clock.h"
#include "platform/ModulePath.h"
#include "testsupport/TemporaryFolder.h"
#include "ui/CWindow.h"
#include "ui/Headless.h"
#include "workflow/CTolvaneDlg.h"
#include "workflow/ProgramScreens.h"

namespace {

constexpr int kReadjustButton = 1128;
constexpr int kPlatenGapBox = 1135;
constexpr int kBidBox = 1136;

class ReadjustTest : public ::testing::Test {
protected:
    ReadjustTest() {
        folder_.Write("TOLVANE.INI",
                      "[Profile]\r\nstrProfile=VK-572D\r\nstrProgName=Tolvane\r\nstrLanguage=English\r\n");
        std::filesystem::copy(platform::ExecutableFolder() + "Parameter", folder_.Root() / "Parameter",
                              std::filesystem::copy_options::recursive);
        configuration_ = std::make_unique<config::ScopedConfiguration>(folder_.Path());
        CTolvAppParam* settings = CTolvAppParam::Instance();
        settings->strPortName = "USB1";
        settings->strCustomerName = "Europe";
        window_ = std::make_unique<Program>();
        EXPECT_TRUE(window_->window.Create(nullptr));
    }

    CTolvAdjustmentDlg& Adjustment() { return window_->screens.GetAdjustment(); }
    CHeronPrintTestPage* ShownPrintTest() {
        return dynamic_cast<CHeronPrintTestPage*>(Adjustment().GetSheet().GetActivePage());
    }

    struct Program {
        Program() : screens(window, [this] { return mode; }), window(screens, mode) {}
        int mode = -1;
        workflow::ProgramScreens screens;
        CTolvaneDlg window;
    };

    platform::VirtualClock clock_;
    platform::ScopedClock scopedClock_{clock_};
    ui::HeadlessBackend headless_;
    ui::ScopedBackend scopedBackend_{headless_};
    testsupport::TemporaryFolder folder_{"tolv-readjust"};
    std::unique_ptr<config::ScopedConfiguration> configuration_;
    std::unique_ptr<Program> window_;
};

TEST_F(ReadjustTest, TheNewRunStartsAfterTheHandlerReturnedInTheMasterOrder) {
    window_->window.ShowItemMenu(true);
    window_->window.StartAdjustment({200});
    CHeronPrintTestPage* page = ShownPrintTest();
    ASSERT_NE(page, nullptr);
    ui::CButton(page->GetDlgItem(kBidBox)).SetCheck(1);
    ui::CButton(page->GetDlgItem(kPlatenGapBox)).SetCheck(1);

    headless_.SimulateClick(page->GetDlgItem(kReadjustButton));
    // The handler has returned and the run it was in is still whole.
    EXPECT_EQ(Adjustment().GetItems(), (std::vector<int>{200}));
    EXPECT_EQ(ShownPrintTest(), page);

    headless_.AdvanceTime(0);
    // The ticked items in the language file's order, the final print test last.
    EXPECT_EQ(Adjustment().GetItems(), (std::vector<int>{101, 102, 200}));
    EXPECT_EQ(window_->window.GetShownScreen(), workflow::IMainWindowParts::kAdjustment);
    EXPECT_EQ(window_->screens.GetSequencePane().GetCount(), 3);
    EXPECT_EQ(Adjustment().GetSheet().GetPageCount(), 3);
    EXPECT_EQ(ShownPrintTest(), nullptr);

    // A stray second message finds no request and leaves the run alone.
    window_->window.PostMessage(pages::kPostedReadjust);
    headless_.AdvanceTime(0);
    EXPECT_EQ(Adjustment().GetItems(), (std::vector<int>{101, 102, 200}));
}

TEST_F(ReadjustTest, NothingTickedRunsThePrintTestAgainAndAGoneWindowTakesNoRequest) {
    window_->window.ShowItemMenu(true);
    window_->window.StartAdjustment({200});
    ASSERT_NE(ShownPrintTest(), nullptr);
    headless_.SimulateClick(ShownPrintTest()->GetDlgItem(kReadjustButton));
    headless_.AdvanceTime(0);
    EXPECT_EQ(Adjustment().GetItems(), (std::vector<int>{200}));
    EXPECT_NE(ShownPrintTest(), nullptr);

    window_.reset();
    EXPECT_FALSE(pages::PostReadjust({101, 200}));
    EXPECT_TRUE(pages::TakeReadjustRun().empty());
}

}  // namespace
