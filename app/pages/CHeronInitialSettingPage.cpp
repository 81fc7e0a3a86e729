#include "pages/CHeronInitialSettingPage.h"

#include "config/CTolvLangText.h"
#include "config/CTolvPrnParam.h"
#include "dialogs/CDialogMessagePresenter.h"
#include "pages/SelectedEeprom.h"
#include "patterns/InitialSetting.h"
#include "printer/UsbSerialNumber.h"
#include "ui/DataExchange.h"

namespace {

constexpr int kEditSerial = 1122;
constexpr int kButtonEnter = 1128;
constexpr int kButtonRead = 1130;
constexpr int kCloseValue = 10;
constexpr int kMessageInformation = 0;

// The run's messages in the program's message dialog, its steps on the page's progress window.
class PageInitialSettingView : public patterns::IInitialSettingView {
public:
    explicit PageInitialSettingView(CPrinterCtrlUI& page) : page_(page) {}
    int Show(const std::string& text, int type) override { return page_.ShowMessage(text, type); }
    void OpenProgress(int steps) override { page_.ProgressControl(CPrinterCtrlUI::kOpenProgress, steps); }
    void Step() override { page_.StepProgress(); }

private:
    CPrinterCtrlUI& page_;
};

}  // namespace

CHeronInitialSettingPage::CHeronInitialSettingPage() : CMyPropertyPage(kTemplate) {}

bool CHeronInitialSettingPage::OnCommand(int id, ui::Notification code) {
    if (code == ui::Notification::Clicked && id == kButtonRead) {
        OnRead();
        return true;
    }
    if (code == ui::Notification::Clicked && id == kButtonEnter) {
        OnEnter();
        return true;
    }
    return CMyPropertyPage::OnCommand(id, code);
}

void CHeronInitialSettingPage::DoDataExchange(ui::CDataExchange* exchange) {
    CMyPropertyPage::DoDataExchange(exchange);
    ui::DDX_Text(exchange, kEditSerial, m_strSerial);
}

void CHeronInitialSettingPage::OnRead() {
    UpdateData(true);
    const int firstAddress = CTolvPrnParam::Instance()->nADRSUSBSerial;
    if (!printer::HasUsbSerialField(firstAddress)) {
        m_strSerial.clear();
        UpdateData(false);
        ShowMessage(printer::kNoUsbSerialText, kMessageInformation);
        return;
    }
    if (WaitWithDialog() == 0) {
        return;
    }
    printer::EepromHold eeprom = pages::EepromForSelectedPrinter();
    if (!eeprom) {
        return;
    }
    ProgressControl(kOpenProgress, printer::kUsbSerialLength);
    std::string serial;
    // A read that fails part way shows nothing rather than the first bytes of the serial.
    printer::ReadUsbSerial(eeprom.Get(), firstAddress, &serial, [this] { StepProgress(); });
    m_strSerial = serial;
    UpdateData(false);
    ProgressControl(kCloseProgress, kCloseValue);
    eeprom.Release();
}

void CHeronInitialSettingPage::OnEnter() {
    UpdateData(true);
    // Checked before the printer is touched. A model without a serial number still takes its tables,
    // but not a serial typed for it; elsewhere the serial page's rules hold, except that an empty
    // serial writes zeros here.
    const printer::UsbSerialCheck check = printer::CheckUsbSerial(m_strSerial, true);
    if (CTolvPrnParam::Instance()->nADRSUSBSerial < 0) {
        if (!m_strSerial.empty()) {
            ShowMessage(printer::kNoUsbSerialText, kMessageInformation);
            return;
        }
    } else if (check != printer::UsbSerialCheck::Accepted) {
        ui::MessageBox(m_hWnd, printer::UsbSerialCheckText(check), CDialogMessagePresenter::kCaption,
                       ui::BoxButtons::Ok, ui::BoxIcon::Warning);
        return;
    }
    if (WaitWithDialog() == 0) {
        return;
    }
    PageInitialSettingView view(*this);
    patterns::RunInitialSetting(patterns::InitialSettingRequestFromConfig(m_strSerial), view,
                                *CTolvLangText::Instance());
    ProgressControl(kCloseProgress, kCloseValue);
}
