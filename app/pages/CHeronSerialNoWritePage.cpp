#include "pages/CHeronSerialNoWritePage.h"

#include "config/CTolvPrnParam.h"
#include "dialogs/CAdjustInfoInnerDlg.h"
#include "dialogs/CDialogMessagePresenter.h"
#include "dialogs/IProgressCallback.h"
#include "pages/SelectedEeprom.h"
#include "printer/UsbSerialNumber.h"
#include "ui/DataExchange.h"

namespace {

constexpr int kEditSerial = 1122;
constexpr int kButtonInput = 1128;
constexpr int kCloseValue = 10;
constexpr int kMessageInformation = 0;
constexpr int kMessageError = 2;

}  // namespace

CHeronSerialNoWritePage::CHeronSerialNoWritePage() : CMyPropertyPage(kTemplate) {}

bool CHeronSerialNoWritePage::OnCommand(int id, ui::Notification code) {
    if (id == kButtonInput && code == ui::Notification::Clicked) {
        OnInput();
        return true;
    }
    return CMyPropertyPage::OnCommand(id, code);
}

void CHeronSerialNoWritePage::DoDataExchange(ui::CDataExchange* exchange) {
    CMyPropertyPage::DoDataExchange(exchange);
    ui::DDX_Text(exchange, kEditSerial, m_strSerial);
}

void CHeronSerialNoWritePage::OnInput() {
    UpdateData(true);
    const int firstAddress = CTolvPrnParam::Instance()->nADRSUSBSerial;
    if (!printer::HasUsbSerialField(firstAddress)) {
        ShowMessage(printer::kNoUsbSerialText, kMessageInformation);
        return;
    }
    const printer::UsbSerialCheck check = printer::CheckUsbSerial(m_strSerial, false);
    if (check != printer::UsbSerialCheck::Accepted) {
        ui::MessageBox(m_hWnd, printer::UsbSerialCheckText(check), CDialogMessagePresenter::kCaption,
                       ui::BoxButtons::Ok, ui::BoxIcon::Warning);
        return;
    }
    if (WaitWithDialog() == 0) {
        return;
    }
    IProgressCallback* progress = ProgressControl(kOpenProgress, printer::kUsbSerialLength);
    if (progress != nullptr) {
        progress->SetStepCount(0);
    }
    if (CAdjustInfoInnerDlg* pane = FindInformationPane()) {
        pane->m_fields.strSerialNo = m_strSerial;
        pane->UpdateText();
    }
    printer::EepromHold eeprom = pages::EepromForSelectedPrinter();
    if (eeprom &&
        printer::WriteUsbSerial(eeprom.Get(), firstAddress, m_strSerial, [this] { StepProgress(); }) == 0) {
        ShowMessage("Fail to Write Serial", kMessageError);
    }
    if (Progress() != nullptr) {
        Progress()->ResetPosition();
    }
    ProgressControl(kCloseProgress, kCloseValue);
    eeprom.Release();
}
