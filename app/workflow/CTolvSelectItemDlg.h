// The item menu of the particular adjustment mode: the menu of the selected language file, one row
// per menu slot; the technician picks one row and its item runs alone.
#pragma once

#include <string>
#include <vector>

#include "ui/CDialog.h"
#include "workflow/IScreenHost.h"

class CTolvSelectItemDlg : public ui::CDialog {
public:
    // Control ids of template 134.
    static constexpr int kDescription = 1015;
    static constexpr int kItemList = 1016;
    static constexpr int kSelect = 1;
    static constexpr int kBack = 2;
    static constexpr int kConfig = 1171;
    static constexpr int kSetting = 1172;

    explicit CTolvSelectItemDlg(workflow::IScreenHost& host);
    // The window goes with the object, while the whole dialog still exists.
    ~CTolvSelectItemDlg() override;

    // Fills the screen anew from the language texts: description, rows, no selection.
    void Reset();

    bool OnCommand(int id, ui::Notification code) override;
    // "Select" (and Enter) starts the selected row's item.
    void OnOK() override;
    // Button 2 and Escape go back to the top screen.
    void OnCancel() override;
    ui::ControlColors OnCtlColor(ui::HWindow control, ui::ColorTarget target) override;

private:
    workflow::IScreenHost& host_;
    std::vector<std::string> itemNumbers_;  // per row: the menu slot's item number text
};
