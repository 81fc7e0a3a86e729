#include "ui/CDialog.h"

#include <algorithm>
#include <cassert>
#include <string>

#include "platform/DebugOutput.h"
#include "ui/DataExchange.h"

namespace ui {
namespace {

std::vector<CDialog*> modalStack;
std::vector<CDialog*> liveDialogs;

#ifdef NDEBUG
void StopOnWindowLeft(int, const std::string&) {}
#else
// A debug build stops where the fault is made: the object of a dialog whose window still exists.
void StopOnWindowLeft(int templateId, const std::string& caption) {
    const std::string text = "dialog " + std::to_string(templateId) + " (\"" + caption +
                             "\") was destroyed while its window still exists, so its own OnDestroy never "
                             "ran: destroy the window first (DestroyWindow, in the derived destructor "
                             "when it must go with the object)";
    platform::DebugOutput(text.c_str());
    assert(false && "a dialog's window outlived its object (the debug output names the dialog)");
}
#endif

}  // namespace

CDialog::CDialog(int templateId) : templateId_(templateId) {}

CDialog::~CDialog() {
    if (m_hWnd != nullptr) {
        // The derived part has gone already: destroyed here, the window would run CDialog's
        // OnDestroy instead of the dialog's own. Release builds still take the window away.
        StopOnWindowLeft(templateId_, GetWindowText());
        Backend().DestroyWindow(m_hWnd);
    }
    HandleDestroyed();
}

bool CDialog::Create(HWindow parent) {
    const res::DialogTemplate* form = res::FindDialogTemplate(templateId_);
    if (form == nullptr || m_hWnd != nullptr) {
        return false;
    }
    return Backend().CreateDialogWindow(*this, *form, parent) != nullptr;
}

bool CDialog::CreateEmpty(HWindow parent, int width, int height) {
    if (m_hWnd != nullptr) {
        return false;
    }
    return Backend().CreateEmptyChild(*this, parent, width, height) != nullptr;
}

int CDialog::DoModal(HWindow owner) {
    const res::DialogTemplate* form = res::FindDialogTemplate(templateId_);
    if (form == nullptr || m_hWnd != nullptr) {
        return -1;
    }
    modal_ = true;
    modalStack.push_back(this);
    const int result = Backend().RunModal(*this, *form, owner);
    modalStack.erase(std::remove(modalStack.begin(), modalStack.end(), this), modalStack.end());
    modal_ = false;
    return result;
}

void CDialog::EndDialog(int result) {
    if (m_hWnd == nullptr) {
        return;
    }
    if (modal_) {
        Backend().EndDialog(m_hWnd, result);
    } else {
        ShowWindow(false);
    }
}

void CDialog::DestroyWindow() {
    if (m_hWnd != nullptr) {
        Backend().DestroyWindow(m_hWnd);
    }
}

bool CDialog::UpdateData(bool saveAndValidate) {
    CDataExchange exchange(*this, saveAndValidate);
    DoDataExchange(&exchange);
    return !exchange.Failed();
}

bool CDialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::OnOK() {
    if (UpdateData(true)) {
        EndDialog(kIdOk);
    }
}

void CDialog::OnCancel() {
    EndDialog(kIdCancel);
}

bool CDialog::OnCommand(int id, Notification code) {
    if (code != Notification::Clicked) {
        return false;
    }
    if (id == kIdOk) {
        OnOK();
        return true;
    }
    if (id == kIdCancel) {
        OnCancel();
        return true;
    }
    return false;
}

void CDialog::OnTimer(int) {}
void CDialog::OnPostedMessage(int, long, long) {}

void CDialog::OnClose() {
    OnCancel();
}

void CDialog::OnDestroy() {}
void CDialog::OnSysCommand(int) {}
void CDialog::OnEnable(bool) {}
void CDialog::OnVScroll(ScrollRequest, int, HWindow) {}
void CDialog::OnPaint(IPainter&) {}

ControlColors CDialog::OnCtlColor(HWindow, ColorTarget) {
    return {};
}

bool CDialog::PreTranslateKey(Key key) {
    return SendCommand(m_hWnd, key == Key::Enter ? kIdOk : kIdCancel);
}

void CDialog::HandleCreated(HWindow window) {
    m_hWnd = window;
    liveDialogs.push_back(this);
}

void CDialog::HandleInitDialog() {
    OnInitDialog();
}

void CDialog::HandleDestroyed() {
    if (m_hWnd != nullptr) {
        OnDestroy();
    }
    m_hWnd = nullptr;
    liveDialogs.erase(std::remove(liveDialogs.begin(), liveDialogs.end(), this), liveDialogs.end());
}

bool SendCommand(HWindow dialog, int id, Notification code) {
    CDialog* target = Backend().DialogOf(dialog);
    return target != nullptr && target->HandleCommand(id, code);
}

bool RouteKey(HWindow from, Key key) {
    for (HWindow window = from; window != nullptr; window = Backend().GetParent(window)) {
        if (CDialog* dialog = Backend().DialogOf(window)) {
            if (dialog->PreTranslateKey(key)) {
                return true;
            }
        }
    }
    return false;
}

CDialog* ActiveModalDialog() {
    return modalStack.empty() ? nullptr : modalStack.back();
}

std::vector<CDialog*> LiveDialogs() {
    return liveDialogs;
}

int MessageBox(HWindow owner, const std::string& text, const std::string& caption, BoxButtons buttons,
               BoxIcon icon) {
    return Backend().MessageBox(owner, text, caption, buttons, icon);
}

bool PumpWaitingMessages() {
    return Backend().PumpMessages();
}

}  // namespace ui
