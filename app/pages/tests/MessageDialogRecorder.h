// The technician at the program's message dialog, for the tests of the printer's window side: installed as
// the back-end for its lifetime, it records the text of every message dialog and answers it at once,
// as the technician would (NG for an error, else OK), without running it. Other dialogs run as on
// the headless back-end. The dialog itself runs under a scenario in the error callback's tests.
#pragma once

#include <string>
#include <vector>

#include "dialogs/CMessageDlg.h"
#include "ui/Headless.h"

namespace printertest {

class MessageDialogRecorder : public ui::HeadlessBackend {
public:
    int RunModal(ui::CDialog& dialog, const res::DialogTemplate& form, ui::HWindow owner) override {
        const auto* message = dynamic_cast<const CMessageDlg*>(&dialog);
        if (message == nullptr) {
            return HeadlessBackend::RunModal(dialog, form, owner);
        }
        texts_.push_back(message->m_strText);
        return message->m_nType == CMessageDlg::kError ? ui::kIdCancel : ui::kIdOk;
    }

    // The texts shown so far, in order.
    const std::vector<std::string>& Texts() const { return texts_; }

private:
    std::vector<std::string> texts_;
    ui::ScopedBackend installed_{*this};
};

}  // namespace printertest
