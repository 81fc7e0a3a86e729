// Clears a set of the printer's usage counters, chosen by their flags (1 the driving line count for
// the ribbon change timing, 2 the driving hours, 4 the driving line count) when the page is made.
#pragma once

#include "pages/CMyPropertyPage.h"

class CHeronCounterResetPage : public CMyPropertyPage {
public:
    static constexpr int kTemplate = 307;

    explicit CHeronCounterResetPage(int counterFlags);

    bool OnCommand(int id, ui::Notification code) override;
    int CounterFlags() const { return m_nCounterFlags; }

protected:
    // Enter: writes zeros to the chosen counters under the progress window.
    void OnEnter();

private:
    int m_nCounterFlags;
};
