// The application settings: TOLVANE.INI beside the executable, read when the object is created and
// written back by Save whenever the technician changes a selection.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "config/CParamLoaderIniFile.h"
#include "config/Singleton.h"
#include "config/WinTypes.h"

class CTolvAppParam : public _singleton<CTolvAppParam> {
public:
    // Writes every key of the file in binding order, with the comments found when it was read.
    int Save();

    // The settings file: executable folder + "TOLVANE.INI".
    const std::string& GetPath() const;

    // [Debug], [Profile], [Temp], [Setting], [Valve]. Keys without a use in the program are kept so
    // that a saved file still holds its full set of keys.
    BOOL bDebugMode = 0;
    std::string strProfile;  // the selected model profile: a folder under Parameter
    std::string
        strPrinterID;  // device ID of the selected customer; the model name starts at its 7th character
    BOOL bLockProfile = 0;
    std::string strProgName;  // caption of the main window
    int nPrinters = 1;
    BOOL bMaximizeWnd = 0;
    std::string
        strLanguage;  // base name of the profile's .mnu file; "Japanese" also picks the Japanese fonts
    BOOL bErrSound = 0;
    int nStartUpMenu = 0;
    std::vector<int> pnInterface;
    int nQRScanOffline = 0;
    int nQRManualInput = 0;
    int nPacValve = 3;
    int nInkValve = 3;
    int nAirValve = 4;
    int nVcmValve = 5;
    int nIOBoard = 2;

    // Run-time selections of the top dialog; not in the file.
    std::string strCustomerName;  // title of the selected customer
    std::string strPortName;      // "LPT1" .. "LPT3", "USB1" .. "USB10"
    int nCustomerIndex = 0;       // 0 .. 14, selects the customer's EEPROM bytes in the model profile

    // Run-time texts printed on the printer information report; not in the file.
    std::string strFactorySetting;
    std::string strBeltNo;
    std::string strPcNo;

private:
    friend class _singleton<CTolvAppParam>;
    CTolvAppParam();
    ~CTolvAppParam();
    CTolvAppParam(const CTolvAppParam&) = delete;
    CTolvAppParam& operator=(const CTolvAppParam&) = delete;

    std::unique_ptr<CParamLoaderIniFile> loader_;
};
