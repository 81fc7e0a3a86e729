#include "dialogs/CMessageDlg.h"

#include "dialogs/CApplicationLook.h"
#include "res/ResourceIds.h"

namespace {

constexpr int kIdText = 1005;

}  // namespace

CMessageDlg::CMessageDlg(ui::HWindow owner) : CDialog(res::kDialogMessage), owner_(owner) {}

int CMessageDlg::Run(const std::string& text, int type) {
    m_strText = text;
    m_nType = type;
    return DoModal(owner_);
}

bool CMessageDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    ApplyLookFont(*this);
    GetDlgItem(kIdText).SetWindowText(m_strText);
    ui::CButton ok = GetDlgItem(ui::kIdOk);
    ui::CButton cancel = GetDlgItem(ui::kIdCancel);
    switch (m_nType) {
        case kInformation:
            cancel.ShowWindow(false);
            ok.SetFocus();
            break;
        case kError:
            ok.ShowWindow(false);
            cancel.SetWindowText("NG");
            cancel.SetFocus();
            break;
        default:
            ok.SetFocus();
            break;
    }
    return false;
}

bool CMessageDlg::PreTranslateKey(ui::Key key) {
    // An error must be acknowledged with NG (or Escape), never passed over with Enter.
    if (key == ui::Key::Enter && m_nType == kError) {
        return true;
    }
    return CDialog::PreTranslateKey(key);
}

ui::ControlColors CMessageDlg::OnCtlColor(ui::HWindow, ui::ColorTarget target) {
    return LookColors(target);
}
