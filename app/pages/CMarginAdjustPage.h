// What the top and bottom margin pages share: print the margin check page, read the margin the
// printer holds, store a new one. The margin is shown in millimetres with two decimals.
#pragma once

#include <string>

#include "pages/CMyPropertyPage.h"
#include "printer/MarginSteps.h"

class CMarginAdjustPage : public CMyPropertyPage {
public:
    static constexpr int kMarginEdit = 1122;
    static constexpr int kButtonPrint = 1127;
    static constexpr int kButtonInput = 1128;
    static constexpr int kButtonRead = 1130;
    // Both pages print the page frame with its bar: the bar lands at the top margin and the frame's
    // last row at the bottom one, so one page shows a technician either margin.
    static constexpr int kMarginCheckJob = 6;

    bool OnCommand(int id, ui::Notification code) override;

    // The margin the page last read or stored (mm); 0 before the first.
    double MarginValue() const { return m_dMargin; }

protected:
    CMarginAdjustPage(int templateId, printer::MarginEdge edge, const char* belowText, const char* aboveText);

    void OnPrint();
    void OnRead();
    void OnInput();

private:
    // The selected model's scale, or a message and false when its feed step is not known.
    bool ScaleOfSelectedModel(printer::MarginScale* scale);
    void ShowMargin(double millimetres);
    void ShowInputMessage(const std::string& text);

    printer::MarginEdge edge_;
    const char* belowText_;
    const char* aboveText_;
    double m_dMargin = 0.0;
};
