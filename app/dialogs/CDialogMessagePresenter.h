// The presenter behind platform::ShowMessage once the program runs its windows: every text goes to
// a message box of the dialog framework, owned by the innermost modal dialog, so it stays above the
// program's windows and a scripted technician can answer it.
#pragma once

#include <string>

#include "platform/MessageBox.h"

class CDialogMessagePresenter : public platform::IMessagePresenter {
public:
    static constexpr const char* kCaption = "Tolvane";

    CDialogMessagePresenter() = default;
    ~CDialogMessagePresenter() override;
    CDialogMessagePresenter(const CDialogMessagePresenter&) = delete;
    CDialogMessagePresenter& operator=(const CDialogMessagePresenter&) = delete;

    // Makes this the process's presenter until Uninstall (or its end), which brings back the
    // platform's own.
    void Install();
    void Uninstall();

    platform::MessageAnswer Show(const std::string& text, platform::TextEncoding encoding,
                                 platform::MessageIcon icon, platform::MessageButtons buttons) override;

private:
    bool installed_ = false;
};
