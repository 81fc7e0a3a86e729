#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "HeadlessFixture.h"
#include "testsupport/ScopedWindow.h"
#include "ui/PropertySheet.h"

namespace {

using uitest::HeadlessTest;

class Page : public ui::CPropertyPage {
public:
    Page(int flags, int back = 0) : CPropertyPage(302), flags_(flags), back_(back) {}
    bool OnSetActive() override {
        ++activations;
        GetSheet()->SetWizardButtons(flags_);
        return true;
    }
    int OnWizardBack() override { return back_; }
    bool OnWizardFinish() override { return ++finishes > 1; }
    int activations = 0;
    int finishes = 0;

private:
    int flags_;
    int back_;
};

class Host : public ui::CDialog {
public:
    Host() : CDialog(102) {}
};

TEST_F(HeadlessTest, WizardButtonsFollowThePostedFlags) {
    testsupport::ScopedWindow<Host> host;
    ASSERT_TRUE(host.Create(nullptr));
    Page first(ui::kWizardNext);
    Page last(ui::kWizardBack | ui::kWizardFinish, -1);
    testsupport::ScopedWindow<ui::CPropertySheet> sheet;
    sheet.AddPage(&first);
    sheet.AddPage(&last);
    ASSERT_TRUE(sheet.Create(host));
    ASSERT_TRUE(sheet.SetActivePage(0));
    ui::PumpWaitingMessages();
    EXPECT_FALSE(sheet.GetButton(ui::kIdWizardBack).IsWindowEnabled());
    EXPECT_TRUE(sheet.GetButton(ui::kIdWizardNext).IsWindowVisible());
    EXPECT_FALSE(sheet.GetButton(ui::kIdWizardFinish).IsWindowVisible());

    ui::SendCommand(sheet, ui::kIdWizardNext);
    EXPECT_EQ(sheet.GetActiveIndex(), 1);
    EXPECT_EQ(sheet.GetWizardButtons(), ui::kWizardNext) << "set-wizard-buttons is posted, not sent";
    ui::PumpWaitingMessages();
    EXPECT_TRUE(sheet.GetButton(ui::kIdWizardBack).IsWindowEnabled());
    EXPECT_FALSE(sheet.GetButton(ui::kIdWizardNext).IsWindowVisible());
    EXPECT_TRUE(sheet.GetButton(ui::kIdWizardFinish).IsWindowVisible());
    EXPECT_FALSE(first.IsWindowVisible());
    EXPECT_TRUE(last.IsWindowVisible());

    ui::SendCommand(sheet, ui::kIdWizardBack);
    EXPECT_EQ(sheet.GetActiveIndex(), 1) << "OnWizardBack answered -1";
    ui::SendCommand(sheet, ui::kIdWizardFinish);
    ui::SendCommand(sheet, ui::kIdWizardFinish);
    EXPECT_EQ(last.finishes, 2);
    EXPECT_EQ(first.activations, 1);

    sheet.RemovePage(1);
    EXPECT_FALSE(last.IsWindow());
    EXPECT_EQ(sheet.GetActivePage(), nullptr);
    EXPECT_EQ(sheet.GetPageCount(), 1);
}

TEST_F(HeadlessTest, SheetButtonsCarryTheStringTableCaptions) {
    testsupport::ScopedWindow<Host> host;
    ASSERT_TRUE(host.Create(nullptr));
    Page only(ui::kWizardFinish);
    testsupport::ScopedWindow<ui::CPropertySheet> sheet;
    sheet.AddPage(&only);
    ASSERT_TRUE(sheet.Create(host));
    EXPECT_EQ(sheet.GetButton(ui::kIdWizardBack).GetWindowText(), "< Back");
    EXPECT_EQ(sheet.GetButton(ui::kIdWizardNext).GetWindowText(), "Next >");
    EXPECT_EQ(sheet.GetButton(ui::kIdWizardFinish).GetWindowText(), "Finish");
    EXPECT_EQ(sheet.GetButton(ui::kIdCancel).GetWindowText(), "Cancel");
    // The page area fits the page template; the buttons sit below it.
    const ui::Rect page = headless_.MapDialogRect(nullptr, {0, 0, 310, 136});
    EXPECT_GE(sheet.GetButton(ui::kIdCancel).GetWindowRect().top, page.bottom);
}

}  // namespace
