// Data exchange between a dialog's controls and its members, in the framework's shape: one
// DoDataExchange lists the pairs, and UpdateData runs it in either direction.
#pragma once

#include <string>

#include "ui/CDialog.h"

namespace ui {

class CDataExchange {
public:
    CDataExchange(CDialog& dialog, bool saveAndValidate)
        : m_pDlgWnd(&dialog), m_bSaveAndValidate(saveAndValidate) {}

    // Stops the exchange: the value in control id did not validate; the focus goes there.
    void Fail(int id);
    bool Failed() const { return failed_; }

    CDialog* m_pDlgWnd;
    bool m_bSaveAndValidate;

private:
    bool failed_ = false;
};

void DDX_Text(CDataExchange* exchange, int id, std::string& value);
// A decimal integer; a text that is not one fails with the framework's message.
void DDX_Text(CDataExchange* exchange, int id, int& value);
void DDX_Check(CDataExchange* exchange, int id, int& value);
// The selected row of a drop-down list or list box (-1 none).
void DDX_CBIndex(CDataExchange* exchange, int id, int& row);
void DDX_LBIndex(CDataExchange* exchange, int id, int& row);

}  // namespace ui
