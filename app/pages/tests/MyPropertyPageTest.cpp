#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "pages/CMyPropertyPage.h"
#include "platform/Clock.h"
#include "testsupport/ScopedWindow.h"
#include "ui/Headless.h"

namespace {

class RecordingHost : public pages::IAdjustmentHost {
public:
    void SetCurrentItem(int number) override { items.push_back(number); }
    std::vector<int> items;
};

class HostWindow : public ui::CDialog {
public:
    HostWindow() : CDialog(102) {}
};

class PageBaseTest : public ::testing::Test {
protected:
    // A sheet of count pages, each told its item number (100, 101, ...) and the host.
    void Build(int count) {
        ASSERT_TRUE(window_.Create(nullptr));
        for (int i = 0; i < count; ++i) {
            pages_.push_back(std::make_unique<CMyPropertyPage>(302));
            pages_.back()->SetItemNumber(100 + i);
            pages_.back()->SetAdjustmentHost(&host_);
            sheet_.AddPage(pages_.back().get());
        }
        ASSERT_TRUE(sheet_.Create(window_));
    }
    // The flags the page posted once the posted message has been dispatched.
    int ButtonsAfterActivating(int index) {
        EXPECT_TRUE(sheet_.SetActivePage(index));
        ui::PumpWaitingMessages();
        return sheet_.GetWizardButtons();
    }

    platform::VirtualClock clock_;
    platform::ScopedClock scopedClock_{clock_};
    ui::HeadlessBackend headless_;
    ui::ScopedBackend scopedBackend_{headless_};
    RecordingHost host_;
    testsupport::ScopedWindow<HostWindow> window_;
    std::vector<std::unique_ptr<CMyPropertyPage>> pages_;
    testsupport::ScopedWindow<ui::CPropertySheet> sheet_;
};

TEST_F(PageBaseTest, TheOnlyPageOffersFinishAlone) {
    Build(1);
    EXPECT_EQ(ButtonsAfterActivating(0), ui::kWizardFinish);
    EXPECT_TRUE(sheet_.GetButton(ui::kIdWizardFinish).IsWindowVisible());
    EXPECT_FALSE(sheet_.GetButton(ui::kIdWizardBack).IsWindowEnabled());
    EXPECT_EQ(host_.items, (std::vector<int>{100}));
}

TEST_F(PageBaseTest, ButtonsFollowThePlaceInTheRunAndTheHostLearnsEachItem) {
    Build(3);
    EXPECT_EQ(ButtonsAfterActivating(0), ui::kWizardNext);
    EXPECT_EQ(ButtonsAfterActivating(1), ui::kWizardBack | ui::kWizardNext);
    EXPECT_EQ(ButtonsAfterActivating(2), ui::kWizardBack | ui::kWizardFinish);
    EXPECT_EQ(ButtonsAfterActivating(1), ui::kWizardBack | ui::kWizardNext);
    EXPECT_EQ(host_.items, (std::vector<int>{100, 101, 102, 101}));
}

TEST_F(PageBaseTest, TheButtonsArePostedNotSetDuringActivation) {
    Build(2);
    ASSERT_TRUE(sheet_.SetActivePage(1));
    // A page's own OnSetActive may still change them before the message arrives.
    EXPECT_NE(sheet_.GetWizardButtons(), ui::kWizardBack | ui::kWizardFinish);
    ui::PumpWaitingMessages();
    EXPECT_EQ(sheet_.GetWizardButtons(), ui::kWizardBack | ui::kWizardFinish);
}

TEST_F(PageBaseTest, CancelLeavesThePageShown) {
    Build(1);
    ASSERT_TRUE(sheet_.SetActivePage(0));
    pages_[0]->OnCancel();
    EXPECT_TRUE(pages_[0]->IsWindowVisible());
}

TEST_F(PageBaseTest, APageClosesItsProgressWindowWhenItGoes) {
    auto progressWindows = [this] {
        int count = 0;
        for (ui::HWindow window : headless_.GetTopLevelWindows()) {
            count += ui::Backend().GetId(window) == 185 ? 1 : 0;
        }
        return count;
    };
    Build(2);
    ASSERT_TRUE(sheet_.SetActivePage(0));
    ASSERT_NE(pages_[0]->ProgressControl(CPrinterCtrlUI::kOpenProgress, 5), nullptr);
    EXPECT_EQ(progressWindows(), 1);
    sheet_.RemovePage(0);
    EXPECT_EQ(progressWindows(), 0) << "destroying the page's window";
    EXPECT_EQ(pages_[0]->Progress(), nullptr);

    // A page whose window never existed closes it when it is deleted.
    sheet_.RemovePage(0);
    ASSERT_NE(pages_[1]->ProgressControl(CPrinterCtrlUI::kOpenProgress, 5), nullptr);
    pages_[1].reset();
    EXPECT_EQ(progressWindows(), 0) << "deleting the page";
}

TEST_F(PageBaseTest, APageWithoutHostOrSheetStillActivates) {
    CMyPropertyPage loose(302);
    EXPECT_TRUE(loose.OnSetActive());
    EXPECT_EQ(CMyPropertyPage::WizardButtonsFor(-1, 0), ui::kWizardFinish);
}

}  // namespace
