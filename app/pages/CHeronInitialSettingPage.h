// Writes the printer's initial setting for the selected customer (the model's EEPROM tables, the
// customer's values and the USB serial number typed on the page), and reads the serial number back.
#pragma once

#include <string>

#include "pages/CMyPropertyPage.h"

class CHeronInitialSettingPage : public CMyPropertyPage {
public:
    static constexpr int kTemplate = 312;

    CHeronInitialSettingPage();

    bool OnCommand(int id, ui::Notification code) override;
    void DoDataExchange(ui::CDataExchange* exchange) override;

protected:
    // Read: the 18 serial bytes into the Serial No. field. A model without a serial number says so
    // and leaves the field empty without touching the printer.
    void OnRead();
    // Enter: checks the serial, then runs the guarded stages under the progress window.
    void OnEnter();

    std::string m_strSerial;
};
