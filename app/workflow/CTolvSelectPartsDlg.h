// The parts list of the sequential adjustment mode: the replaceable parts of the selected language
// file; the technician ticks the parts replaced or removed, and every item they require runs once, in
// the order of the language's master sequence.
#pragma once

#include "ui/CDialog.h"
#include "workflow/IScreenHost.h"

class CTolvSelectPartsDlg : public ui::CDialog {
public:
    // Control ids of template 135.
    static constexpr int kDescription = 1015;
    static constexpr int kPartsList = 1173;
    static constexpr int kOk = 1;
    static constexpr int kClear = 1018;
    static constexpr int kBack = 2;
    static constexpr int kSetting = 1017;

    explicit CTolvSelectPartsDlg(workflow::IScreenHost& host);
    // The window goes with the object, while the whole dialog still exists.
    ~CTolvSelectPartsDlg() override;

    // Refills the rows from the language texts, every tick cleared. Row n is parts slot n; a slot
    // without a part shows an empty row that cannot be ticked.
    void Reset();

    bool OnInitDialog() override;
    bool OnCommand(int id, ui::Notification code) override;
    // "OK" (and Enter) starts the run of the ticked parts.
    void OnOK() override;
    // "Cancel" and Escape go back to the top screen.
    void OnCancel() override;
    ui::ControlColors OnCtlColor(ui::HWindow control, ui::ColorTarget target) override;

private:
    workflow::IScreenHost& host_;
};
