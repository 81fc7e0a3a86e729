// The adjustment screen: runs an ordered list of items as a wizard, one page per item, with the
// item's title and description above the pages and the Status and Printer Info buttons beside the
// wizard's own.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "pages/CMyPropertyPage.h"
#include "pages/CPrinterCtrlUI.h"
#include "pages/IAdjustmentHost.h"
#include "ui/CDialog.h"
#include "workflow/CAdjustSequenceInnerDlg.h"
#include "workflow/CMyPropertySheet.h"
#include "workflow/IScreenHost.h"

class CTolvAdjustmentDlg : public ui::CDialog, public CPrinterCtrlUI, public pages::IAdjustmentHost {
public:
    // The current working mode of the program: 1 particular adjustment, 0 sequential adjustment.
    using ModeSource = std::function<int()>;

    static constexpr int kTitle = 1000;
    static constexpr int kDescription = 1015;
    static constexpr int kFigure = 1171;
    static constexpr int kStatusCommand = 7000;
    static constexpr int kPrinterInfoCommand = 1017;
    static constexpr int kUnusedCommand = 1075;

    CTolvAdjustmentDlg(workflow::IScreenHost& screens, CAdjustSequenceInnerDlg& sequencePane,
                       ModeSource mode);
    ~CTolvAdjustmentDlg() override;

    // Builds one page per entry that has one, in order; entries without a page are skipped. 0 when
    // no entry got a page. The window is made (Create) after the first call that returns 1; later
    // runs keep it and start again on their first page.
    int PrepareItems(const std::vector<int>& items);
    // The entries that got a page, in order.
    const std::vector<int>& GetItems() const { return items_; }
    CMyPropertySheet& GetSheet() { return sheet_; }

    void SetCurrentItem(int number) override;

    bool OnInitDialog() override;
    bool OnCommand(int id, ui::Notification code) override;
    ui::ControlColors OnCtlColor(ui::HWindow control, ui::ColorTarget target) override;
    // Keys that reach the dialog outside the sheet act as they would in the sheet.
    bool PreTranslateKey(ui::Key key) override;
    void OnDestroy() override;

private:
    void RemovePages();
    // Cancel is offered when there is more than one page, and always in sequential mode.
    void EnableCancel();
    void ConfirmCancel();
    void ShowPrinterStatus();
    void ReadPrinterSettings();
    void LayOut();
    void FitAroundSheet();
    // Font B on the dialog and the sheet, font E on the title; again at every run, since a change of
    // language makes the fonts anew.
    void ApplyFonts();

    workflow::IScreenHost& screens_;
    CAdjustSequenceInnerDlg& sequencePane_;
    ModeSource mode_;
    std::vector<int> items_;
    std::vector<std::unique_ptr<CMyPropertyPage>> pages_;
    CMyPropertySheet sheet_;
    ui::Rect descriptionRect_;
};
