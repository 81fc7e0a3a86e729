#include "pages/CHeronGetCounterPage.h"

#include <cstdio>

#include "pages/SelectedEeprom.h"
#include "printer/UsageCounters.h"

namespace {

constexpr int kButtonEnter = 1128;
// The counters' edit fields, in the order of printer::kUsageCounters.
constexpr int kCounterEdits[] = {1122, 1124, 1191};
constexpr int kCloseValue = 10;

}  // namespace

CHeronGetCounterPage::CHeronGetCounterPage() : CMyPropertyPage(kTemplate) {}

bool CHeronGetCounterPage::OnCommand(int id, ui::Notification code) {
    if (id == kButtonEnter && code == ui::Notification::Clicked) {
        OnEnter();
        return true;
    }
    return CMyPropertyPage::OnCommand(id, code);
}

void CHeronGetCounterPage::OnEnter() {
    if (WaitWithDialog() == 0) {
        return;
    }
    printer::EepromHold eeprom = pages::EepromForSelectedPrinter();
    if (!eeprom) {
        return;
    }
    ProgressControl(kOpenProgress, printer::kUsageCounterSteps);
    printer::ReadUsageCounters(
        eeprom.Get(),
        [this](int index, std::uint32_t value) {
            char text[16];
            std::snprintf(text, sizeof text, "%lu", static_cast<unsigned long>(value));
            GetDlgItem(kCounterEdits[index]).SetWindowText(text);
            Invalidate();
        },
        [this] { StepProgress(); });
    // A failed read ends here as well: the window closes and the access goes on every path.
    ProgressControl(kCloseProgress, kCloseValue);
    eeprom.Release();
}
