// The wizard inside the adjustment dialog: Back and Next move between the pages, Finish ends the run
// when the page agrees, and every other button (Cancel, Status, Printer Info, ...) first has the
// page stop its work (OnStopWork) and then goes to the adjustment dialog.
#pragma once

#include <string>
#include <vector>

#include "ui/PropertySheet.h"

class CMyPropertySheet : public ui::CPropertySheet {
public:
    CMyPropertySheet();

    // The sheet as a child of parent, with font B on every button.
    bool Create(ui::HWindow parent);
    // A push button in the button row, left of the wizard's own: the first one at x 12 with the
    // Cancel button's top and bottom, each further one a unit right of the one before.
    ui::CButton AddButton(const std::string& caption, int id, int width);

    // Font B on the sheet, its buttons and the buttons added to it.
    void ApplyFonts();

    bool OnCommand(int id, ui::Notification code) override;
    ui::ControlColors OnCtlColor(ui::HWindow control, ui::ColorTarget target) override;
    // Escape finishes when Cancel is disabled and cancels otherwise; Enter presses Next or Finish.
    bool PreTranslateKey(ui::Key key) override;

private:
    std::vector<ui::HWindow> extraButtons_;
};
