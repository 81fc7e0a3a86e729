#include "workflow/CTolvSelectPartsDlg.h"

#include <vector>

#include "config/CTolvLangText.h"
#include "config/MenuTables.h"
#include "dialogs/CApplicationLook.h"
#include "platform/MessageBox.h"
#include "res/ResourceIds.h"
#include "workflow/SequentialList.h"

CTolvSelectPartsDlg::CTolvSelectPartsDlg(workflow::IScreenHost& host)
    : CDialog(res::kDialogPartsList), host_(host) {}

CTolvSelectPartsDlg::~CTolvSelectPartsDlg() {
    DestroyWindow();
}

bool CTolvSelectPartsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    GetDlgItem(kDescription).SetWindowText(CTolvLangText::Instance()->GetText("SELECT_PARTS_DIALOG"));
    return true;
}

void CTolvSelectPartsDlg::Reset() {
    // The fonts are made again whenever the language changes.
    ApplyLookFont(*this);
    ui::CCheckListBox list = GetDlgItem(kPartsList);
    list.ResetContent();
    for (const std::string& name : CTolvLangText::Instance()->GetPartsTable().names) {
        const int row = list.AddString(name);
        if (name.empty()) {
            list.Enable(row, false);
        }
    }
}

bool CTolvSelectPartsDlg::OnCommand(int id, ui::Notification code) {
    if (id == kPartsList && code == ui::Notification::DoubleClick) {
        const ui::CCheckListBox list = GetDlgItem(kPartsList);
        const int row = list.GetCurSel();
        if (row >= 0 && list.IsEnabled(row)) {
            list.SetCheck(row, !list.GetCheck(row));
        }
        return true;
    }
    if (id == kClear && code == ui::Notification::Clicked) {
        Reset();
        return true;
    }
    if (id == kSetting) {
        return true;
    }
    return CDialog::OnCommand(id, code);
}

void CTolvSelectPartsDlg::OnOK() {
    const ui::CCheckListBox list = GetDlgItem(kPartsList);
    std::vector<int> ticked;
    for (int row = 0; row < list.GetCount(); ++row) {
        if (list.GetCheck(row)) {
            ticked.push_back(row);
        }
    }
    const CTolvLangText& texts = *CTolvLangText::Instance();
    const workflow::SequentialList run =
        workflow::BuildSequentialList(texts.GetPartsTable(), ticked, texts.GetSequence());
    if (run.outcome == workflow::SequentialOutcome::NothingSelected) {
        platform::ShowMessage(workflow::kMsgSelectParts);
        return;
    }
    std::vector<int> items;
    for (const std::string& item : run.items) {
        items.push_back(config::ItemNumber(item));
    }
    host_.StartAdjustment(items);
}

void CTolvSelectPartsDlg::OnCancel() {
    host_.ShowTopScreen();
}

ui::ControlColors CTolvSelectPartsDlg::OnCtlColor(ui::HWindow, ui::ColorTarget target) {
    return LookColors(target);
}
