#include "pages/CPEAdjust.h"

#include "pages/SelectedEeprom.h"
#include "printer/PaperEndThresholds.h"

namespace {

constexpr int kCloseValue = 10;
constexpr int kMessageInformation = 0;
// After the last write the printer commits the bytes before it answers again.
constexpr int kSettleMilliseconds = 2000;

}  // namespace

CPEAdjust::CPEAdjust(int kind) : CMyPropertyPage(kTemplate), m_nKind(kind) {}

bool CPEAdjust::OnInitDialog() {
    const bool focus = CMyPropertyPage::OnInitDialog();
    const printer::PaperEndThreshold* threshold = printer::PaperEndThresholdOf(m_nKind);
    GetDlgItem(kCaption).SetWindowText(threshold == nullptr ? "" : threshold->caption);
    return focus;
}

bool CPEAdjust::OnCommand(int id, ui::Notification code) {
    if (id == kButtonEnter && code == ui::Notification::Clicked) {
        OnEnter();
        return true;
    }
    return CMyPropertyPage::OnCommand(id, code);
}

void CPEAdjust::OnEnter() {
    if (WaitWithDialog() == 0) {
        return;
    }
    const printer::PaperEndThreshold* threshold = printer::PaperEndThresholdOf(m_nKind);
    ProgressControl(kOpenProgress, threshold == nullptr ? 0 : static_cast<int>(threshold->addresses.size()));
    printer::EepromHold eeprom = pages::EepromForSelectedPrinter();
    const int cleared =
        eeprom ? printer::ClearPaperEndThreshold(eeprom.Get(), m_nKind, [this] { StepProgress(); }) : 0;
    eeprom.Release();
    ProgressControl(kCloseProgress, kCloseValue);
    if (cleared != 0) {
        WaitPrinterReady(kSettleMilliseconds);
        ShowMessage("Complete.", kMessageInformation);
    } else {
        ShowMessage("Failed.", kMessageInformation);
    }
}
