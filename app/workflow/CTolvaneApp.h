// The application object: it runs the whole program from InitInstance. It holds the adjustment
// mode and the look (the fonts and brushes every dialog shares), runs the main window modally and,
// when that closes, lets go of everything in the program's shut-down order.
#pragma once

#include <string>

#include "config/WinTypes.h"
#include "dialogs/CApplicationLook.h"

class CTolvaneApp {
public:
    CTolvaneApp();
    ~CTolvaneApp();
    CTolvaneApp(const CTolvaneApp&) = delete;
    CTolvaneApp& operator=(const CTolvaneApp&) = delete;

    // Runs the program until the main window closes; always FALSE, so that the process ends.
    BOOL InitInstance();

    // 1 particular adjustment (the item menu), 0 sequential adjustment (the parts list).
    int GetAdjustMode() const { return m_nAdjustMode; }
    CApplicationLook& GetLook() { return m_look; }
    // The key under which the framework would keep the program's settings in the registry.
    const std::string& GetRegistryKey() const { return m_strRegistryKey; }

private:
    int m_nAdjustMode = 0;
    CApplicationLook m_look;
    std::string m_strRegistryKey;
};
