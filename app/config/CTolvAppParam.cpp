#include "config/CTolvAppParam.h"

#include "config/ProfilePaths.h"

CTolvAppParam::CTolvAppParam() : loader_(std::make_unique<CParamLoaderIniFile>()) {
    // Bound in the order the keys stand in the file that Save writes.
    loader_->AddBool("Debug", "bDebugMode", &bDebugMode, 0);
    loader_->AddString("Profile", "strProfile", &strProfile, "ProfileName");
    loader_->AddString("Profile", "strPrinterID", &strPrinterID, "ProfileName");
    loader_->AddBool("Profile", "bLockProfile", &bLockProfile, 0);
    loader_->AddString("Profile", "strProgName", &strProgName, "ProgName");
    loader_->AddInt("Profile", "nPrinters", &nPrinters, 1);
    loader_->AddBool("Profile", "bMaximizeWnd", &bMaximizeWnd, 0);
    loader_->AddString("Profile", "strLanguage", &strLanguage, "ProgName");
    loader_->AddBool("Profile", "bErrSound", &bErrSound, 0);
    loader_->AddInt("Temp", "nStartUpMenu", &nStartUpMenu, 0);
    loader_->AddIntList("Setting", "pnInterface", &pnInterface, "0 0 0 0");
    loader_->AddInt("Setting", "nQRScanOffline", &nQRScanOffline, 0);
    loader_->AddInt("Setting", "nQRManualInput", &nQRManualInput, 0);
    loader_->AddInt("Valve", "nPacValve", &nPacValve, 3);
    loader_->AddInt("Valve", "nInkValve", &nInkValve, 3);
    loader_->AddInt("Valve", "nAirValve", &nAirValve, 4);
    loader_->AddInt("Valve", "nVcmValve", &nVcmValve, 5);
    loader_->AddInt("Setting", "nIOBoard", &nIOBoard, 2);

    loader_->SetPath(config::SettingsFilePath());
    loader_->Load();
}

CTolvAppParam::~CTolvAppParam() = default;

int CTolvAppParam::Save() {
    return loader_->Save();
}

const std::string& CTolvAppParam::GetPath() const {
    return loader_->GetPath();
}
