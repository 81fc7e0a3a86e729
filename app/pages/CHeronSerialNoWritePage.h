// Writes the printer's USB serial number: the text typed in the Serial No. field, checked first, one
// character per EEPROM byte and zeros after it.
#pragma once

#include <string>

#include "pages/CMyPropertyPage.h"

class CHeronSerialNoWritePage : public CMyPropertyPage {
public:
    static constexpr int kTemplate = 309;

    CHeronSerialNoWritePage();

    bool OnCommand(int id, ui::Notification code) override;
    void DoDataExchange(ui::CDataExchange* exchange) override;

protected:
    // Input: refuses a model without a serial number and a text that breaks the serial's rules before
    // the printer is touched, then shows the text in the information pane and writes the 18 bytes.
    void OnInput();

    std::string m_strSerial;
};
