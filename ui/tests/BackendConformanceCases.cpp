#include "BackendConformanceCases.h"

#include <gtest/gtest.h>

#include <iterator>

#include "res/DialogTemplate.h"
#include "ui/Gdi.h"

namespace uitest {
namespace {

using K = res::ControlKind;
using Heard = std::vector<std::string>;

constexpr res::ControlTemplate kControls[] = {
    {K::Icon, kUnknownIconStatic, "", 4, 4, 20, 20, 0, kNoSuchIcon},
    {K::Icon, kMainIconStatic, "", 28, 4, 20, 20, 0, kMainIcon},
    {K::Static, kLabel, "Label", 56, 8, 100, 10},
    {K::Edit, kEdit, "", 4, 30, 100, 12, res::kBorder},
    {K::Edit, kNotes, "", 110, 30, 100, 30, res::kMultiLine | res::kBorder},
    {K::Button, kPress, "Press", 4, 64, 50, 14},
    {K::CheckBox, kTick, "Tick", 60, 64, 60, 12},
    {K::ComboBox, kDropDown, "", 130, 64, 80, 80, res::kVerticalScroll},
    {K::ListBox, kList, "", 4, 84, 100, 60, res::kVerticalScroll | res::kBorder},
    {K::CheckListBox, kChecks, "", 110, 84, 100, 60, res::kVerticalScroll | res::kBorder},
    {K::ListView, kReport, "", 216, 4, 110, 140, res::kBorder},
    {K::Button, kDisabledButton, "Off", 4, 150, 50, 14, res::kDisabled},
    {K::Button, kHiddenButton, "Away", 60, 150, 50, 14, res::kHidden},
    {K::RichEdit, kLog, "", 116, 148, 210, 20,
     res::kReadOnly | res::kMultiLine | res::kVerticalScroll | res::kBorder | res::kDisabled},
};

constexpr res::DialogTemplate kForm = {0, res::DialogKind::Popup, "Bench", 330, 170, kControls};

std::string Describe(ui::Notification code) {
    switch (code) {
        case ui::Notification::Clicked:
            return "click";
        case ui::Notification::SelectionChange:
            return "select";
        case ui::Notification::DoubleClick:
            return "double";
        case ui::Notification::TextChange:
            return "text";
        case ui::Notification::RowCheckChange:
            return "tick";
    }
    return "?";
}

std::string Note(const char* what, int id) {
    return std::string(what) + " " + std::to_string(id);
}

ui::HWindow Focus() {
    return ui::Backend().GetFocus();
}

void PressTab() {
    ui::Backend().SimulateKey(Focus(), ui::Key::Tab);
    Bench::Pump();
}

// ---- focus and enabling (the dialog is never shown: showing a window costs seconds under Wine)

void FocusGoesWhereSetFocusPutsIt(Bench& bench) {
    bench.Item(kEdit).SetFocus();
    EXPECT_EQ(Focus(), bench.Item(kEdit));
    bench.Item(kList).SetFocus();
    EXPECT_EQ(Focus(), bench.Item(kList));
}

void ADisabledControlTakesNoFocusAndDisablingTheFocusLeavesNone(Bench& bench) {
    bench.Item(kEdit).SetFocus();
    bench.Item(kDisabledButton).SetFocus();
    EXPECT_EQ(Focus(), bench.Item(kEdit)) << "a disabled control does not take the focus";
    bench.Item(kEdit).EnableWindow(false);
    EXPECT_FALSE(bench.Item(kEdit).IsWindowEnabled());
    EXPECT_EQ(Focus(), nullptr) << "the disabled control gives the focus up";
    bench.Item(kEdit).EnableWindow(true);
    EXPECT_TRUE(bench.Item(kEdit).IsWindowEnabled());
    EXPECT_EQ(Focus(), nullptr) << "enabling does not give the focus back";
}

void TabVisitsTheEnabledVisibleInputsInTemplateOrder(Bench& bench) {
    bench.Item(kPress).SetFocus();
    const int expected[] = {kTick, kDropDown, kList, kChecks, kReport, kEdit, kNotes};
    for (int id : expected) {
        PressTab();
        EXPECT_EQ(ui::Backend().GetId(Focus()), id)
            << "statics, icons, disabled and hidden buttons are passed by";
    }
    bench.Item(kDisabledButton).EnableWindow(true);
    bench.Item(kReport).SetFocus();
    PressTab();
    EXPECT_EQ(ui::Backend().GetId(Focus()), kDisabledButton) << "once enabled it is a stop again";
}

void AClickGivesTheControlTheFocusAndTellsTheDialog(Bench& bench) {
    bench.Item(kEdit).SetFocus();
    ui::Backend().SimulateClick(bench.Item(kPress));
    EXPECT_EQ(Focus(), bench.Item(kPress));
    ui::Backend().SimulateClick(bench.Item(kTick));
    EXPECT_EQ(Focus(), bench.Item(kTick));
    EXPECT_EQ(ui::CButton(bench.Item(kTick)).GetCheck(), 1);
    EXPECT_EQ(bench.heard, (Heard{Note("click", kPress), Note("click", kTick)}));
}

void ADisabledOrHiddenControlTakesNoClick(Bench& bench) {
    bench.Item(kEdit).SetFocus();
    ui::Backend().SimulateClick(bench.Item(kDisabledButton));
    ui::Backend().SimulateClick(bench.Item(kHiddenButton));
    EXPECT_TRUE(bench.heard.empty());
    EXPECT_EQ(Focus(), bench.Item(kEdit));
    bench.Item(kDisabledButton).EnableWindow(true);
    ui::Backend().SimulateClick(bench.Item(kDisabledButton));
    EXPECT_EQ(bench.heard, (Heard{Note("click", kDisabledButton)}));
}

// ---- texts

void WindowTextsReadBackAsSet(Bench& bench) {
    bench.SetWindowText("Fatal error history");
    EXPECT_EQ(bench.GetWindowText(), "Fatal error history");
    EXPECT_EQ(bench.Item(kLabel).GetWindowText(), "Label") << "from the template";
    bench.Item(kLabel).SetWindowText("Ready");
    EXPECT_EQ(bench.Item(kLabel).GetWindowText(), "Ready");
    bench.Item(kPress).SetWindowText("Enter");
    EXPECT_EQ(bench.Item(kPress).GetWindowText(), "Enter");
    bench.Item(kNotes).SetWindowText("line 1\r\nline 2");
    EXPECT_EQ(bench.Item(kNotes).GetWindowText(), "line 1\r\nline 2");
    bench.Item(kEdit).SetWindowText("");
    EXPECT_EQ(bench.Item(kEdit).GetWindowText(), "");
}

void ASingleLineEditTellsOfEveryChangeAMultiLineOneOnlyOfTyping(Bench& bench) {
    bench.Item(kEdit).SetWindowText("12.5");
    bench.Item(kNotes).SetWindowText("set by the program");
    EXPECT_EQ(bench.heard, (Heard{Note("text", kEdit)}));
    ui::Backend().SimulateType(bench.Item(kNotes), "typed");
    ui::Backend().SimulateType(bench.Item(kEdit), "3");
    EXPECT_EQ(bench.heard, (Heard{Note("text", kEdit), Note("text", kNotes), Note("text", kEdit)}));
    EXPECT_EQ(bench.Item(kEdit).GetWindowText(), "3");
    EXPECT_EQ(Focus(), bench.Item(kEdit));
}

void ADropDownListShowsItsSelectedRowAsItsText(Bench& bench) {
    ui::CComboBox list = bench.Item(kDropDown);
    EXPECT_EQ(list.AddString("VK-572D"), 0);
    EXPECT_EQ(list.AddString("VK-2240II"), 1);
    EXPECT_EQ(list.GetWindowText(), "");
    list.SetCurSel(1);
    EXPECT_EQ(list.GetCurSel(), 1);
    EXPECT_EQ(list.GetWindowText(), "VK-2240II");
    list.SetCurSel(-1);
    EXPECT_EQ(list.GetCurSel(), -1);
    EXPECT_EQ(list.GetWindowText(), "");
    EXPECT_TRUE(bench.heard.empty()) << "the program's own choice is not the technician's";
    ui::Backend().SimulateSelect(list, 0);
    EXPECT_EQ(list.GetWindowText(), "VK-572D");
    EXPECT_EQ(bench.heard, (Heard{Note("select", kDropDown)}));
    list.ResetContent();
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetCurSel(), -1);
    EXPECT_EQ(list.GetWindowText(), "");
}

// ---- list boxes

void AListBoxKeepsItsRowsInTheOrderOfAdding(Bench& bench) {
    ui::CListBox list = bench.Item(kList);
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.AddString("b"), 0);
    EXPECT_EQ(list.AddString("a"), 1);
    EXPECT_EQ(list.AddString("C"), 2);
    EXPECT_EQ(list.GetCount(), 3);
    EXPECT_EQ(list.GetText(0), "b");
    EXPECT_EQ(list.GetText(1), "a");
    EXPECT_EQ(list.GetText(3), "") << "beyond the end";
    EXPECT_EQ(list.FindStringExact("c"), 2);
    list.ResetContent();
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetText(0), "");
}

void AListBoxSelectionStaysForARowBeyondTheEnd(Bench& bench) {
    ui::CListBox list = bench.Item(kList);
    list.AddString("Nozzle check");
    list.AddString("Bi-d pattern");
    list.AddString("Margins");
    EXPECT_EQ(list.GetCurSel(), -1);
    list.SetCurSel(2);
    EXPECT_EQ(list.GetCurSel(), 2);
    list.SetCurSel(5);
    EXPECT_EQ(list.GetCurSel(), 2);
    list.SetCurSel(-1);
    EXPECT_EQ(list.GetCurSel(), -1);
    EXPECT_TRUE(bench.heard.empty());
    ui::Backend().SimulateSelect(list, 1);
    ui::Backend().SimulateDoubleClick(list, 0);
    EXPECT_EQ(list.GetCurSel(), 0);
    EXPECT_EQ(Focus(), list);
    EXPECT_EQ(bench.heard, (Heard{Note("select", kList), Note("select", kList), Note("double", kList)}));
    list.SetCurSel(1);
    list.ResetContent();
    EXPECT_EQ(list.GetCurSel(), -1);
}

// ---- list views in report mode

void AReportListHasItsColumnsWithTheirWidths(Bench& bench) {
    ui::CListViewCtrl view = bench.Item(kReport);
    EXPECT_EQ(view.GetColumnWidth(0), 0) << "no column yet";
    view.InsertColumn(0, "No.", 40);
    view.InsertColumn(1, "Error", 120, ui::ColumnAlign::Center);
    view.InsertColumn(1, "Date", 60);
    EXPECT_EQ(view.GetColumnWidth(0), 40);
    EXPECT_EQ(view.GetColumnWidth(1), 60);
    EXPECT_EQ(view.GetColumnWidth(2), 120);
    EXPECT_EQ(view.GetColumnWidth(3), 0);
    EXPECT_EQ(view.GetColumnWidth(-1), 0);
}

void AReportListKeepsItsRowsAndCells(Bench& bench) {
    ui::CListViewCtrl view = bench.Item(kReport);
    view.InsertColumn(0, "No.", 40);
    view.InsertColumn(1, "Error", 120);
    EXPECT_EQ(view.InsertItem(0, "1"), 0);
    EXPECT_EQ(view.InsertItem(5, "2"), 1) << "a row beyond the end goes last";
    EXPECT_EQ(view.InsertItem(0, "0"), 0);
    EXPECT_EQ(ui::CListControl(view).AddString("3"), 3);
    EXPECT_EQ(view.GetItemCount(), 4);
    EXPECT_EQ(view.GetItemText(1, 0), "1");
    EXPECT_EQ(ui::CListControl(view).GetText(3), "3") << "a row's text is its first cell";
    view.SetItemText(1, 1, "E-01 carriage");
    EXPECT_EQ(view.GetItemText(1, 1), "E-01 carriage");
    EXPECT_EQ(view.GetItemText(2, 1), "");
    view.SetItemText(1, 4, "no column");
    EXPECT_EQ(view.GetItemText(1, 4), "") << "a cell needs its column";
    EXPECT_EQ(view.GetItemText(9, 0), "");
    const std::string longText(3000, 'x');
    view.SetItemText(2, 1, longText);
    EXPECT_EQ(view.GetItemText(2, 1), longText) << "a long cell reads back whole";
    view.DeleteAllItems();
    EXPECT_EQ(view.GetItemCount(), 0);
    EXPECT_EQ(view.GetItemText(0, 0), "");
}

void AReportListSelectionFollowsItsRow(Bench& bench) {
    ui::CListViewCtrl view = bench.Item(kReport);
    view.InsertColumn(0, "No.", 40);
    view.InsertItem(0, "a");
    view.InsertItem(1, "b");
    view.InsertItem(2, "c");
    EXPECT_EQ(view.GetCurSel(), -1);
    view.SetCurSel(1);
    EXPECT_EQ(view.GetCurSel(), 1);
    EXPECT_EQ(bench.heard, (Heard{Note("select", kReport)})) << "a list view tells of every row it selects";
    view.InsertItem(0, "z");
    EXPECT_EQ(view.GetCurSel(), 2) << "the selected row moved down";
    view.SetCurSel(7);
    EXPECT_EQ(view.GetCurSel(), -1);
    view.SetCurSel(0);
    view.SetCurSel(-1);
    EXPECT_EQ(view.GetCurSel(), -1);
    ui::Backend().SimulateSelect(view, 3);
    EXPECT_EQ(view.GetCurSel(), 3);
    EXPECT_EQ(Focus(), view);
    EXPECT_EQ(bench.heard, (Heard(3, Note("select", kReport))));
    view.DeleteAllItems();
    EXPECT_EQ(view.GetCurSel(), -1);
}

// ---- check lists

void ACheckListTicksAndUnticksItsRows(Bench& bench) {
    ui::CCheckListBox list = bench.Item(kChecks);
    list.AddString("Print head");
    list.AddString("Carriage motor");
    list.AddString("Main board");
    EXPECT_EQ(list.GetCount(), 3);
    EXPECT_EQ(list.GetText(1), "Carriage motor");
    EXPECT_FALSE(list.GetCheck(1));
    list.SetCheck(1, true);
    EXPECT_TRUE(list.GetCheck(1));
    EXPECT_FALSE(list.GetCheck(0));
    list.SetCheck(1, true);
    EXPECT_EQ(bench.heard, (Heard{Note("tick", kChecks)})) << "a tick that changes nothing is not told";
    ui::Backend().SimulateRowCheck(list, 1, false);
    EXPECT_FALSE(list.GetCheck(1));
    EXPECT_FALSE(list.GetCheck(7));
    list.SetCurSel(2);
    EXPECT_EQ(list.GetCurSel(), 2);
    EXPECT_EQ(bench.heard, (Heard{Note("tick", kChecks), Note("tick", kChecks), Note("select", kChecks)}));
}

void ADisabledCheckListRowTakesNoTickAndLosesItsOwn(Bench& bench) {
    ui::CCheckListBox list = bench.Item(kChecks);
    list.AddString("Print head");
    list.AddString("Platen");
    list.SetCheck(0, true);
    list.Enable(0, false);
    EXPECT_FALSE(list.IsEnabled(0));
    EXPECT_TRUE(list.IsEnabled(1));
    EXPECT_FALSE(list.GetCheck(0)) << "a disabled row shows no check box";
    list.SetCheck(0, true);
    ui::Backend().SimulateRowCheck(list, 0, true);
    EXPECT_FALSE(list.GetCheck(0));
    list.Enable(0, true);
    EXPECT_TRUE(list.IsEnabled(0));
    EXPECT_FALSE(list.GetCheck(0));
    EXPECT_EQ(bench.heard, (Heard{Note("tick", kChecks)})) << "only the first tick was one";
}

// ---- icons and fonts

void EachIconStaticShowsItsOwnIcon(Bench& bench) {
    EXPECT_EQ(bench.Item(kUnknownIconStatic).GetIcon(), 0) << "the program has no such icon";
    EXPECT_EQ(bench.Item(kMainIconStatic).GetIcon(), kMainIcon);
    bench.Item(kUnknownIconStatic).SetIcon(kMainIcon);
    EXPECT_EQ(bench.Item(kUnknownIconStatic).GetIcon(), kMainIcon);
    EXPECT_EQ(bench.GetIcon(), 0);
    bench.SetIcon(kMainIcon);
    EXPECT_EQ(bench.GetIcon(), kMainIcon);
}

void EveryControlStartsInTheDialogFont(Bench& bench) {
    ui::FontObject* font = bench.Item(kLabel).GetFont();
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(bench.Item(kEdit).GetFont(), font);
    const ui::FontSpec spec = ui::Backend().DescribeFont(font);
    EXPECT_EQ(spec.face, "MS Shell Dlg");
    EXPECT_EQ(spec.height, -11) << "8 points at 96 dots per inch";
}

void AControlWearsTheFontSetOnIt(Bench& bench) {
    ui::CFont bold;
    ASSERT_TRUE(bold.CreateFontIndirect(ui::FontSpec{"Arial", -16, ui::kFontWeightBold}));
    bench.Item(kLabel).SetFont(bold);
    EXPECT_EQ(bench.Item(kLabel).GetFont(), bold.Get());
    EXPECT_NE(bench.Item(kEdit).GetFont(), bold.Get()) << "the others keep theirs";
    const ui::FontSpec spec = bold.GetLogFont();
    EXPECT_EQ(spec.face, "Arial");
    EXPECT_EQ(spec.height, -16);
    EXPECT_EQ(spec.weight, ui::kFontWeightBold);
    EXPECT_FALSE(spec.italic);
    EXPECT_EQ(ui::Backend().DescribeFont(nullptr), ui::FontSpec{});
}

// ---- character formats of rich edit controls

void ARichEditDrawsCharactersAsLastFormattedUntilItsTextIsSetAgain(Bench& bench) {
    const ui::CRichEditCtrl log = bench.Item(kLog);
    const ui::CharFormat green{ui::Rgb(0, 240, 0), true};
    const ui::CharFormat red{ui::Rgb(255, 0, 0), true};
    const ui::CharFormat plain{};
    // Indexes count each line break as its carriage return and line feed: " 42" is 15 to 17 and
    // " 43" 23 to 25.
    const std::string text = "ADDR +0\r\n 00 41 42\r\n 10 43";
    log.SetWindowText(text);
    EXPECT_EQ(log.GetCharFormatAt(0), plain);
    log.SetCharFormat(15, 3, green.colour, true);
    log.SetCharFormat(23, 3, red.colour, true);
    const ui::CharFormat expected[] = {plain, green, green, green, plain, red, red, red};
    const int indexes[] = {14, 15, 16, 17, 22, 23, 24, 25};
    for (std::size_t at = 0; at < std::size(indexes); ++at) {
        EXPECT_EQ(log.GetCharFormatAt(indexes[at]), expected[at]) << "character " << indexes[at];
    }
    EXPECT_EQ(log.GetWindowText(), text) << "formatting leaves the text";
    EXPECT_EQ(log.GetCharFormatAt(26), plain) << "beyond the text";

    // A later format over part of a cell wins there only.
    log.SetCharFormat(16, 1, red.colour, false);
    EXPECT_EQ(log.GetCharFormatAt(16), (ui::CharFormat{red.colour, false}));
    EXPECT_EQ(log.GetCharFormatAt(15), green);
    EXPECT_EQ(log.GetCharFormatAt(17), green);

    log.SetWindowText(text);
    for (int at : {15, 16, 24}) {
        EXPECT_EQ(log.GetCharFormatAt(at), plain) << "a new text drops the formats, at " << at;
    }
}

#define TOLV_CASE(name) \
    { #name, &name }
const ConformanceCase kCases[] = {
    TOLV_CASE(FocusGoesWhereSetFocusPutsIt),
    TOLV_CASE(ADisabledControlTakesNoFocusAndDisablingTheFocusLeavesNone),
    TOLV_CASE(TabVisitsTheEnabledVisibleInputsInTemplateOrder),
    TOLV_CASE(AClickGivesTheControlTheFocusAndTellsTheDialog),
    TOLV_CASE(ADisabledOrHiddenControlTakesNoClick),
    TOLV_CASE(WindowTextsReadBackAsSet),
    TOLV_CASE(ASingleLineEditTellsOfEveryChangeAMultiLineOneOnlyOfTyping),
    TOLV_CASE(ADropDownListShowsItsSelectedRowAsItsText),
    TOLV_CASE(AListBoxKeepsItsRowsInTheOrderOfAdding),
    TOLV_CASE(AListBoxSelectionStaysForARowBeyondTheEnd),
    TOLV_CASE(AReportListHasItsColumnsWithTheirWidths),
    TOLV_CASE(AReportListKeepsItsRowsAndCells),
    TOLV_CASE(AReportListSelectionFollowsItsRow),
    TOLV_CASE(ACheckListTicksAndUnticksItsRows),
    TOLV_CASE(ADisabledCheckListRowTakesNoTickAndLosesItsOwn),
    TOLV_CASE(EachIconStaticShowsItsOwnIcon),
    TOLV_CASE(EveryControlStartsInTheDialogFont),
    TOLV_CASE(AControlWearsTheFontSetOnIt),
    TOLV_CASE(ARichEditDrawsCharactersAsLastFormattedUntilItsTextIsSetAgain),
};
#undef TOLV_CASE

}  // namespace

Bench::Bench() : CDialog(0) {}

Bench::~Bench() {
    DestroyWindow();
}

bool Bench::Open() {
    if (ui::Backend().CreateDialogWindow(*this, kForm, nullptr) == nullptr) {
        return false;
    }
    Pump();
    return true;
}

bool Bench::OnCommand(int id, ui::Notification code) {
    heard.push_back(Describe(code) + " " + std::to_string(id));
    return true;
}

void Bench::Pump() {
    ui::PumpWaitingMessages();
}

std::span<const ConformanceCase> BackendConformanceCases() {
    return kCases;
}

}  // namespace uitest
