// The "Processing" window: a modeless popup with one progress bar, shown while the program talks to
// the printer. It lives as long as somebody holds a reference to it.
#pragma once

#include <cstdint>
#include <string>

#include "dialogs/IProgressCallback.h"
#include "ui/CDialog.h"

class CProgressDialog : public ui::CDialog, public IProgressCallback {
public:
    // Makes the window (hidden; the creator shows it) and hands out the only reference, as the
    // factories of the access objects do. Null when the window cannot be made.
    static CProgressDialog* Open(int maximum, int startPosition, ui::HWindow owner);

    // Makes the window at once; IsWindow() tells whether that worked. The reference count starts
    // at 0, so the object is deleted by the first Release unless somebody took a reference.
    CProgressDialog(int maximum, int startPosition, ui::HWindow owner);

    // IUnknown: every interface id gives this object.
    platform::HResult QueryInterface(const platform::Iid& iid, void** object) override;
    std::int32_t AddRef() override;
    // At 0 or less the window is hidden and destroyed and the object deleted; the result is then 0.
    std::int32_t Release() override;

    // IProgressCallback
    void SetStepCount(int count) override;
    void Step() override;
    void ResetPosition() override;

    // Sets the caption and repaints at once.
    void SetTitle(const std::string& title);

    int GetMaximum() const { return maximum_; }
    int GetStartPosition() const { return startPosition_; }

    bool OnInitDialog() override;
    ui::ControlColors OnCtlColor(ui::HWindow control, ui::ColorTarget target) override;
    // The window has no buttons: Enter and Escape must not close it under a running exchange.
    bool PreTranslateKey(ui::Key key) override;

protected:
    ~CProgressDialog() override;

private:
    ui::CProgressBarCtrl bar_;
    int maximum_;
    int startPosition_;
    std::int32_t references_ = 0;
};
