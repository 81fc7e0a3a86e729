#include "printer/WaitForPrinter.h"

#include "platform/Clock.h"
#include "printer/CPrinterStatusHeron.h"
#include "printer/CWaitingDlg.h"

namespace printer {
namespace {

constexpr int kPollInterval = 100;

}  // namespace

int WaitPrinterReady(const std::string& portName, int timeoutMs) {
    IPrinterStatus* status = nullptr;
    if (CreatePrinterStatus(&status, portName) == 0) {
        return 0;
    }
    const int polls = timeoutMs / kPollInterval;
    for (int poll = 0; poll < polls; ++poll) {
        if (status->Refresh() != 0) {
            status->Release();
            return 1;
        }
        platform::Clock().Sleep(kPollInterval);
    }
    status->Release();
    return 0;
}

int WaitWithDialog(const std::string& portName, ui::HWindow owner) {
    IPrinterStatus* status = nullptr;
    if (CreatePrinterStatus(&status, portName) == 0) {
        return 0;
    }
    CWaitingDlg dialog(status, owner);
    // The dialog holds its own reference now.
    status->Release();
    return dialog.Run("waiting", CWaitingDlg::kFlagWaitForReady, -1, 0) == ui::kIdOk ? 1 : 0;
}

}  // namespace printer
