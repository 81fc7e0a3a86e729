// The wizard: a property sheet that shows one page at a time above a row of Back, Next, Finish and
// Cancel buttons. Pages set the buttons by posting the set-wizard-buttons message to the sheet. The
// page area is as large as the largest page the sheet has held; a larger page added later makes the
// sheet grow, its buttons moving with the page area's bottom edge.
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

    // The page is about to become the active one; its window exists but is not shown yet. False
    // refuses: the page stays hidden and the previous page stays the active one (and is told so
    // again through its own OnSetActive).
    virtual bool OnSetActive();
    // The page is about to be left. Default: UpdateData(true); false keeps the page.
    virtual bool OnKillActive();
    // 0 moves on, -1 stays.
    virtual int OnWizardBack();
    virtual int OnWizardNext();
    // True lets Finish end the wizard.
    virtual bool OnWizardFinish();
    // The sheet is about to hand one of its commands (Cancel, or a button of its own beside the
    // wizard's) to the dialog that holds it: the page stops the work it has under way, a reading or
    // a polling, and stays the active page. Default: nothing.
    virtual void OnStopWork();
    // A page never ends by itself: Cancel belongs to the sheet. Default: nothing.
    void OnCancel() override;
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
    // Makes the page the active one: creates its window on first use, asks its OnSetActive, and when
    // the page agrees hides the previous page and shows this one. False when the page refused or
    // could not be made; the previous page is then still the active one.
    bool SetActivePage(int index);

    // A child window in the parent's client area at its top-left corner; sized to the largest page.
    bool Create(HWindow parent);
    // Posts the set-wizard-buttons message.
    void SetWizardButtons(int flags);
    int GetWizardButtons() const { return buttons_; }
    CButton GetButton(int id) const { return GetDlgItem(id); }
    // Where the pages sit, in the sheet's client area, in pixels.
    Rect PageArea() const { return pageArea_; }

    // Back, Next and Finish are handled here; Cancel and any other command are left to a derived
    // sheet (false).
    bool OnCommand(int id, Notification code) override;
    void OnPostedMessage(int code, long first, long second) override;
    // The wizard keeps Enter and Escape from its pages: Enter presses Next or Finish, whichever is
    // shown and enabled, and Escape sends Cancel to the sheet.
    bool PreTranslateKey(Key key) override;

protected:
    // The wizard's own navigation; the page decides first through OnWizardBack / OnWizardNext.
    void GoBack();
    void GoNext();
    // Finish: true when the active page agreed.
    bool PressFinish();
    // Hands a command of the sheet to the dialog that holds it, once the active page has stopped
    // its work (OnStopWork); true when that dialog handled it.
    bool PassToOwner(int id, Notification code = Notification::Clicked);

private:
    void ApplyWizardButtons(int flags);
    // The page's template size in pixels (the fonts of the window that holds the sheet).
    Rect PageSize(const CPropertyPage& page, HWindow parent) const;
    // Makes the page area at least width by height: the sheet grows by the difference, its
    // buttons move down with the area's bottom edge and the wizard's four right with its right edge.
    void GrowPageArea(int width, int height);

    std::vector<CPropertyPage*> pages_;
    int active_ = -1;
    int buttons_ = 0;
    Rect pageArea_;
};

}  // namespace ui
