#include "pages/CHeronPrintTestPage.h"

#include <string>

#include "config/CTolvLangText.h"
#include "config/CTolvPrnParam.h"
#include "pages/ReadjustRequest.h"
#include "ui/DataExchange.h"

namespace {

constexpr int kList = 1186;
constexpr int kPrint = 1127;
constexpr int kReadjustGroup = 1009;
constexpr int kReadjust = 1128;
constexpr int kTopMargin = 1137;
constexpr int kBottomMargin = 1189;

// The Re adjust check boxes and the adjustment item each stands for.
struct ReadjustBox {
    int id;
    const char* item;
};
constexpr ReadjustBox kReadjustBoxes[] = {
    {1135, "101"}, {1136, "102"}, {kTopMargin, "103"}, {kBottomMargin, "104"}};

}  // namespace

CHeronPrintTestPage::CHeronPrintTestPage(int flags) : CMyPropertyPage(kTemplate), m_nFlags(flags) {}

bool CHeronPrintTestPage::OnInitDialog() {
    CMyPropertyPage::OnInitDialog();
    m_entries = patterns::PrintTestEntries(m_nFlags, CTolvPrnParam::Instance()->nColumn);
    const ui::CListBox list = GetDlgItem(kList);
    for (const patterns::PrintTestEntry& entry : m_entries) {
        list.AddString(entry.text);
    }
    if (m_entries.size() <= 1) {
        list.SetCurSel(0);
        list.EnableWindow(false);
    }
    const bool general = m_nFlags == patterns::kAllPrintTests;
    // On the general item the technician picks a sequence first; the selection enables Print.
    GetDlgItem(kPrint).EnableWindow(!general);
    for (int id : {kReadjustGroup, kReadjust, 1135, 1136}) {
        GetDlgItem(id).ShowWindow(general);
    }
    GetDlgItem(kTopMargin).ShowWindow(false);
    GetDlgItem(kBottomMargin).ShowWindow(false);
    return true;
}

void CHeronPrintTestPage::DoDataExchange(ui::CDataExchange* exchange) {
    ui::DDX_LBIndex(exchange, kList, m_nSelected);
}

bool CHeronPrintTestPage::OnCommand(int id, ui::Notification code) {
    if (id == kList && code == ui::Notification::SelectionChange) {
        GetDlgItem(kPrint).EnableWindow(true);
        return true;
    }
    if (id == kPrint && code == ui::Notification::Clicked) {
        OnPrint();
        return true;
    }
    if (id == kReadjust && code == ui::Notification::Clicked) {
        OnReadjust();
        return true;
    }
    return CMyPropertyPage::OnCommand(id, code);
}

void CHeronPrintTestPage::OnPrint() {
    UpdateData(true);
    if (WaitWithDialog() == 0) {
        return;
    }
    if (m_nSelected < 0 || m_nSelected >= static_cast<int>(m_entries.size())) {
        return;
    }
    const patterns::PrintTestEntry& entry = m_entries[static_cast<std::size_t>(m_nSelected)];
    patterns::PrintJobRecord job;
    PrintPattern(entry.Selector(), entry.Item(), job);
}

void CHeronPrintTestPage::OnReadjust() {
    std::vector<std::string> checked;
    for (const ReadjustBox& box : kReadjustBoxes) {
        if (ui::CButton(GetDlgItem(box.id)).GetCheck() != 0) {
            checked.emplace_back(box.item);
        }
    }
    // The new run replaces this page: it starts once this handler has returned.
    pages::PostReadjust(patterns::ReadjustRun(checked, CTolvLangText::Instance()->GetSequence()));
}
