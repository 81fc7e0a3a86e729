// The main window's parts as the program has them: the screens, the adjustment dialog, the
// information and sequence panes and the two scroll frames that carry the panes beside the main
// window, all members that live as long as the main window.
#pragma once

#include <functional>

#include "dialogs/CAdjustInfoInnerDlg.h"
#include "dialogs/CScrollFrameDlg.h"
#include "workflow/CAdjustSequenceInnerDlg.h"
#include "workflow/CTolvAdjustmentDlg.h"
#include "workflow/CTolvSelectItemDlg.h"
#include "workflow/CTolvSelectPartsDlg.h"
#include "workflow/CTolvTopDlg.h"
#include "workflow/IMainWindowParts.h"
#include "workflow/IScreenHost.h"

namespace workflow {

class ProgramScreens : public IMainWindowParts {
public:
    // host is the main window (it may still be under construction: nothing calls it before it
    // runs); mode gives the application's adjustment mode.
    ProgramScreens(IScreenHost& host, std::function<int()> mode);
    ~ProgramScreens() override;
    ProgramScreens(const ProgramScreens&) = delete;
    ProgramScreens& operator=(const ProgramScreens&) = delete;

    ui::CDialog& GetScreen(Screen screen) override;
    ui::CWindow MakeCompanion(Companion companion, ui::HWindow owner) override;
    ui::CWindow GetCompanion(Companion companion) override;
    void ResetItemMenu() override;
    void ResetPartsList() override;
    bool PrepareItems(const std::vector<int>& items) override;
    void FillSequence(const std::vector<int>& items) override;
    void ClearInformation() override;
    void RefreshInformation(const std::string& profile, const std::string& port,
                            const std::string& customer) override;
    void ShowAbout(ui::HWindow owner) override;

    CAdjustInfoInnerDlg& GetInformationPane() { return informationPane_; }
    CAdjustSequenceInnerDlg& GetSequencePane() { return sequencePane_; }
    CTolvAdjustmentDlg& GetAdjustment() { return adjustment_; }
    CTolvTopDlg& GetTopDialog() { return top_; }

private:
    // The frame takes the pane's new size after the pane laid itself out again.
    void Relay(Companion companion);

    CTolvTopDlg top_;
    CTolvSelectItemDlg itemMenu_;
    CTolvSelectPartsDlg partsList_;
    CAdjustInfoInnerDlg informationPane_;
    CAdjustSequenceInnerDlg sequencePane_;
    CScrollFrameDlg informationFrame_;
    CScrollFrameDlg sequenceFrame_;
    CTolvAdjustmentDlg adjustment_;
};

}  // namespace workflow
