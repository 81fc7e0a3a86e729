// The version box, opened from the main window's system menu.
#pragma once

#include "ui/CDialog.h"

class CAboutDlg : public ui::CDialog {
public:
    CAboutDlg();

    bool OnInitDialog() override;
    ui::ControlColors OnCtlColor(ui::HWindow control, ui::ColorTarget target) override;
};
