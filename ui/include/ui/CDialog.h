// The implementation layer: a dialog made from a template, whose back-end decodes each window
// event once into the named handler below. Concrete dialogs override the handlers they need.
#pragma once

#include <string>
#include <vector>

#include "ui/CWindow.h"

namespace ui {

class CDataExchange;

class CDialog : public CWindow {
public:
    explicit CDialog(int templateId);
    // The window must be gone before the object goes (DestroyWindow, the end of DoModal, the parent
    // window going): here only CDialog's own handlers could run. A class whose window lives as long
    // as the object destroys it in its own destructor. A window that still exists here stops a debug
    // build (debug output, then an assertion); a release build destroys it quietly.
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    int GetTemplateId() const { return templateId_; }

    // A modeless window (a child for Child and Page templates). False when it cannot be made.
    bool Create(HWindow parent);
    // Runs the dialog modally; the result given to EndDialog, -1 when the window cannot be made.
    int DoModal(HWindow owner = nullptr);
    // Ends a modal dialog with the result; a modeless one is hidden.
    void EndDialog(int result);
    void DestroyWindow();
    bool IsModal() const { return modal_; }

    // Moves values between the controls and the members through DoDataExchange; false when a
    // value did not validate.
    bool UpdateData(bool saveAndValidate = true);

    // Handlers, in the framework's names. What each default does, and what a return value means,
    // is written beside it.

    // After the controls exist. Default: UpdateData(false). True: the framework sets the focus.
    virtual bool OnInitDialog();
    virtual void DoDataExchange(CDataExchange* exchange);
    // Default OK: UpdateData(true), then EndDialog(kIdOk) when the data validated.
    virtual void OnOK();
    // Default Cancel: EndDialog(kIdCancel).
    virtual void OnCancel();
    // Every command of a control, of a menu or of a key. Default: clicking kIdOk calls OnOK and
    // kIdCancel OnCancel, and both are handled. True: the command was handled and goes no further
    // (a dialog procedure's TRUE). False: the dialog leaves it; the one sent for Enter or Escape then
    // goes on to the dialogs outside this one (see PreTranslateKey), and on real windows the dialog
    // manager's default processing follows.
    virtual bool OnCommand(int id, Notification code);
    virtual void OnTimer(int id);
    virtual void OnPostedMessage(int code, long first, long second);
    // The close box. Default: OnCancel.
    virtual void OnClose();
    // The window is about to go; its controls still exist. Runs for the dialog's own class whenever
    // the window goes while the object is whole: DestroyWindow, the parent window going, the end of
    // DoModal, or the derived destructor that destroys the window (see ~CDialog).
    virtual void OnDestroy();
    virtual void OnSysCommand(int id);
    // The window was enabled or disabled (a modal dialog above it, say).
    virtual void OnEnable(bool enabled);
    // The window's own vertical scroll bar (bar null) or a scroll bar control.
    virtual void OnVScroll(ScrollRequest request, int position, HWindow bar);
    virtual void OnPaint(IPainter& painter);
    // The control colouring hook: the colours of one control about to be drawn. Default: the
    // system's colours.
    virtual ControlColors OnCtlColor(HWindow control, ColorTarget target);
    // Enter and Escape, offered to every dialog from the focus outwards. Default: Enter sends the
    // command kIdOk and Escape kIdCancel to this dialog, and the key was used when OnCommand handled
    // the command. True: the key was used and goes no further; false offers it to the next dialog
    // out.
    virtual bool PreTranslateKey(Key key);

    // Entry points of the back-ends.
    void HandleCreated(HWindow window);
    void HandleInitDialog();
    bool HandleCommand(int id, Notification code) { return OnCommand(id, code); }
    void HandleDestroyed();

protected:
    // Makes a window without a template (the property sheet).
    bool CreateEmpty(HWindow parent, int width, int height);

private:
    int templateId_;
    bool modal_ = false;
};

// Sends a command to the dialog of a window at once, as a control click would; true when that
// dialog's OnCommand handled it (false as well when the window has no dialog).
bool SendCommand(HWindow dialog, int id, Notification code = Notification::Clicked);
// Offers a key to the dialogs from the given window outwards; true when one used it.
bool RouteKey(HWindow from, Key key);
// The innermost modal dialog running now; null when none.
CDialog* ActiveModalDialog();
// Every dialog that has a window now, oldest first.
std::vector<CDialog*> LiveDialogs();

// A system message box. The answer is kIdOk, kIdCancel, kIdYes or kIdNo.
int MessageBox(HWindow owner, const std::string& text, const std::string& caption,
               BoxButtons buttons = BoxButtons::Ok, BoxIcon icon = BoxIcon::None);

// Dispatches what waits without blocking; false once the program was asked to quit.
bool PumpWaitingMessages();

}  // namespace ui
