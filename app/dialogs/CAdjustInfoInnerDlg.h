// The information pane beside the adjustment dialog: what is selected, what the printer reported and
// what was adjusted, in three framed read-only boxes that grow with their texts.
#pragma once

#include <string>

#include "ui/CDialog.h"

// The strings the main window, the setting reader and the pages fill in.
struct CAdjustInfoFields {
    // "Setting": from the settings, whenever the item menu or the adjustment screen is shown.
    std::string strProfile;
    std::string strPort;
    std::string strCustomer;
    // "Printer info": from the printer setting reader.
    std::string strDeviceID;
    std::string strUSBSerial;
    std::string strCharTable;
    std::string strPrintDirection;
    std::string strPageLength;
    std::string strIBMChar;
    // "Adjuted item": from the setting reader, the Bi-d adjustment page and the serial number page.
    std::string strBidValue[3];
    std::string strSerialNo;
    // A further setting the reader clears along with the others; no box shows it.
    std::string strReserved;
};

class CAdjustInfoInnerDlg : public ui::CDialog {
public:
    CAdjustInfoInnerDlg();
    ~CAdjustInfoInnerDlg() override;

    // Rebuilds the three texts from the fields and lays the boxes out again; the texts are kept
    // even while the pane has no window.
    void UpdateText();
    // Empties every field, then UpdateText.
    void ClearFields();

    // The texts as UpdateText builds them; CR LF ends each line.
    std::string SettingText() const;
    std::string PrinterInfoText() const;
    std::string AdjustedItemText() const;

    bool OnInitDialog() override;
    ui::ControlColors OnCtlColor(ui::HWindow control, ui::ColorTarget target) override;
    // The pane sits beside the screens: Enter and Escape must not end it.
    bool PreTranslateKey(ui::Key key) override;

    CAdjustInfoFields m_fields;
};

// The pane the main window shows, for the printer access to write into; null when none is
// published. The main window publishes its pane once it exists and withdraws it (null) before
// it goes; a pane that is deleted withdraws itself.
void PublishInformationPane(CAdjustInfoInnerDlg* pane);
CAdjustInfoInnerDlg* FindInformationPane();
