#include "workflow/CTolvTopDlg.h"

#include "config/CTolvAppParam.h"
#include "config/CTolvLangText.h"
#include "config/CTolvPrnParam.h"
#include "config/ProfileListing.h"
#include "dialogs/CApplicationLook.h"
#include "platform/MessageBox.h"
#include "res/DialogTemplate.h"
#include "res/ResourceIds.h"
#include "workflow/TopPortList.h"

namespace {

// The colour of the two title lines: dark blue.
constexpr ui::Color kTitleColor = ui::Rgb(0, 0, 174);

constexpr const char* kMsgNoProfile = "fatel error";
constexpr const char* kMsgNoCustomer = "Cannot found customuer file";
constexpr const char* kMsgNoLanguage = "Cannot found language file";

// Which of the application's fonts each control wears.
constexpr int kTitleFontControls[] = {CTolvTopDlg::kTitle, CTolvTopDlg::kSubtitle};
constexpr int kButtonFontControls[] = {
    CTolvTopDlg::kSequentialMode, CTolvTopDlg::kParticularMode, CTolvTopDlg::kQuit, 1033, 1034, 1035};
constexpr int kListFontControls[] = {1003,
                                     1004,
                                     CTolvTopDlg::kProfileList,
                                     CTolvTopDlg::kCustomerList,
                                     CTolvTopDlg::kPortList,
                                     CTolvTopDlg::kLanguageList};

std::string SelectedText(const ui::CComboBox& list) {
    const int row = list.GetCurSel();
    return row < 0 ? std::string() : list.GetText(row);
}

// The first customer slot of the model profile with this title; -1 when none has it.
int CustomerIndexOf(const std::string& title) {
    const CTolvPrnParam& model = *CTolvPrnParam::Instance();
    for (int i = 0; i < CTolvPrnParam::kCustomerSlots; ++i) {
        if (model.customer[i].strTitle == title) {
            return i;
        }
    }
    return -1;
}

}  // namespace

CTolvTopDlg::CTolvTopDlg(workflow::IScreenHost& host) : CTolvTopDlg(host, workflow::PortDiscovery()) {}

CTolvTopDlg::CTolvTopDlg(workflow::IScreenHost& host, const workflow::PortDiscovery& discovery)
    : CDialog(res::kDialogTop), host_(host), discovery_(discovery) {}

CTolvTopDlg::~CTolvTopDlg() {
    DestroyWindow();
}

bool CTolvTopDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    const CTolvAppParam& settings = *CTolvAppParam::Instance();
    profile_ = settings.strProfile;
    language_ = settings.strLanguage;
    customerName_ = settings.strCustomerName;
    portName_.clear();
    FillProfiles();
    FillCustomers();
    FillLanguages();
    FillPorts();
    RefreshTitles();
    ApplyFonts();
    return true;
}

void CTolvTopDlg::FillProfiles() {
    ui::CComboBox list = GetDlgItem(kProfileList);
    list.ResetContent();
    for (const std::string& profile : config::ListProfiles()) {
        list.AddString(profile);
    }
    list.SetCurSel(list.FindStringExact(profile_));
    if (list.GetCount() == 0) {
        EnableModes(false);
        platform::ShowMessage(kMsgNoProfile);
        return;
    }
    const int row = list.GetCurSel() < 0 ? 0 : list.GetCurSel();
    list.SetCurSel(row);
    // A stored name that differs from its folder in case only takes the folder's spelling, so that the
    // profile's files are found where names are told apart by case as well.
    const std::string folder = list.GetText(row);
    if (folder != profile_) {
        profile_ = folder;
        CTolvPrnParam::Instance()->SetProfile(profile_);
        // The language texts were made (or will be) from the stored profile; point them here too, or
        // the menus would stay those of a profile that does not exist.
        CTolvAppParam::Instance()->strProfile = profile_;
        CTolvLangText::Instance()->SetProfile(profile_);
    }
}

void CTolvTopDlg::FillCustomers() {
    ui::CComboBox list = GetDlgItem(kCustomerList);
    list.ResetContent();
    const CTolvPrnParam& model = *CTolvPrnParam::Instance();
    for (int i = 0; i < model.nCustomerCount && i < CTolvPrnParam::kCustomerSlots; ++i) {
        list.AddString(model.customer[i].strTitle);
    }
    if (list.GetCount() == 0) {
        platform::ShowMessage(kMsgNoCustomer, platform::MessageIcon::Stop);
    }
}

void CTolvTopDlg::FillLanguages() {
    ui::CComboBox list = GetDlgItem(kLanguageList);
    list.ResetContent();
    for (const std::string& language : config::ListLanguages(profile_)) {
        list.AddString(language);
    }
    list.SetCurSel(list.FindStringExact(language_));
    if (list.GetCurSel() < 0) {
        EnableModes(false);
        SetLanguage("");
    }
    if (list.GetCount() == 0) {
        platform::ShowMessage(kMsgNoLanguage, platform::MessageIcon::Stop);
    }
}

void CTolvTopDlg::FillPorts() {
    const workflow::DiscoveredPrinters printers = discovery_.Discover();
    ui::CComboBox list = GetDlgItem(kPortList);
    list.ResetContent();
    for (const char* name : workflow::PortRowNames()) {
        list.AddString(workflow::PortRowText(name, printers));
    }
    const int row = workflow::PreselectedPortRow(printers, deviceId_);
    if (row >= 0) {
        list.SetCurSel(row);
        portName_ = workflow::PortRowNames()[static_cast<std::size_t>(row)];
    } else {
        EnableModes(false);
        portName_.clear();
    }
}

void CTolvTopDlg::ApplyFonts() {
    const CApplicationLook* look = CApplicationLook::Installed();
    if (look == nullptr) {
        return;
    }
    for (int id : kTitleFontControls) {
        GetDlgItem(id).SetFont(look->GetFont(CApplicationLook::kFontD));
    }
    for (int id : kButtonFontControls) {
        GetDlgItem(id).SetFont(look->GetFont(CApplicationLook::kFontC));
    }
    for (int id : kListFontControls) {
        GetDlgItem(id).SetFont(look->GetFont(CApplicationLook::kFontB));
    }
}

void CTolvTopDlg::RefreshTitles() {
    GetDlgItem(kTitle).SetWindowText(profile_ + " " + res::LoadResourceString(res::kStrAdjustmentProgram));
    GetDlgItem(kSubtitle).SetWindowText(res::LoadResourceString(res::kStrForWindows));
}

// The settings, the language texts, the fonts and the titles follow the language; the settings are
// saved by the caller where a save is due.
void CTolvTopDlg::SetLanguage(const std::string& language) {
    CTolvAppParam::Instance()->strLanguage = language;
    language_ = language;
    CTolvLangText::Instance()->SetLanguage(language);
    // The Japanese texts need the Japanese fonts; the fonts made before are gone after this.
    if (CApplicationLook* look = CApplicationLook::Installed()) {
        look->Create(language);
        ApplyFonts();
    }
    RefreshTitles();
}

void CTolvTopDlg::EnableModesIfComplete() {
    if (!profile_.empty() && !language_.empty() && !customerName_.empty() && !portName_.empty()) {
        EnableModes(true);
    }
}

void CTolvTopDlg::EnableModes(bool enable) {
    GetDlgItem(kSequentialMode).EnableWindow(enable);
    GetDlgItem(kParticularMode).EnableWindow(enable);
}

bool CTolvTopDlg::OnCommand(int id, ui::Notification code) {
    if (code == ui::Notification::SelectionChange) {
        switch (id) {
            case kProfileList:
                OnProfileChange();
                return true;
            case kCustomerList:
                OnCustomerChange();
                return true;
            case kPortList:
                OnPortChange();
                return true;
            case kLanguageList:
                OnLanguageChange();
                return true;
            default:
                break;
        }
    }
    if (code == ui::Notification::Clicked && id == kSequentialMode) {
        OnSequentialMode();
        return true;
    }
    if (code == ui::Notification::Clicked && id == kParticularMode) {
        OnParticularMode();
        return true;
    }
    return CDialog::OnCommand(id, code);
}

void CTolvTopDlg::OnCancel() {
    OnQuit();
}

ui::ControlColors CTolvTopDlg::OnCtlColor(ui::HWindow control, ui::ColorTarget target) {
    ui::ControlColors colors = LookColors(target);
    const int id = ui::CWindow(control).GetDlgCtrlID();
    if (id == kTitle || id == kSubtitle) {
        colors.hasTextColor = true;
        colors.textColor = kTitleColor;
    }
    return colors;
}

void CTolvTopDlg::OnProfileChange() {
    const std::string text = SelectedText(GetDlgItem(kProfileList));
    if (text == profile_) {
        return;
    }
    profile_ = text;
    CTolvAppParam& settings = *CTolvAppParam::Instance();
    settings.strProfile = text;
    CTolvPrnParam::Instance()->SetProfile(text);
    CTolvLangText::Instance()->SetProfile(text);
    FillCustomers();
    FillLanguages();
    FillPorts();
    RefreshTitles();
    EnableModesIfComplete();
    settings.Save();
}

void CTolvTopDlg::OnCustomerChange() {
    customerName_ = SelectedText(GetDlgItem(kCustomerList));
    if (!customerName_.empty()) {
        deviceId_.clear();
        if (const int index = CustomerIndexOf(customerName_); index >= 0) {
            deviceId_ = CTolvPrnParam::Instance()->customer[index].strDeviceID;
        }
    }
    FillPorts();
    EnableModesIfComplete();
}

void CTolvTopDlg::OnPortChange() {
    const int row = ui::CComboBox(GetDlgItem(kPortList)).GetCurSel();
    portName_ = row >= 0 && row < workflow::kPortRowCount
                    ? workflow::PortRowNames()[static_cast<std::size_t>(row)]
                    : "";
    EnableModesIfComplete();
}

void CTolvTopDlg::OnLanguageChange() {
    const std::string text = SelectedText(GetDlgItem(kLanguageList));
    if (text == language_) {
        return;
    }
    SetLanguage(text);
    CTolvAppParam::Instance()->Save();
    EnableModesIfComplete();
}

void CTolvTopDlg::StoreSelections() {
    CTolvAppParam& settings = *CTolvAppParam::Instance();
    settings.strProfile = profile_;
    settings.strPortName = portName_;
    settings.strCustomerName = customerName_;
    if (const int index = CustomerIndexOf(customerName_); index >= 0) {
        settings.nCustomerIndex = index;
    }
    settings.strLanguage = language_;
}

void CTolvTopDlg::OnSequentialMode() {
    StoreSelections();
    CTolvAppParam::Instance()->strPrinterID = deviceId_;
    CTolvAppParam::Instance()->Save();
    host_.ShowPartsList(true);
}

void CTolvTopDlg::OnParticularMode() {
    // The stored printer ID keeps its last value in this mode.
    StoreSelections();
    CTolvAppParam::Instance()->Save();
    host_.ShowItemMenu(true);
}

void CTolvTopDlg::OnQuit() {
    CTolvAppParam& settings = *CTolvAppParam::Instance();
    settings.strProfile = profile_;
    settings.strPortName = portName_;
    settings.strCustomerName = customerName_;
    settings.strLanguage = language_;
    settings.Save();
    host_.RequestClose();
}
