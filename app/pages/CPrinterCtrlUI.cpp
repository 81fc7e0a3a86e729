#include "pages/CPrinterCtrlUI.h"

#include "dialogs/CProgressDialog.h"
#include "dialogs/MessageDialog.h"
#include "pages/WaitWithDialog.h"
#include "patterns/IJobMessages.h"
#include "patterns/PrintJobStarter.h"
#include "patterns/SelectedPrinter.h"
#include "printer/WaitForPrinter.h"
#include "res/DialogTemplate.h"
#include "ui/CDialog.h"

namespace {

// The window of the page or dialog that carries the mix-in; none for a bare one.
ui::HWindow WindowOf(CPrinterCtrlUI* object) {
    const auto* window = dynamic_cast<const ui::CWindow*>(object);
    return window == nullptr ? nullptr : static_cast<ui::HWindow>(*window);
}

// The title of the window the technician is working in: the innermost modal dialog running.
std::string ActiveWindowTitle() {
    const ui::CDialog* active = ui::ActiveModalDialog();
    return active == nullptr || !active->IsWindow() ? std::string() : active->GetWindowText();
}

}  // namespace

IProgressCallback* CPrinterCtrlUI::ProgressControl(int command, int value) {
    if (command == kOpenProgress) {
        ProgressControl(kCloseProgress, 0);
        // Open hands out the only reference: it is this object's until 802.
        CProgressDialog* progress = CProgressDialog::Open(value, 0, WindowOf(this));
        if (progress == nullptr) {
            return nullptr;
        }
        const std::string title = ActiveWindowTitle();
        if (!title.empty()) {
            progress->SetTitle(title);
        }
        progress->SetStepCount(0);
        progress->ShowWindow(true);
        progress->Invalidate();
        m_pProgress = progress;
        return m_pProgress;
    }
    if (command == kCloseProgress) {
        if (m_pProgress != nullptr) {
            IProgressCallback* progress = m_pProgress;
            m_pProgress = nullptr;
            progress->Release();
        }
    }
    return nullptr;
}

void CPrinterCtrlUI::StepProgress() {
    if (m_pProgress != nullptr) {
        m_pProgress->Step();
    }
}

int CPrinterCtrlUI::ShowMessage(const std::string& text, int type) {
    return ShowMessageDialog(text, type, WindowOf(this));
}

int CPrinterCtrlUI::ShowMessageRes(int stringId, int type) {
    return ShowMessage(res::LoadResourceString(stringId), type);
}

int CPrinterCtrlUI::WaitPrinterReady(int timeoutMs) {
    return printer::WaitPrinterReady(patterns::SelectedPrinter(), timeoutMs);
}

int CPrinterCtrlUI::WaitWithDialog() {
    return pages::WaitWithDialog(patterns::SelectedPrinter(), WindowOf(this));
}

namespace {

// The engine's messages in the program's message dialog; its answers (1 OK, 2 Cancel or NG) are the
// engine's own.
class DialogJobMessages : public patterns::IJobMessages {
public:
    explicit DialogJobMessages(CPrinterCtrlUI& owner) : owner_(owner) {}
    int Show(const std::string& text, int type) override { return owner_.ShowMessage(text, type); }

private:
    CPrinterCtrlUI& owner_;
};

}  // namespace

void CPrinterCtrlUI::PrintPattern(int selector, int item, patterns::PrintJobRecord& job) {
    DialogJobMessages messages(*this);
    patterns::StartPrintJobFromConfig(messages, selector, item, job);
}
