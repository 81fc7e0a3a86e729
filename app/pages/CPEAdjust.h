// Initialises one of the paper-end sensors' thresholds, chosen by its kind when the page is made
// (1 the top paper end, 2 the paper end, 4 the front paper end): its EEPROM bytes are cleared and the
// printer learns the threshold again.
#pragma once

#include "pages/CMyPropertyPage.h"

class CPEAdjust : public CMyPropertyPage {
public:
    static constexpr int kTemplate = 203;
    static constexpr int kCaption = 1008;
    static constexpr int kButtonEnter = 1128;

    explicit CPEAdjust(int kind);

    // The group caption of the kind; empty for a kind without a threshold.
    bool OnInitDialog() override;
    bool OnCommand(int id, ui::Notification code) override;
    int Kind() const { return m_nKind; }

protected:
    // Enter: clears the kind's bytes under the progress window, then "Complete." or "Failed.".
    void OnEnter();

private:
    int m_nKind;
};
