// The first screen: the technician picks the printer model profile, the customer (destination), the
// language and the port, then one of the two working modes. The main window creates it once as its
// child and shows and hides it as screens change; its selections last while the program runs.
#pragma once

#include <string>

#include "ui/CDialog.h"
#include "workflow/IScreenHost.h"
#include "workflow/PortDiscovery.h"

class CTolvTopDlg : public ui::CDialog {
public:
    // Control ids of template 300.
    static constexpr int kTitle = 1000;
    static constexpr int kSubtitle = 1005;
    static constexpr int kProfileList = 1188;
    static constexpr int kCustomerList = 1173;
    static constexpr int kPortList = 1174;
    static constexpr int kLanguageList = 1014;
    static constexpr int kSequentialMode = 1001;
    static constexpr int kParticularMode = 1002;
    static constexpr int kQuit = 2;

    explicit CTolvTopDlg(workflow::IScreenHost& host);
    // Discovery through a selector of the caller's, for tools that bind it themselves.
    CTolvTopDlg(workflow::IScreenHost& host, const workflow::PortDiscovery& discovery);
    // The window goes with the object, while the whole dialog still exists.
    ~CTolvTopDlg() override;

    bool OnInitDialog() override;
    bool OnCommand(int id, ui::Notification code) override;
    // Enter picks no mode: the technician chooses one with its button.
    void OnOK() override {}
    // Escape leaves the program as "Quit" does.
    void OnCancel() override;
    ui::ControlColors OnCtlColor(ui::HWindow control, ui::ColorTarget target) override;

    // The dialog's selections.
    const std::string& Profile() const { return profile_; }
    const std::string& DeviceId() const { return deviceId_; }
    const std::string& Language() const { return language_; }
    const std::string& CustomerName() const { return customerName_; }
    const std::string& PortName() const { return portName_; }

private:
    void FillProfiles();
    void FillCustomers();
    void FillLanguages();
    void FillPorts();
    void RefreshTitles();
    void ApplyFonts();
    void SetLanguage(const std::string& language);
    void EnableModesIfComplete();
    void EnableModes(bool enable);

    void OnProfileChange();
    void OnCustomerChange();
    void OnPortChange();
    void OnLanguageChange();
    void OnSequentialMode();
    void OnParticularMode();
    void OnQuit();
    // The dialog's choices into the settings, as both mode buttons hand them over.
    void StoreSelections();

    workflow::IScreenHost& host_;
    workflow::PortDiscovery discovery_;
    std::string profile_;
    std::string deviceId_;  // of the chosen customer: maker, a space, the model the printer reports
    std::string language_;
    std::string customerName_;
    std::string portName_;
};
