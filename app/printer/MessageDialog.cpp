#include "printer/MessageDialog.h"

#include "dialogs/CMessageDlg.h"
#include "ui/CDialog.h"

namespace printer {

static_assert(kMessageInformation == CMessageDlg::kInformation &&
              kMessageQuestion == CMessageDlg::kQuestion && kMessageError == CMessageDlg::kError);

int ShowMessageDialog(const std::string& text, int type, ui::HWindow owner) {
    if (owner == nullptr) {
        const ui::CDialog* active = ui::ActiveModalDialog();
        owner = active != nullptr ? active->m_hWnd : nullptr;
    }
    CMessageDlg dialog(owner);
    return dialog.Run(text, type);
}

}  // namespace printer
