// The program's own message box: a text and, by type, OK, OK and Cancel, or one "NG" button.
#pragma once

#include <string>

#include "ui/CDialog.h"

class CMessageDlg : public ui::CDialog {
public:
    // The message types.
    static constexpr int kInformation = 0;  // OK only
    static constexpr int kQuestion = 1;     // OK and Cancel
    static constexpr int kError = 2;        // Cancel only, labelled "NG"; Enter does nothing

    explicit CMessageDlg(ui::HWindow owner = nullptr);

    // Shows the text modally; the result is 1 (OK) or 2 (Cancel, NG, Escape, the close box).
    int Run(const std::string& text, int type);

    bool OnInitDialog() override;
    ui::ControlColors OnCtlColor(ui::HWindow control, ui::ColorTarget target) override;
    bool PreTranslateKey(ui::Key key) override;

    std::string m_strText;
    int m_nType = kInformation;

private:
    ui::HWindow owner_;
};
