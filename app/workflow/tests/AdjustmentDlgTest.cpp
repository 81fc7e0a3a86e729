#include <gtest/gtest.h>

#include <map>

#include "AdjustmentFixture.h"
#include "pages/CHeronBidAdjustPage.h"
#include "pages/CHeronBottomMarginAdjustPage.h"
#include "pages/CHeronCounterResetPage.h"
#include "pages/CHeronEepromRwPage.h"
#include "pages/CHeronFirmUpdatePage.h"
#include "pages/CHeronGetCounterPage.h"
#include "pages/CHeronGetFataECode.h"
#include "pages/CHeronInitialSettingPage.h"
#include "pages/CHeronPGAdjustPage.h"
#include "pages/CHeronPrintTestPage.h"
#include "pages/CHeronPrinterInfoPage.h"
#include "pages/CHeronSensorStatusPage.h"
#include "pages/CHeronSerialNoWritePage.h"
#include "pages/CHeronTopMarginAdjustPage.h"
#include "pages/CPEAdjust.h"
#include "pages/SensorStatusFlag.h"
#include "workflow/ItemCatalogue.h"

namespace adjusttest {
namespace {

constexpr int kParticular = 1;
constexpr int kSequential = 0;

class AdjustmentDialogTest : public AdjustmentTest {
protected:
    // The main window stand-in as a plain window, its adjustment screen showing the first run.
    void Open(MainWindowStandIn& window, const std::vector<int>& items) {
        window.firstRun = items;
        ASSERT_TRUE(window.Create(nullptr));
        ASSERT_TRUE(window.adjustment.IsWindow());
        ui::PumpWaitingMessages();
    }
    ui::CWindow Item(CTolvAdjustmentDlg& dialog, int id) { return dialog.GetDlgItem(id); }
};

TEST_F(AdjustmentDialogTest, TheSheetSitsBelowTheDescriptionAndTheDialogFitsAroundIt) {
    MainWindowStandIn window(kParticular);
    Open(window, {101, 102});
    CTolvAdjustmentDlg& dialog = window.adjustment;
    const ui::Rect description = Item(dialog, CTolvAdjustmentDlg::kDescription).GetWindowRect();
    const ui::Rect sheet = dialog.GetSheet().GetWindowRect();
    EXPECT_EQ(sheet.left, 0);
    EXPECT_EQ(sheet.top, description.bottom);
    EXPECT_EQ(description.right, sheet.right) << "the description box takes the sheet's width";
    const ui::Rect own = dialog.GetWindowRect();
    EXPECT_EQ(own.Width(), sheet.right + description.left);
    EXPECT_EQ(own.Height(), sheet.bottom + 5);
    const ui::Rect title = Item(dialog, CTolvAdjustmentDlg::kTitle).GetWindowRect();
    EXPECT_EQ(title.right, dialog.GetClientRect().Width() - title.left);

    // The extra buttons: Cancel's top and bottom, from x 12, one unit apart.
    const ui::Rect cancel = dialog.GetSheet().GetButton(ui::kIdCancel).GetWindowRect();
    const ui::Rect status = dialog.GetSheet().GetDlgItem(7000).GetWindowRect();
    const ui::Rect info = dialog.GetSheet().GetDlgItem(1017).GetWindowRect();
    EXPECT_EQ(status, (ui::Rect{12, cancel.top, 112, cancel.bottom}));
    EXPECT_EQ(info, (ui::Rect{113, cancel.top, 233, cancel.bottom}));
    EXPECT_TRUE(ui::CWindow(dialog.GetSheet().GetDlgItem(1017)).IsWindowEnabled());
}

TEST_F(AdjustmentDialogTest, AListWithoutAnyPageChangesNothing) {
    MainWindowStandIn window(kParticular);
    Open(window, {101});
    EXPECT_EQ(window.adjustment.PrepareItems({206, 0, -3}), 0);
    EXPECT_TRUE(window.adjustment.GetItems().empty());

    MainWindowStandIn fresh(kParticular);
    fresh.firstRun = {206, 0};
    ASSERT_TRUE(fresh.Create(nullptr));
    EXPECT_FALSE(fresh.adjustment.IsWindow()) << "the screen is not made for a list without pages";
}

TEST_F(AdjustmentDialogTest, ALaterRunRebuildsThePagesAndTheCancelRule) {
    MainWindowStandIn window(kParticular);
    Open(window, {101, 102});
    CMyPropertySheet& sheet = window.adjustment.GetSheet();
    EXPECT_TRUE(sheet.GetButton(ui::kIdCancel).IsWindowEnabled());
    ui::SendCommand(sheet, ui::kIdWizardNext);
    ASSERT_EQ(sheet.GetActiveIndex(), 1);

    window.StartAdjustment({103});
    ui::PumpWaitingMessages();
    EXPECT_EQ(window.adjustment.GetItems(), (std::vector<int>{103}));
    EXPECT_EQ(sheet.GetPageCount(), 1);
    EXPECT_EQ(sheet.GetActiveIndex(), 0);
    EXPECT_FALSE(sheet.GetButton(ui::kIdCancel).IsWindowEnabled());
    EXPECT_EQ(sheet.GetWizardButtons(), ui::kWizardFinish);
    EXPECT_EQ(Item(window.adjustment, CTolvAdjustmentDlg::kTitle).GetWindowText(), "Top margin");
    EXPECT_EQ(window.sequence.GetState(0), CAdjustSequenceInnerDlg::kCurrent);

    window.mode = kSequential;
    window.StartAdjustment({103});
    EXPECT_TRUE(sheet.GetButton(ui::kIdCancel).IsWindowEnabled());
}

TEST_F(AdjustmentDialogTest, MovingBackMakesTheEarlierBoxCurrentAndTheLaterPending) {
    MainWindowStandIn window(kParticular);
    Open(window, {101, 102, 103});
    CMyPropertySheet& sheet = window.adjustment.GetSheet();
    ui::SendCommand(sheet, ui::kIdWizardNext);
    ui::SendCommand(sheet, ui::kIdWizardNext);
    EXPECT_EQ(window.sequence.GetState(0), CAdjustSequenceInnerDlg::kDone);
    EXPECT_EQ(window.sequence.GetState(1), CAdjustSequenceInnerDlg::kDone);
    EXPECT_EQ(window.sequence.GetState(2), CAdjustSequenceInnerDlg::kCurrent);

    ui::SendCommand(sheet, ui::kIdWizardBack);
    EXPECT_EQ(window.sequence.GetState(0), CAdjustSequenceInnerDlg::kDone);
    EXPECT_EQ(window.sequence.GetState(1), CAdjustSequenceInnerDlg::kCurrent);
    EXPECT_EQ(window.sequence.GetState(2), CAdjustSequenceInnerDlg::kPending);
    EXPECT_EQ(Item(window.adjustment, CTolvAdjustmentDlg::kTitle).GetWindowText(), "Bi-d adjustment");
}

// The EEPROM page's template is 8 units taller than the others.
TEST_F(AdjustmentDialogTest, ALaterRunWithATallerPageGrowsTheSheetAndTheDialogAroundIt) {
    pageTemplates_[401] = 165;
    MainWindowStandIn window(kParticular);
    Open(window, {101, 102});
    CTolvAdjustmentDlg& dialog = window.adjustment;
    CMyPropertySheet& sheet = dialog.GetSheet();
    const ui::Rect sheetBefore = sheet.GetWindowRect();
    const ui::Rect cancelBefore = sheet.GetButton(ui::kIdCancel).GetWindowRect();
    const int taller = headless_.MapDialogRect(dialog, {0, 0, 310, 144}).Height() -
                       headless_.MapDialogRect(dialog, {0, 0, 310, 136}).Height();
    ASSERT_GT(taller, 0);

    window.StartAdjustment({101, 401});
    EXPECT_EQ(sheet.GetWindowRect(),
              (ui::Rect{sheetBefore.left, sheetBefore.top, sheetBefore.right, sheetBefore.bottom + taller}));
    const ui::Rect cancel = sheet.GetButton(ui::kIdCancel).GetWindowRect();
    EXPECT_EQ(cancel.top, cancelBefore.top + taller);
    for (int id : {ui::kIdWizardBack, ui::kIdWizardNext, ui::kIdWizardFinish, 7000, 1017}) {
        const ui::Rect button = ui::CWindow(sheet.GetDlgItem(id)).GetWindowRect();
        EXPECT_EQ(button.top, cancel.top) << id;
        EXPECT_EQ(button.bottom, cancel.bottom) << id;
    }
    EXPECT_EQ(ui::CWindow(sheet.GetDlgItem(7000)).GetWindowRect().left, 12) << "extra buttons keep x";
    EXPECT_EQ(dialog.GetWindowRect().Height(), sheet.GetWindowRect().bottom + 5);

    ui::SendCommand(sheet, ui::kIdWizardNext);
    ASSERT_EQ(sheet.GetActivePage()->GetTemplateId(), 165);
    EXPECT_LE(sheet.GetActivePage()->GetWindowRect().bottom, cancel.top) << "the page clears the buttons";

    // A later run of ordinary pages keeps the size, so the screen does not jump from run to run.
    window.StartAdjustment({101});
    EXPECT_EQ(sheet.GetWindowRect().bottom, sheetBefore.bottom + taller);
    EXPECT_EQ(dialog.GetWindowRect().Height(), sheet.GetWindowRect().bottom + 5);
}

TEST_F(AdjustmentDialogTest, StatusAndPrinterInfoFirstAskThePageToStop) {
    MainWindowStandIn window(kParticular);
    Open(window, {101});
    CMyPropertySheet& sheet = window.adjustment.GetSheet();
    headless_.SimulateClick(sheet.GetDlgItem(7000));
    headless_.SimulateClick(sheet.GetDlgItem(1017));
    EXPECT_EQ(pages_.stops, 2);
    EXPECT_EQ(pages_.cancels, 0) << "stopping the page's work is not cancelling it";
    EXPECT_EQ(window.returns, 0);
    EXPECT_TRUE(sheet.GetActivePage()->IsWindowVisible());
    EXPECT_TRUE(headless_.MessageBoxes().empty());
}

TEST_F(AdjustmentDialogTest, ConfirmedCancelStopsSensorPollingAndGivesTheButtonsBack) {
    MainWindowStandIn window(kSequential);
    Open(window, {406});
    CMyPropertySheet& sheet = window.adjustment.GetSheet();
    // As the sensor status page leaves things while its refresh thread runs.
    pages::SensorStatusRunning() = 1;
    ui::CWindow(sheet.GetDlgItem(7000)).EnableWindow(false);
    ui::CWindow(sheet.GetDlgItem(1017)).EnableWindow(false);

    headless_.SetMessageBoxAnswer(ui::kIdNo);
    headless_.SimulateClick(sheet.GetButton(ui::kIdCancel));
    EXPECT_EQ(pages::SensorStatusRunning().load(), 1);
    EXPECT_EQ(window.returns, 0);

    headless_.SetMessageBoxAnswer(ui::kIdYes);
    headless_.SimulateClick(sheet.GetButton(ui::kIdCancel));
    EXPECT_EQ(pages::SensorStatusRunning().load(), 0);
    EXPECT_TRUE(ui::CWindow(sheet.GetDlgItem(7000)).IsWindowEnabled());
    EXPECT_TRUE(ui::CWindow(sheet.GetDlgItem(1017)).IsWindowEnabled());
    EXPECT_EQ(window.returns, 1);
    ASSERT_EQ(headless_.MessageBoxes().size(), 2u);
    EXPECT_EQ(headless_.MessageBoxes()[1].text, "Would you cancel?");
}

TEST_F(AdjustmentDialogTest, ANewItemPutsTheDescriptionBackAndHidesTheFigure) {
    MainWindowStandIn window(kParticular);
    Open(window, {101, 102});
    CTolvAdjustmentDlg& dialog = window.adjustment;
    const ui::Rect stored = Item(dialog, CTolvAdjustmentDlg::kDescription).GetWindowRect();
    // A page that showed a figure narrowed the description box for it.
    Item(dialog, CTolvAdjustmentDlg::kDescription).MoveWindow({1, 2, 3, 4});
    Item(dialog, CTolvAdjustmentDlg::kFigure).ShowWindow(true);

    ui::SendCommand(dialog.GetSheet(), ui::kIdWizardNext);
    EXPECT_EQ(Item(dialog, CTolvAdjustmentDlg::kDescription).GetWindowRect(), stored);
    EXPECT_FALSE(Item(dialog, CTolvAdjustmentDlg::kFigure).IsWindowVisible());
}

TEST_F(AdjustmentDialogTest, AnItemUnknownToTheMenuShowsTheErrorPageText) {
    MainWindowStandIn window(kParticular);
    Open(window, {555});
    EXPECT_EQ(Item(window.adjustment, CTolvAdjustmentDlg::kTitle).GetWindowText(), "");
    EXPECT_EQ(Item(window.adjustment, CTolvAdjustmentDlg::kDescription).GetWindowText(), "No such item.");
}

TEST_F(AdjustmentDialogTest, TitleAndDescriptionCarryTheirOwnColours) {
    MainWindowStandIn window(kParticular);
    Open(window, {101});
    const ui::ControlColors title = headless_.ColorsOf(Item(window.adjustment, CTolvAdjustmentDlg::kTitle));
    EXPECT_TRUE(title.hasTextColor);
    EXPECT_EQ(title.textColor, ui::Rgb(128, 64, 64));
    EXPECT_FALSE(title.transparent);
    EXPECT_EQ(title.backColor, ui::Rgb(243, 238, 218));
    EXPECT_EQ(headless_.BrushColor(title.brush), ui::Rgb(243, 238, 218));
    const ui::ControlColors description =
        headless_.ColorsOf(Item(window.adjustment, CTolvAdjustmentDlg::kDescription));
    EXPECT_FALSE(description.transparent);
    EXPECT_EQ(description.backColor, ui::Rgb(198, 210, 253));
    EXPECT_EQ(headless_.BrushColor(description.brush), ui::Rgb(198, 210, 253));
}

TEST_F(AdjustmentDialogTest, TheTitleWearsFontEAndEverythingElseFontB) {
    MainWindowStandIn window(kParticular);
    Open(window, {101});
    const ui::FontSpec fontB = look_.GetFontSpec(CApplicationLook::kFontB);
    EXPECT_EQ(headless_.FontOf(Item(window.adjustment, CTolvAdjustmentDlg::kTitle)),
              look_.GetFontSpec(CApplicationLook::kFontE));
    EXPECT_EQ(headless_.FontOf(Item(window.adjustment, CTolvAdjustmentDlg::kDescription)), fontB);
    CMyPropertySheet& sheet = window.adjustment.GetSheet();
    for (int id : {ui::kIdWizardBack, ui::kIdWizardNext, ui::kIdWizardFinish, ui::kIdCancel, 7000, 1017}) {
        EXPECT_EQ(headless_.FontOf(sheet.GetDlgItem(id)), fontB) << id;
    }
    EXPECT_EQ(headless_.FontOf(sheet.GetActivePage()->GetDlgItem(1128)), fontB);

    // A change of language makes the fonts anew; the next run wears the new ones.
    ASSERT_TRUE(look_.Create("Japanese"));
    window.StartAdjustment({102});
    EXPECT_EQ(headless_.FontOf(Item(window.adjustment, CTolvAdjustmentDlg::kTitle)),
              look_.GetFontSpec(CApplicationLook::kFontE));
    EXPECT_EQ(headless_.FontOf(sheet.GetDlgItem(7000)), look_.GetFontSpec(CApplicationLook::kFontB));
    EXPECT_EQ(headless_.FontOf(window.sequence.GetDlgItem(8000)),
              look_.GetFontSpec(CApplicationLook::kFontA));
}

}  // namespace
}  // namespace adjusttest

namespace workflowtest {
namespace {

// The page each item's number answers with is matched to the class the item needs and the argument
// that class takes; an item of the catalogue with a page but no row here fails, as does a page for
// an item that has none.
template <typename Page>
bool IsA(const CMyPropertyPage* page) {
    return dynamic_cast<const Page*>(page) != nullptr;
}

TEST(ItemPageFactoryTest, TheBuiltPagesAnswerForTheirItemsAndTheRestHaveNone) {
    const std::map<int, int> counterFlags = {{301, 1}, {302, 2}, {303, 4}};
    const std::map<int, int> paperEndKinds = {{105, 1}, {106, 2}, {107, 4}};
    const std::map<int, bool (*)(const CMyPropertyPage*)> pageClasses = {
        {100, IsA<CHeronPrinterInfoPage>},     {101, IsA<CHeronPGAdjustPage>},
        {103, IsA<CHeronTopMarginAdjustPage>}, {104, IsA<CHeronBottomMarginAdjustPage>},
        {200, IsA<CHeronPrintTestPage>},       {201, IsA<CHeronPrintTestPage>},
        {202, IsA<CHeronPrintTestPage>},       {203, IsA<CHeronPrintTestPage>},
        {204, IsA<CHeronPrintTestPage>},       {205, IsA<CHeronPrintTestPage>},
        {402, IsA<CHeronInitialSettingPage>},  {403, IsA<CHeronSerialNoWritePage>},
        {404, IsA<CHeronFirmUpdatePage>},      {406, IsA<CHeronSensorStatusPage>}};
    for (const workflow::CatalogueItem& item : workflow::ItemCatalogue::Items()) {
        const std::unique_ptr<CMyPropertyPage> page = workflow::CreateItemPage(item.number);
        if (const auto flags = counterFlags.find(item.number); flags != counterFlags.end()) {
            const auto* reset = dynamic_cast<const CHeronCounterResetPage*>(page.get());
            ASSERT_NE(reset, nullptr) << item.number;
            EXPECT_EQ(reset->CounterFlags(), flags->second);
        } else if (const auto kind = paperEndKinds.find(item.number); kind != paperEndKinds.end()) {
            const auto* paperEnd = dynamic_cast<const CPEAdjust*>(page.get());
            ASSERT_NE(paperEnd, nullptr) << item.number;
            EXPECT_EQ(paperEnd->Kind(), kind->second);
        } else if (const auto isA = pageClasses.find(item.number); isA != pageClasses.end()) {
            EXPECT_TRUE(isA->second(page.get())) << item.number;
        } else if (item.number == 102) {
            EXPECT_NE(dynamic_cast<const CHeronBidAdjustPage*>(page.get()), nullptr);
        } else if (item.number == 304) {
            EXPECT_NE(dynamic_cast<const CHeronGetCounterPage*>(page.get()), nullptr);
        } else if (item.number == 401) {
            EXPECT_NE(dynamic_cast<const CHeronEepromRwPage*>(page.get()), nullptr);
        } else if (item.number == 405) {
            EXPECT_NE(dynamic_cast<const CHeronGetFataECode*>(page.get()), nullptr);
        } else {
            EXPECT_EQ(item.page, workflow::ItemPage::None) << item.number << " has a page but no row here";
            EXPECT_EQ(page, nullptr) << item.number;
        }
    }
    for (int pageless : {206, 207, 208, 209, 999}) {
        EXPECT_EQ(workflow::CreateItemPage(pageless), nullptr) << pageless;
    }
}

TEST(ItemPageFactoryTest, AMakerScopeAnswersForItsLifetimeOnly) {
    {
        workflow::ScopedItemPageMaker outer(
            [](int number) { return std::make_unique<CMyPropertyPage>(number); });
        {
            workflow::ScopedItemPageMaker inner([](int) { return std::unique_ptr<CMyPropertyPage>(); });
            EXPECT_EQ(workflow::CreateItemPage(302), nullptr);
        }
        const std::unique_ptr<CMyPropertyPage> page = workflow::CreateItemPage(302);
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(page->GetTemplateId(), 302);
        EXPECT_EQ(workflow::CreateItemPage(206)->GetTemplateId(), 206);
    }
    EXPECT_EQ(workflow::CreateItemPage(206), nullptr);
    EXPECT_EQ(workflow::CreateItemPage(302)->GetTemplateId(), 307);
}

}  // namespace
}  // namespace workflowtest
