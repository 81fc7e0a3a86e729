// Shows the printer's three usage counters: the driving line count for the ribbon change timing, the
// driving hours and the driving line count.
#pragma once

#include <string>

#include "pages/CMyPropertyPage.h"

class CHeronGetCounterPage : public CMyPropertyPage {
public:
    static constexpr int kTemplate = 308;

    CHeronGetCounterPage();

    bool OnCommand(int id, ui::Notification code) override;

protected:
    // Enter: reads the counters one byte at a time under the progress window and shows each.
    void OnEnter();
};
