#include "workflow/CTolvSelectItemDlg.h"

#include "config/CTolvLangText.h"
#include "config/MenuTables.h"
#include "dialogs/CApplicationLook.h"
#include "res/ResourceIds.h"

CTolvSelectItemDlg::CTolvSelectItemDlg(workflow::IScreenHost& host)
    : CDialog(res::kDialogItemMenu), host_(host) {}

CTolvSelectItemDlg::~CTolvSelectItemDlg() {
    DestroyWindow();
}

void CTolvSelectItemDlg::Reset() {
    const CTolvLangText& texts = *CTolvLangText::Instance();
    GetDlgItem(kDescription).SetWindowText(texts.GetText("INDIVIDUAL_LIST"));
    GetDlgItem(kBack).SetWindowText("Cancel");
    GetDlgItem(kSetting).SetWindowText("Setting");
    // The fonts are made again whenever the language changes.
    ApplyLookFont(*this);
    ui::CListBox list = GetDlgItem(kItemList);
    list.ResetContent();
    const config::MenuTable& menu = texts.GetMenuTable();
    itemNumbers_ = menu.numbers;
    for (const std::string& name : menu.names) {
        list.AddString(name);
    }
}

bool CTolvSelectItemDlg::OnCommand(int id, ui::Notification code) {
    if (id == kItemList && code == ui::Notification::DoubleClick) {
        OnOK();
        return true;
    }
    if (id == kConfig || id == kSetting) {
        return true;
    }
    return CDialog::OnCommand(id, code);
}

void CTolvSelectItemDlg::OnOK() {
    const int row = ui::CListBox(GetDlgItem(kItemList)).GetCurSel();
    if (row < 0 || static_cast<std::size_t>(row) >= itemNumbers_.size()) {
        return;
    }
    // A slot without a number (empty, or a value without "||") is not an item.
    const std::string& number = itemNumbers_[static_cast<std::size_t>(row)];
    if (number.empty()) {
        return;
    }
    host_.StartAdjustment({config::ItemNumber(number)});
}

void CTolvSelectItemDlg::OnCancel() {
    host_.ShowTopScreen();
}

ui::ControlColors CTolvSelectItemDlg::OnCtlColor(ui::HWindow, ui::ColorTarget target) {
    return LookColors(target);
}
