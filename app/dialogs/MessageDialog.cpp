#include "dialogs/MessageDialog.h"

#include "dialogs/CMessageDlg.h"
#include "ui/CDialog.h"

int ShowMessageDialog(const std::string& text, int type, ui::HWindow owner) {
    if (owner == nullptr) {
        const ui::CDialog* active = ui::ActiveModalDialog();
        owner = active != nullptr ? active->m_hWnd : nullptr;
    }
    CMessageDlg dialog(owner);
    return dialog.Run(text, type);
}
