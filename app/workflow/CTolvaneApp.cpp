#include "workflow/CTolvaneApp.h"

#include "config/ConfigurationScope.h"
#include "res/ResourceIds.h"
#include "workflow/CTolvaneDlg.h"
#include "workflow/ProgramScreens.h"

namespace {

// The main window with the screens it hosts; the screens reach the window through the host they
// were given, which is bound here before the window is constructed and used only once it runs.
struct MainWindow {
    explicit MainWindow(int& mode) : screens(window, [&mode] { return mode; }), window(screens, mode) {}
    workflow::ProgramScreens screens;
    CTolvaneDlg window;
};

}  // namespace

CTolvaneApp::CTolvaneApp() = default;

CTolvaneApp::~CTolvaneApp() = default;

BOOL CTolvaneApp::InitInstance() {
    // The dialog framework needs no containment or rich-edit set-up of its own; the registry key
    // is kept for the settings the framework would store.
    m_strRegistryKey = res::LoadResourceString(res::kStrRegistryKey);

    // The fonts are the first to need the settings: TOLVANE.INI is read here, before any window.
    m_look.Create();
    CApplicationLook* previousLook = CApplicationLook::Installed();
    CApplicationLook::Install(&m_look);
    {
        MainWindow main(m_nAdjustMode);
        main.window.DoModal();

        // Shut-down order: the fonts, then the settings, the model parameters and the language
        // texts, then the main window with its screens.
        CApplicationLook::Install(previousLook);
        m_look.Destroy();
        config::DeleteConfigurationSingletons();
    }
    return FALSE;
}
