// The base of every item page: a wizard page that knows its item number, sets the wizard buttons by
// its place in the run and tells the hosting dialog which item is now current. It reaches the printer
// and the technician through its CPrinterCtrlUI part, and closes its progress window when it goes.
#pragma once

#include "pages/CPrinterCtrlUI.h"
#include "pages/IAdjustmentHost.h"
#include "ui/PropertySheet.h"

class CMyPropertyPage : public ui::CPropertyPage, public CPrinterCtrlUI {
public:
    explicit CMyPropertyPage(int templateId);
    // Destroys the window while the page is whole, so OnDestroy closes the progress window.
    ~CMyPropertyPage() override;

    // Set by the host after it created the page.
    void SetItemNumber(int number) { m_nItem = number; }
    int GetItemNumber() const { return m_nItem; }
    void SetAdjustmentHost(pages::IAdjustmentHost* host) { host_ = host; }

    // The framework's initialisation, then font B on every child control.
    bool OnInitDialog() override;
    // The wizard buttons for the page's place in the sheet, then the host's current item, then the
    // framework's activation.
    bool OnSetActive() override;
    // The window goes: any progress window the page left open goes with it.
    void OnDestroy() override;
    // The program's shared colours.
    ui::ControlColors OnCtlColor(ui::HWindow control, ui::ColorTarget target) override;

    // The set-wizard-buttons flags of the page at index of a run of count pages: Next on the first,
    // Back and Next in the middle, Back and Finish on the last, Finish alone on the only page.
    static int WizardButtonsFor(int index, int count);

protected:
    int m_nItem = 0;

private:
    int IndexInSheet() const;

    pages::IAdjustmentHost* host_ = nullptr;
};
