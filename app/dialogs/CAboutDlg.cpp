#include "dialogs/CAboutDlg.h"

#include "dialogs/CApplicationLook.h"
#include "res/ResourceIds.h"

CAboutDlg::CAboutDlg() : CDialog(res::kDialogAbout) {}

bool CAboutDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    ApplyLookFont(*this);
    return true;
}

ui::ControlColors CAboutDlg::OnCtlColor(ui::HWindow, ui::ColorTarget target) {
    return LookColors(target);
}
