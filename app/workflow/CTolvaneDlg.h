// The main window: one screen at a time as a child dialog (top dialog, item menu, parts list,
// adjustment dialog), with the "Infomation" and "Sequence" companion windows beside it. The
// program runs it modally and ends when it closes, which it allows only from the top dialog.
#pragma once

#include <vector>

#include "ui/CDialog.h"
#include "workflow/IMainWindowParts.h"
#include "workflow/IScreenHost.h"

class CTolvaneDlg : public ui::CDialog, public workflow::IScreenHost {
public:
    // The command the system menu item "show version(&A)..." sends.
    static constexpr int kAboutCommand = 16;
    // The adjustment modes, as the application object holds them.
    static constexpr int kSequentialMode = 0;
    static constexpr int kParticularMode = 1;

    // mode is the application's adjustment mode, which the item menu and the parts list set and
    // the end of an adjustment reads.
    CTolvaneDlg(workflow::IMainWindowParts& parts, int& mode);
    // The program's window is gone when its modal run ends; one made modeless (a tool's, a test's)
    // goes with the object, its screens and companions with it, while the whole dialog still exists.
    ~CTolvaneDlg() override;

    // IScreenHost
    void ShowTopScreen() override;
    void ShowItemMenu(bool reset) override;
    void ShowPartsList(bool reset) override;
    void StartAdjustment(const std::vector<int>& items) override;
    void ReturnFromAdjustment() override;
    void RequestClose() override;

    // The screen shown now.
    workflow::IMainWindowParts::Screen GetShownScreen() const { return shown_; }

    bool OnInitDialog() override;
    void OnDestroy() override;
    // The Readjust of a page, posted so that it arrives after the page's own handler has returned.
    void OnPostedMessage(int code, long first, long second) override;
    void OnOK() override;
    void OnCancel() override;
    void OnClose() override;
    void OnSysCommand(int id) override;
    // A modal dialog over the main window disables the companions with it, and enables them again.
    void OnEnable(bool enabled) override;
    bool PreTranslateKey(ui::Key key) override;

private:
    using Screen = workflow::IMainWindowParts::Screen;
    using Companion = workflow::IMainWindowParts::Companion;

    bool TopScreenShown() const;
    // Makes the screen's window on first use; false when it cannot be made.
    bool EnsureScreen(Screen screen);
    // Hides every screen but the one given and shows that one, fitting the main window around it.
    void SwitchTo(Screen screen);
    void FitToScreen(Screen screen);
    void CentreOnScreen();
    void HideCompanion(Companion companion);
    // The companion beside the main window, as high as it: to the right or to the left.
    void PlaceCompanion(Companion companion, bool toTheRight);
    void RefreshInformation();

    workflow::IMainWindowParts& parts_;
    int& mode_;
    Screen shown_ = workflow::IMainWindowParts::kTopScreen;
};
