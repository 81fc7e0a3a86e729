#include "pages/CWaitingDlg.h"

#include <algorithm>

#include "config/CTolvLangText.h"
#include "dialogs/CApplicationLook.h"
#include "res/ResourceIds.h"

namespace {

constexpr int kIdText = 1006;

// Status codes 20 and above and error codes 31 and above have no text in the language files.
std::string LanguageText(const std::string* texts, int count, int code) {
    return code >= 0 && code < count ? texts[code] : std::string();
}

}  // namespace

CWaitingDlg::CWaitingDlg(IPrinterStatus* status, ui::HWindow owner)
    : CDialog(res::kDialogWaiting), owner_(owner) {
    if (status != nullptr) {
        void* given = nullptr;
        status->QueryInterface(platform::kIidIUnknown, &given);
        status_ = static_cast<IPrinterStatus*>(given);
    }
}

CWaitingDlg::~CWaitingDlg() {
    if (status_ != nullptr) {
        status_->Release();
    }
}

int CWaitingDlg::Run(const char* caption, int flags, int count, int delay) {
    if (status_ == nullptr) {
        return -1;
    }
    flags_ = flags;
    delay_ = delay;
    caption_ = caption != nullptr ? caption : "";
    if (count < kCountUntilReady) {
        mode_ = Mode::CountDown;
        remaining_ = std::max(count, 0);
    } else {
        mode_ = Mode::UntilReady;
        remaining_ = 0;
    }
    return DoModal(owner_);
}

bool CWaitingDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    ApplyLookFont(*this);
    if (!caption_.empty()) {
        SetWindowText(caption_);
    }
    ui::CButton ok = GetDlgItem(ui::kIdOk);
    ui::CButton cancel = GetDlgItem(ui::kIdCancel);
    ok.ShowWindow(true);
    if ((flags_ & kFlagWaitForReady) != 0) {
        ok.EnableWindow(false);
        cancel.ShowWindow(true);
        cancel.EnableWindow(remaining_ == 0);
    } else {
        ok.EnableWindow(true);
        cancel.ShowWindow(false);
        ui::Rect button = ok.GetWindowRect();
        const int width = button.right - button.left;
        const ui::Rect client = GetClientRect();
        button.left = (client.right - client.left - width) / 2;
        button.right = button.left + width;
        ok.MoveWindow(button);
    }
    text_ = "Getting Status...";
    GetDlgItem(kIdText).SetWindowText(text_);
    if (delay_ > 0) {
        SetTimer(kTimerPoll, static_cast<unsigned>(delay_));
    } else {
        Poll();
    }
    return true;
}

std::string CWaitingDlg::PollText(bool* ready) {
    *ready = false;
    if (status_->Refresh() == 0) {
        return "OFFLINE";
    }
    const CTolvLangText& language = *CTolvLangText::Instance();
    const int code = status_->GetStatusCode();
    if (code == printer::printer_status::kError) {
        return LanguageText(language.strError, CTolvLangText::kErrorTexts, status_->GetErrorCode());
    }
    *ready = code == printer::printer_status::kReady;
    return LanguageText(language.strStatus, CTolvLangText::kStatusTexts, code);
}

void CWaitingDlg::Poll() {
    bool ready = false;
    text_ = PollText(&ready);

    if (mode_ == Mode::UntilReady && ready) {
        GetDlgItem(kIdText).SetWindowText(text_);
        SetTimer(kTimerReady, kPollInterval);
        return;
    }
    if (mode_ == Mode::CountDown && (flags_ & kFlagWaitForReady) != 0) {
        ui::CButton ok = GetDlgItem(ui::kIdOk);
        if (ready && !ok.IsWindowEnabled()) {
            ok.EnableWindow(true);
            ok.SetFocus();
        } else if (!ready && ok.IsWindowEnabled()) {
            ok.EnableWindow(false);
            GetDlgItem(ui::kIdCancel).SetFocus();
        }
    }
    if (remaining_ > 0 && --remaining_ == 0) {
        StopTimers();
        EndDialog(ui::kIdCancel);
        return;
    }
    GetDlgItem(kIdText).SetWindowText(text_);
    SetTimer(kTimerPoll, kPollInterval);
}

void CWaitingDlg::OnTimer(int id) {
    if (id == kTimerPoll) {
        KillTimer(kTimerPoll);
        Poll();
    } else if (id == kTimerReady) {
        StopTimers();
        EndDialog(ui::kIdOk);
    }
}

void CWaitingDlg::StopTimers() {
    KillTimer(kTimerPoll);
    KillTimer(kTimerReady);
}

void CWaitingDlg::OnOK() {
    // While polls are counted down the dialog ends only when they run out. A disabled OK means the
    // printer is not ready: Enter must not report it ready either.
    if (remaining_ > 0 || !GetDlgItem(ui::kIdOk).IsWindowEnabled()) {
        return;
    }
    StopTimers();
    EndDialog(ui::kIdOk);
}

void CWaitingDlg::OnCancel() {
    if (remaining_ > 0) {
        return;
    }
    StopTimers();
    EndDialog(ui::kIdCancel);
}

ui::ControlColors CWaitingDlg::OnCtlColor(ui::HWindow, ui::ColorTarget target) {
    return LookColors(target);
}
