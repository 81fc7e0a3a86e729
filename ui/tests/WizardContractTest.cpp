// What the wizard's pages and the dialog that holds it may count on, on every back-end: a page that
// refuses activation is never shown, the sheet's own commands reach its owner after the page stopped
// its work, and a taller page later on makes the sheet grow. Page template 302 has button 1128;
// template 165 is 8 units taller.
#include <gtest/gtest.h>

#include <vector>

#include "BackendCase.h"
#include "testsupport/ScopedWindow.h"
#include "ui/PropertySheet.h"

namespace {

using uitest::BackendCase;

class Page : public ui::CPropertyPage {
public:
    explicit Page(int flags, int templateId = 302) : CPropertyPage(templateId), flags_(flags) {}
    bool OnSetActive() override {
        ++activations;
        GetSheet()->SetWizardButtons(flags_);
        return agrees;
    }
    void OnStopWork() override { ++stops; }
    void OnCancel() override {
        ++cancels;
        CPropertyPage::OnCancel();
    }
    bool agrees = true;
    int activations = 0;
    int stops = 0;
    int cancels = 0;

private:
    int flags_;
};

// The dialog that holds the sheet; it notes the commands the sheet hands it.
class Owner : public ui::CDialog {
public:
    Owner() : CDialog(102) {}
    bool OnCommand(int id, ui::Notification) override {
        commands.push_back(id);
        return handles;
    }
    bool handles = true;
    std::vector<int> commands;
};

// A sheet with buttons of its own, each handed to the owner as the adjustment dialog's sheet does.
class OwnButtonsSheet : public ui::CPropertySheet {
public:
    bool OnCommand(int id, ui::Notification code) override {
        return CPropertySheet::OnCommand(id, code) || PassToOwner(id, code);
    }
};

class WizardCase : public BackendCase {
protected:
    void Open(std::vector<Page*> pages) {
        ASSERT_TRUE(owner_.Create(nullptr));
        for (Page* page : pages) {
            sheet_.AddPage(page);
        }
        ASSERT_TRUE(sheet_.Create(owner_));
    }
    int ButtonsNow() {
        ui::PumpWaitingMessages();
        return sheet_.GetWizardButtons();
    }
    testsupport::ScopedWindow<Owner> owner_;
    testsupport::ScopedWindow<OwnButtonsSheet> sheet_;
};

using Activation = WizardCase;

TEST_P(Activation, APageThatRefusesIsNotShownAndThePreviousStaysActive) {
    testsupport::ScopedWindow<Page> first(ui::kWizardNext);
    testsupport::ScopedWindow<Page> middle(ui::kWizardBack | ui::kWizardNext);
    testsupport::ScopedWindow<Page> last(ui::kWizardBack | ui::kWizardFinish);
    middle.agrees = false;
    Open({&first, &middle, &last});
    ASSERT_TRUE(sheet_.SetActivePage(0));

    ui::SendCommand(sheet_, ui::kIdWizardNext);
    EXPECT_EQ(sheet_.GetActiveIndex(), 0);
    EXPECT_TRUE(first.IsWindowVisible());
    EXPECT_FALSE(middle.IsWindowVisible());
    EXPECT_EQ(first.activations, 2) << "the previous page is told it is active again";
    EXPECT_EQ(ButtonsNow(), ui::kWizardNext) << "the buttons are the previous page's";

    EXPECT_FALSE(sheet_.SetActivePage(1));
    EXPECT_EQ(sheet_.GetActivePage(), &first);
    EXPECT_FALSE(middle.IsWindowVisible());

    ASSERT_TRUE(sheet_.SetActivePage(2));
    EXPECT_FALSE(first.IsWindowVisible());
    ui::SendCommand(sheet_, ui::kIdWizardBack);
    EXPECT_EQ(sheet_.GetActiveIndex(), 2);
    EXPECT_TRUE(last.IsWindowVisible());
    EXPECT_FALSE(middle.IsWindowVisible());
    EXPECT_EQ(ButtonsNow(), ui::kWizardBack | ui::kWizardFinish);

    middle.agrees = true;
    ui::SendCommand(sheet_, ui::kIdWizardBack);
    EXPECT_EQ(sheet_.GetActiveIndex(), 1);
    EXPECT_TRUE(middle.IsWindowVisible());
    EXPECT_FALSE(last.IsWindowVisible());
}

TEST_P(Activation, AFirstPageThatRefusesLeavesNoActivePage) {
    testsupport::ScopedWindow<Page> only(ui::kWizardFinish);
    only.agrees = false;
    Open({&only});
    EXPECT_FALSE(sheet_.SetActivePage(0));
    EXPECT_EQ(sheet_.GetActivePage(), nullptr);
    EXPECT_FALSE(only.IsWindowVisible());
}

INSTANTIATE_TEST_SUITE_P(Backends, Activation, ::testing::ValuesIn(uitest::TestedBackends()),
                         uitest::BackendCaseName);

using SheetCommands = WizardCase;

TEST_P(SheetCommands, AButtonOfTheSheetStopsThePageThenReachesTheOwner) {
    testsupport::ScopedWindow<Page> first(ui::kWizardNext);
    testsupport::ScopedWindow<Page> second(ui::kWizardBack | ui::kWizardFinish);
    Open({&first, &second});
    ASSERT_TRUE(sheet_.SetActivePage(1));
    const ui::Rect cancel = sheet_.GetButton(ui::kIdCancel).GetWindowRect();
    ASSERT_NE(ui::Backend().CreateButton(sheet_, 7000, "Status", {12, cancel.top, 112, cancel.bottom}),
              nullptr);

    EXPECT_TRUE(ui::SendCommand(sheet_, 7000));
    EXPECT_EQ(second.stops, 1);
    EXPECT_EQ(first.stops, 0) << "only the active page";
    EXPECT_EQ(second.cancels, 0) << "stopping is not cancelling";
    EXPECT_EQ(owner_.commands, (std::vector<int>{7000}));
    EXPECT_TRUE(second.IsWindowVisible());
    EXPECT_EQ(sheet_.GetActiveIndex(), 1);

    owner_.handles = false;
    EXPECT_FALSE(ui::SendCommand(sheet_, ui::kIdCancel)) << "the owner's answer";
    EXPECT_EQ(second.stops, 2);
    EXPECT_EQ(owner_.commands, (std::vector<int>{7000, ui::kIdCancel}));
}

TEST_P(SheetCommands, KeysInAPageBelongToTheWizard) {
    testsupport::ScopedWindow<Page> first(ui::kWizardNext);
    testsupport::ScopedWindow<Page> second(ui::kWizardBack | ui::kWizardFinish);
    Open({&first, &second});
    ASSERT_TRUE(sheet_.SetActivePage(0));
    ButtonsNow();

    ui::Backend().SimulateKey(first.GetDlgItem(1128), ui::Key::Enter);
    ui::PumpWaitingMessages();
    EXPECT_EQ(sheet_.GetActiveIndex(), 1) << "Enter pressed Next";
    EXPECT_TRUE(owner_.commands.empty()) << "never the owner's OK";

    ui::Backend().SimulateKey(second.GetDlgItem(1128), ui::Key::Escape);
    ui::PumpWaitingMessages();
    EXPECT_EQ(second.stops, 1);
    EXPECT_EQ(owner_.commands, (std::vector<int>{ui::kIdCancel}));
}

INSTANTIATE_TEST_SUITE_P(Backends, SheetCommands, ::testing::ValuesIn(uitest::TestedBackends()),
                         uitest::BackendCaseName);

using Layout = WizardCase;

TEST_P(Layout, ATallerPageAddedLaterMakesTheSheetAndItsButtonRowMoveDown) {
    testsupport::ScopedWindow<Page> ordinary(ui::kWizardFinish);
    Open({&ordinary});
    ASSERT_TRUE(sheet_.SetActivePage(0));
    const ui::Rect cancel = sheet_.GetButton(ui::kIdCancel).GetWindowRect();
    ASSERT_NE(ui::Backend().CreateButton(sheet_, 7000, "Status", {12, cancel.top, 112, cancel.bottom}),
              nullptr);
    const ui::Rect sheetBefore = sheet_.GetWindowRect();
    const ui::Rect areaBefore = sheet_.PageArea();
    std::vector<ui::Rect> before;
    for (int id : {ui::kIdWizardBack, ui::kIdWizardNext, ui::kIdWizardFinish, ui::kIdCancel, 7000}) {
        before.push_back(ui::CWindow(sheet_.GetDlgItem(id)).GetWindowRect());
    }
    const int taller = ui::Backend().MapDialogRect(owner_, {0, 0, 310, 144}).Height() -
                       ui::Backend().MapDialogRect(owner_, {0, 0, 310, 136}).Height();
    ASSERT_GT(taller, 0);

    // The next run: the ordinary page goes, the EEPROM page comes.
    sheet_.RemovePage(0);
    testsupport::ScopedWindow<Page> eeprom(ui::kWizardFinish, 165);
    sheet_.AddPage(&eeprom);
    EXPECT_EQ(sheet_.PageArea(),
              (ui::Rect{areaBefore.left, areaBefore.top, areaBefore.right, areaBefore.bottom + taller}));
    EXPECT_EQ(sheet_.GetWindowRect(),
              (ui::Rect{sheetBefore.left, sheetBefore.top, sheetBefore.right, sheetBefore.bottom + taller}));
    int index = 0;
    for (int id : {ui::kIdWizardBack, ui::kIdWizardNext, ui::kIdWizardFinish, ui::kIdCancel, 7000}) {
        const ui::Rect was = before[static_cast<std::size_t>(index++)];
        EXPECT_EQ(ui::CWindow(sheet_.GetDlgItem(id)).GetWindowRect(),
                  (ui::Rect{was.left, was.top + taller, was.right, was.bottom + taller}))
            << id;
    }
    ASSERT_TRUE(sheet_.SetActivePage(0));
    EXPECT_LE(eeprom.GetWindowRect().bottom, sheet_.GetButton(ui::kIdCancel).GetWindowRect().top);

    // A smaller page does not shrink the sheet again.
    testsupport::ScopedWindow<Page> another(ui::kWizardFinish);
    sheet_.AddPage(&another);
    EXPECT_EQ(sheet_.GetWindowRect().bottom, sheetBefore.bottom + taller);
}

INSTANTIATE_TEST_SUITE_P(Backends, Layout, ::testing::ValuesIn(uitest::TestedBackends()),
                         uitest::BackendCaseName);

}  // namespace
