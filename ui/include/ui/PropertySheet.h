// The wizard: a property sheet that shows one page at a time above a row of Back, Next, Finish and
// Cancel buttons. Pages set the buttons by posting the set-wizard-buttons message to the sheet.
#pragma once

#include <vector>

#include "ui/CDialog.h"

namespace ui {

class CPropertySheet;

// Flags of the set-wizard-buttons message.
inline constexpr int kWizardBack = 1;
inline constexpr int kWizardNext = 2;
inline constexpr int kWizardFinish = 4;

// Command ids of the sheet's buttons (Cancel is kIdCancel).
inline constexpr int kIdWizardBack = 0x3023;
inline constexpr int kIdWizardNext = 0x3024;
inline constexpr int kIdWizardFinish = 0x3025;

// Posted-message code of set-wizard-buttons; first = the flags.
inline constexpr int kMessageSetWizardButtons = 0x0470;

class CPropertyPage : public CDialog {
public:
    explicit CPropertyPage(int templateId) : CDialog(templateId) {}

    // The page became the active one. False keeps the previous page.
    virtual bool OnSetActive();
    // The page is about to be left. Default: UpdateData(true); false keeps the page.
    virtual bool OnKillActive();
    // 0 moves on, -1 stays.
    virtual int OnWizardBack();
    virtual int OnWizardNext();
    // True lets Finish end the wizard.
    virtual bool OnWizardFinish();
    // Enter and Escape belong to the sheet, as in the framework's pages.
    bool PreTranslateKey(Key key) override;

    CPropertySheet* GetSheet() const { return sheet_; }

private:
    friend class CPropertySheet;
    CPropertySheet* sheet_ = nullptr;
};

class CPropertySheet : public CDialog {
public:
    CPropertySheet();

    // Pages are owned by the caller and must outlive their place in the sheet.
    void AddPage(CPropertyPage* page);
    // Takes the page out (destroying its window); the caller deletes it.
    void RemovePage(int index);
    int GetPageCount() const { return static_cast<int>(pages_.size()); }
    CPropertyPage* GetPage(int index) const;
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const { return active_; }
    // Shows the page (creating its window on first use) and calls its OnSetActive.
    bool SetActivePage(int index);

    // A child window in the parent's client area at its top-left corner; sized to the largest page.
    bool Create(HWindow parent);
    // Posts the set-wizard-buttons message.
    void SetWizardButtons(int flags);
    int GetWizardButtons() const { return buttons_; }
    CButton GetButton(int id) const { return GetDlgItem(id); }

    // Back, Next, Finish and Cancel, and any other command of a button of the sheet.
    bool OnCommand(int id, Notification code) override;
    void OnPostedMessage(int code, long first, long second) override;

protected:
    // The wizard's own navigation; the page decides first through OnWizardBack / OnWizardNext.
    void GoBack();
    void GoNext();
    // Finish: true when the active page agreed.
    bool PressFinish();
    Rect PageArea() const { return pageArea_; }

private:
    void ApplyWizardButtons(int flags);

    std::vector<CPropertyPage*> pages_;
    int active_ = -1;
    int buttons_ = 0;
    Rect pageArea_;
};

}  // namespace ui
