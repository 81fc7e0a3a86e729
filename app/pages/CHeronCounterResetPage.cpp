#include "pages/CHeronCounterResetPage.h"

#include "pages/SelectedEeprom.h"
#include "printer/UsageCounters.h"

namespace {

constexpr int kButtonEnter = 1128;
constexpr int kCloseValue = 10;
constexpr int kMessageInformation = 0;
constexpr int kMessageError = 2;

}  // namespace

CHeronCounterResetPage::CHeronCounterResetPage(int counterFlags)
    : CMyPropertyPage(kTemplate), m_nCounterFlags(counterFlags) {}

bool CHeronCounterResetPage::OnCommand(int id, ui::Notification code) {
    if (id == kButtonEnter && code == ui::Notification::Clicked) {
        OnEnter();
        return true;
    }
    return CMyPropertyPage::OnCommand(id, code);
}

void CHeronCounterResetPage::OnEnter() {
    UpdateData(true);
    if (WaitWithDialog() == 0) {
        return;
    }
    ProgressControl(kOpenProgress, printer::kUsageCounterSteps);
    printer::EepromHold eeprom = pages::EepromForSelectedPrinter();
    const int reset = printer::ResetUsageCounters(eeprom.Get(), m_nCounterFlags, [this] { StepProgress(); });
    eeprom.Release();
    ProgressControl(kCloseProgress, kCloseValue);
    ShowMessage(reset != 0 ? "Finished" : "Fail to Reset Counter",
                reset != 0 ? kMessageInformation : kMessageError);
}
