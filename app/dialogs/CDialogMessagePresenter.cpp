#include "dialogs/CDialogMessagePresenter.h"

#include <algorithm>

#include "ui/CDialog.h"

namespace {

ui::BoxIcon IconOf(platform::MessageIcon icon) {
    switch (icon) {
        case platform::MessageIcon::Information:
            return ui::BoxIcon::Information;
        case platform::MessageIcon::Question:
            return ui::BoxIcon::Question;
        case platform::MessageIcon::Stop:
            return ui::BoxIcon::Stop;
        case platform::MessageIcon::Warning:
            return ui::BoxIcon::Warning;
        case platform::MessageIcon::None:
            break;
    }
    return ui::BoxIcon::None;
}

ui::BoxButtons ButtonsOf(platform::MessageButtons buttons) {
    switch (buttons) {
        case platform::MessageButtons::OkCancel:
            return ui::BoxButtons::OkCancel;
        case platform::MessageButtons::YesNo:
            return ui::BoxButtons::YesNo;
        case platform::MessageButtons::Ok:
            break;
    }
    return ui::BoxButtons::Ok;
}

platform::MessageAnswer AnswerOf(int result) {
    switch (result) {
        case ui::kIdCancel:
            return platform::MessageAnswer::Cancel;
        case ui::kIdYes:
            return platform::MessageAnswer::Yes;
        case ui::kIdNo:
            return platform::MessageAnswer::No;
        default:
            return platform::MessageAnswer::Ok;
    }
}

bool IsAscii(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

CDialogMessagePresenter::~CDialogMessagePresenter() {
    Uninstall();
}

void CDialogMessagePresenter::Install() {
    platform::SetMessagePresenter(this);
    installed_ = true;
}

void CDialogMessagePresenter::Uninstall() {
    if (installed_) {
        platform::SetMessagePresenter(nullptr);
        installed_ = false;
    }
}

platform::MessageAnswer CDialogMessagePresenter::Show(const std::string& text,
                                                      platform::TextEncoding encoding,
                                                      platform::MessageIcon icon,
                                                      platform::MessageButtons buttons) {
    // The dialog framework passes texts in the system's ANSI code page, as the language files hold
    // them. One of the program's own texts beyond ASCII (UTF-8) would be garbled there; the
    // platform's own box shows it right.
    if (encoding == platform::TextEncoding::Program && !IsAscii(text) && installed_) {
        platform::SetMessagePresenter(nullptr);
        const platform::MessageAnswer answer = platform::ShowMessage(text, encoding, icon, buttons);
        platform::SetMessagePresenter(this);
        return answer;
    }
    const ui::CDialog* modal = ui::ActiveModalDialog();
    const ui::HWindow owner = modal != nullptr ? modal->m_hWnd : nullptr;
    return AnswerOf(ui::MessageBox(owner, text, kCaption, ButtonsOf(buttons), IconOf(icon)));
}
