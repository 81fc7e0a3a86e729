#include "ui/DataExchange.h"

#include <cerrno>
#include <cstdlib>

namespace ui {

void CDataExchange::Fail(int id) {
    failed_ = true;
    m_pDlgWnd->GetDlgItem(id).SetFocus();
}

void DDX_Text(CDataExchange* exchange, int id, std::string& value) {
    if (exchange->Failed()) {
        return;
    }
    CWindow control = exchange->m_pDlgWnd->GetDlgItem(id);
    if (exchange->m_bSaveAndValidate) {
        value = control.GetWindowText();
    } else {
        control.SetWindowText(value);
    }
}

void DDX_Text(CDataExchange* exchange, int id, int& value) {
    if (exchange->Failed()) {
        return;
    }
    CWindow control = exchange->m_pDlgWnd->GetDlgItem(id);
    if (!exchange->m_bSaveAndValidate) {
        control.SetWindowText(std::to_string(value));
        return;
    }
    const std::string text = control.GetWindowText();
    char* end = nullptr;
    errno = 0;
    const long number = std::strtol(text.c_str(), &end, 10);
    while (end != nullptr && (*end == ' ' || *end == '\t')) {
        ++end;
    }
    if (text.empty() || end == text.c_str() || *end != '\0' || errno == ERANGE || number < -2147483647L - 1 ||
        number > 2147483647L) {
        MessageBox(*exchange->m_pDlgWnd, "Please enter an integer.", "", BoxButtons::Ok, BoxIcon::Stop);
        exchange->Fail(id);
        return;
    }
    value = static_cast<int>(number);
}

void DDX_Check(CDataExchange* exchange, int id, int& value) {
    if (exchange->Failed()) {
        return;
    }
    CButton button = exchange->m_pDlgWnd->GetDlgItem(id);
    if (exchange->m_bSaveAndValidate) {
        value = button.GetCheck();
    } else {
        button.SetCheck(value);
    }
}

void DDX_CBIndex(CDataExchange* exchange, int id, int& row) {
    if (exchange->Failed()) {
        return;
    }
    CListControl list = exchange->m_pDlgWnd->GetDlgItem(id);
    if (exchange->m_bSaveAndValidate) {
        row = list.GetCurSel();
    } else {
        list.SetCurSel(row);
    }
}

void DDX_LBIndex(CDataExchange* exchange, int id, int& row) {
    DDX_CBIndex(exchange, id, row);
}

}  // namespace ui
