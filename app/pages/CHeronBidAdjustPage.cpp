#include "pages/CHeronBidAdjustPage.h"

#include <optional>
#include <string>

#include "config/CTolvPrnParam.h"
#include "dialogs/CAdjustInfoInnerDlg.h"
#include "dialogs/CDialogMessagePresenter.h"
#include "pages/SelectedEeprom.h"
#include "patterns/BidirectionalJobs.h"
#include "printer/BidirectionalValues.h"
#include "ui/DataExchange.h"

namespace {

// Controls of template 153, row 0 first; each row's control is the first one plus the row.
constexpr int kCheckPrintRow = 1135;
constexpr int kButtonPrint = 1127;
constexpr int kCheckAdjustRow = 1141;
constexpr int kEditRow = 1124;
constexpr int kSpinRow = 1182;
constexpr int kButtonRead = 1130;
constexpr int kButtonInput = 1128;

constexpr int kRows = printer::kBidirectionalRows;

constexpr int kCloseValue = 10;

constexpr char kRangeMessage[] = "Bid adjust value must be between -12 and 12";
constexpr char kNotStoredMessage[] = "The printer did not store the Bi-d adjust value.";
constexpr int kMessageError = 2;

}  // namespace

CHeronBidAdjustPage::CHeronBidAdjustPage() : CMyPropertyPage(kTemplate) {}

bool CHeronBidAdjustPage::OnInitDialog() {
    const bool result = CMyPropertyPage::OnInitDialog();
    m_nBidValue = {};
    UpdateData(false);
    m_nLastInput = {};
    const CTolvPrnParam& model = *CTolvPrnParam::Instance();
    for (int row = 0; row < kRows; ++row) {
        const ui::CSpinButtonCtrl spin = GetDlgItem(kSpinRow + row);
        spin.SetRange(printer::kBidirectionalLowest, printer::kBidirectionalHighest);
        const std::string caption = printer::BidirectionalRowCaption(model.strBidName[row]);
        GetDlgItem(kCheckPrintRow + row).SetWindowText(caption);
        GetDlgItem(kCheckAdjustRow + row).SetWindowText(caption);
    }
    return result;
}

void CHeronBidAdjustPage::DoDataExchange(ui::CDataExchange* exchange) {
    CMyPropertyPage::DoDataExchange(exchange);
    for (int row = 0; row < kRows; ++row) {
        ui::DDX_Text(exchange, kEditRow + row, m_nBidValue[static_cast<std::size_t>(row)]);
    }
}

bool CHeronBidAdjustPage::OnCommand(int id, ui::Notification code) {
    if (code != ui::Notification::Clicked) {
        return CMyPropertyPage::OnCommand(id, code);
    }
    switch (id) {
        case kButtonInput:
            OnInput();
            return true;
        case kButtonPrint:
            OnPrint();
            return true;
        case kButtonRead:
            OnRead();
            return true;
        default:
            return CMyPropertyPage::OnCommand(id, code);
    }
}

bool CHeronBidAdjustPage::IsPrintRowChecked(int row) const {
    return ui::CButton(GetDlgItem(kCheckPrintRow + row)).GetCheck() != 0;
}

bool CHeronBidAdjustPage::IsAdjustRowChecked(int row) const {
    return ui::CButton(GetDlgItem(kCheckAdjustRow + row)).GetCheck() != 0;
}

void CHeronBidAdjustPage::ShowInPane(int row, int value) {
    CAdjustInfoInnerDlg* pane = FindInformationPane();
    if (pane != nullptr) {
        pane->m_fields.strBidValue[row] = std::to_string(value);
        pane->UpdateText();
    }
}

void CHeronBidAdjustPage::OnInput() {
    if (!UpdateData(true)) {
        return;
    }
    // Every checked row is tested before anything goes out: a half-adjusted printer is worse than an
    // untouched one.
    bool anyChecked = false;
    for (int row = 0; row < kRows; ++row) {
        if (!IsAdjustRowChecked(row)) {
            continue;
        }
        anyChecked = true;
        if (!printer::IsBidirectionalValue(m_nBidValue[static_cast<std::size_t>(row)])) {
            ui::MessageBox(m_hWnd, kRangeMessage, CDialogMessagePresenter::kCaption, ui::BoxButtons::Ok,
                           ui::BoxIcon::Warning);
            return;
        }
    }
    if (!anyChecked || WaitWithDialog() == 0) {
        return;
    }
    for (int row = 0; row < kRows; ++row) {
        if (!IsAdjustRowChecked(row)) {
            continue;
        }
        const std::int32_t value = m_nBidValue[static_cast<std::size_t>(row)];
        m_nLastInput[static_cast<std::size_t>(row)] = value;
        patterns::BidirectionalJob job = patterns::BidirectionalValueJob(row, value);
        PrintPattern(patterns::kBidirectionalSelector, job.item, job.record);
        // The rows after a failed job would meet the same printer.
        if (job.record.Failed()) {
            return;
        }
        // The pane tells what the printer holds, so the value is read back before it is shown.
        std::optional<int> held;
        {
            printer::EepromHold eeprom = pages::EepromForSelectedPrinter();
            if (eeprom) {
                held = printer::ReadBidirectionalValue(eeprom.Get(), row);
            }
        }
        if (!held) {
            return;  // the access object has told the technician
        }
        if (*held != value) {
            ShowMessage(kNotStoredMessage, kMessageError);
            return;
        }
        ShowInPane(row, value);
    }
}

void CHeronBidAdjustPage::OnPrint() {
    bool anyChecked = false;
    for (int row = 0; row < kRows; ++row) {
        anyChecked = anyChecked || IsPrintRowChecked(row);
    }
    if (!anyChecked || !UpdateData(true) || WaitWithDialog() == 0) {
        return;
    }
    bool printed = false;
    for (int row = 0; row < kRows; ++row) {
        if (!IsPrintRowChecked(row)) {
            continue;
        }
        std::optional<int> stored;
        {
            printer::EepromHold eeprom = pages::EepromForSelectedPrinter();
            if (eeprom) {
                stored = printer::ReadBidirectionalValue(eeprom.Get(), row);
            }
        }
        // The pattern is labelled with the stored correction; without it the label would tell the
        // technician a value the printer does not hold. The failure has been shown.
        if (!stored) {
            continue;
        }
        patterns::BidirectionalJob job =
            patterns::BidirectionalPatternJob(row, m_nLastInput[static_cast<std::size_t>(row)], *stored);
        PrintPattern(patterns::kBidirectionalSelector, job.item, job.record);
        if (job.record.Failed()) {
            // The engine has reported the printer; a form feed would only meet it again.
            return;
        }
        printed = true;
    }
    // Only a printout that was begun is ended: a form feed alone would eject a blank sheet.
    if (printed) {
        patterns::BidirectionalJob end = patterns::PrintoutEndJob();
        PrintPattern(patterns::kBidirectionalSelector, end.item, end.record);
    }
}

void CHeronBidAdjustPage::OnRead() {
    bool anyChecked = false;
    for (int row = 0; row < kRows; ++row) {
        anyChecked = anyChecked || IsAdjustRowChecked(row);
    }
    if (!anyChecked || WaitWithDialog() == 0) {
        return;
    }
    ProgressControl(kOpenProgress, kRows);
    printer::EepromHold eeprom = pages::EepromForSelectedPrinter();
    for (int row = 0; row < kRows; ++row) {
        if (eeprom && IsAdjustRowChecked(row)) {
            // Only a row that was read changes: the field of a failed read keeps what it showed.
            if (const std::optional<int> stored = printer::ReadBidirectionalValue(eeprom.Get(), row)) {
                m_nBidValue[static_cast<std::size_t>(row)] = *stored;
                GetDlgItem(kEditRow + row).SetWindowText(std::to_string(*stored));
                Invalidate();
            }
        }
        StepProgress();
    }
    eeprom.Release();
    ProgressControl(kCloseProgress, kCloseValue);
}
