// Firmware update: starts the flashing program and keeps the adjustment dialog disabled until it has
// ended. The page also holds a sender of a file straight to an LPT port (boot and main firmware),
// whose controls this configuration keeps hidden.
#pragma once

#include "pages/CMyPropertyPage.h"

class CHeronFirmUpdatePage : public CMyPropertyPage {
public:
    static constexpr int kTemplate = 311;

    CHeronFirmUpdatePage();

    bool OnInitDialog() override;
    bool OnCommand(int id, ui::Notification code) override;

protected:
    void OnEnter();
    void OnBrowse(int pathField, int sendButton);
    // True when the file went to the printer whole; the failure was shown otherwise.
    bool OnSend(int pathField);
};
