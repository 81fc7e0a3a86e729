#include "pages/WaitWithDialog.h"

#include "pages/CWaitingDlg.h"
#include "printer/CPrinterStatusHeron.h"

namespace pages {

int WaitWithDialog(const printer::Target& target, ui::HWindow owner) {
    IPrinterStatus* status = nullptr;
    if (CreatePrinterStatus(&status, target) == 0) {
        return 0;
    }
    CWaitingDlg dialog(status, owner);
    // The dialog holds its own reference now.
    status->Release();
    return dialog.Run("waiting", CWaitingDlg::kFlagWaitForReady, -1, 0) == ui::kIdOk ? 1 : 0;
}

void ShowPrinterStatus(const printer::Target& target, ui::HWindow owner) {
    IPrinterStatus* status = nullptr;
    if (CreatePrinterStatus(&status, target) == 0 || status == nullptr) {
        return;
    }
    {
        CWaitingDlg waiting(status, owner);
        waiting.Run("", 0, -1, 0);
    }
    status->Release();
}

}  // namespace pages
