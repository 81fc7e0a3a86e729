#include "pages/CHeronGetFataECode.h"

#include <cstdio>

#include "config/CTolvLangText.h"
#include "pages/SelectedEeprom.h"
#include "patterns/EngineTexts.h"
#include "printer/FatalErrorHistory.h"
#include "ui/CWindow.h"

namespace {

constexpr int kList = 1173;
constexpr int kButtonEnter = 1128;
constexpr int kCloseValue = 10;

}  // namespace

CHeronGetFataECode::CHeronGetFataECode() : CMyPropertyPage(kTemplate) {}

bool CHeronGetFataECode::OnInitDialog() {
    const bool result = CMyPropertyPage::OnInitDialog();
    const ui::CListViewCtrl list = GetDlgItem(kList);
    list.InsertColumn(0, "Error Code", 74, ui::ColumnAlign::Center);
    list.InsertColumn(1, "Description", 180);
    list.InsertColumn(2, "Driving line count", 110);
    return result;
}

bool CHeronGetFataECode::OnCommand(int id, ui::Notification code) {
    if (id == kButtonEnter && code == ui::Notification::Clicked) {
        OnEnter();
        return true;
    }
    return CMyPropertyPage::OnCommand(id, code);
}

std::string CHeronGetFataECode::DescribeFatalError(std::uint8_t code) const {
    return patterns::FatalErrorText(*CTolvLangText::Instance(), code);
}

void CHeronGetFataECode::OnEnter() {
    const ui::CListViewCtrl list = GetDlgItem(kList);
    list.DeleteAllItems();
    ProgressControl(kOpenProgress, printer::kFatalHistoryEntries);
    printer::EepromHold eeprom = pages::EepromForSelectedPrinter();
    printer::ReadFatalErrorHistory(
        eeprom.Get(),
        [&](int index, const printer::FatalErrorEntry& entry) {
            char text[16];
            std::snprintf(text, sizeof text, " 0x%02X", static_cast<unsigned>(entry.code));
            const int row = list.InsertItem(index, text);
            list.SetItemText(row, 1, DescribeFatalError(entry.code));
            if (entry.lineCountRead) {
                // Signed, as the printer's tools have always shown it: an erased count reads -1.
                std::snprintf(text, sizeof text, "%d",
                              static_cast<int>(static_cast<std::int32_t>(entry.lineCount)));
                list.SetItemText(row, 2, text);
            }
        },
        [this] { StepProgress(); });
    ProgressControl(kCloseProgress, kCloseValue);
    eeprom.Release();
}
