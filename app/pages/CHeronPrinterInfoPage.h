// Reads the printer's model name and settings into the information pane.
#pragma once

#include "pages/CMyPropertyPage.h"

class CHeronPrinterInfoPage : public CMyPropertyPage {
public:
    static constexpr int kTemplate = 302;

    CHeronPrinterInfoPage();

    bool OnCommand(int id, ui::Notification code) override;

protected:
    // Enter: every setting the reader knows, under the progress window.
    void OnEnter();
};
