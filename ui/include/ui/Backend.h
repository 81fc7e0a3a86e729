// The one table of operations every UI back-end implements: real windows (win32) or in-memory
// controls (headless). The handle classes of CWindow.h call these; nothing else does.
//
// Unless said otherwise an operation returns at once. RunModal and MessageBox block until the
// dialog or box ends, dispatching messages meanwhile; PumpMessages never blocks. A null or foreign
// handle is ignored (getters answer 0, false or an empty text), as the Win32 functions do.
#pragma once

#include <string>
#include <vector>

#include "res/DialogTemplate.h"
#include "ui/Types.h"

namespace ui {

class CDialog;
class Scenario;

// Painting of a window's own surface (the sequence pane's connecting lines).
class IPainter {
public:
    virtual ~IPainter() = default;
    virtual void FillRect(const Rect& rect, Color color) = 0;
    virtual void DrawLine(int x0, int y0, int x1, int y1, int width, Color color) = 0;
};

// How a character of a rich edit control is drawn.
struct CharFormat {
    Color colour;  // black unless set
    bool bold = false;
    bool operator==(const CharFormat&) const = default;
};

class IBackend {
public:
    virtual ~IBackend() = default;
    virtual const char* Name() const = 0;

    // Dialogs. A Child or Page template makes a child of parent; the others top-level windows
    // owned by parent. The dialog receives OnInitDialog before Create returns. Null on failure.
    virtual HWindow CreateDialogWindow(CDialog& dialog, const res::DialogTemplate& form, HWindow parent) = 0;
    // A new empty child dialog of the given size in pixels (the property sheet's frame).
    virtual HWindow CreateEmptyChild(CDialog& dialog, HWindow parent, int width, int height) = 0;
    // Shows the dialog modally, disabling its owner; returns the value given to EndDialog.
    virtual int RunModal(CDialog& dialog, const res::DialogTemplate& form, HWindow owner) = 0;
    virtual void EndDialog(HWindow dialog, int result) = 0;
    virtual void DestroyWindow(HWindow window) = 0;
    virtual CDialog* DialogOf(HWindow window) = 0;

    // Windows and controls.
    virtual HWindow GetItem(HWindow dialog, int id) = 0;
    virtual int GetId(HWindow window) = 0;
    virtual HWindow GetParent(HWindow window) = 0;
    virtual std::vector<HWindow> GetChildren(HWindow window) = 0;
    // Every top-level window of the program, hidden ones included (on Windows, those of this thread).
    virtual std::vector<HWindow> GetTopLevelWindows() = 0;
    virtual void SetText(HWindow window, const std::string& text) = 0;
    virtual std::string GetText(HWindow window) = 0;
    virtual void Enable(HWindow window, bool enable) = 0;
    virtual bool IsEnabled(HWindow window) = 0;
    virtual void Show(HWindow window, bool show) = 0;
    virtual bool IsVisible(HWindow window) = 0;  // the window's own visibility flag
    // Position in the parent's client area (the screen for top-level windows), in pixels.
    virtual void Move(HWindow window, const Rect& rect) = 0;
    virtual Rect GetRect(HWindow window) = 0;  // in the parent's client area or on the screen
    virtual Rect GetClientRect(HWindow window) = 0;
    // The window size whose client area has the given size.
    virtual Rect ClientToWindowSize(HWindow window, int width, int height) = 0;
    virtual Rect GetScreenRect() = 0;
    virtual Rect MapDialogRect(HWindow dialog, const Rect& dialogUnits) = 0;
    virtual void SetFont(HWindow window, FontObject* font) = 0;
    virtual FontObject* GetFont(HWindow window) = 0;
    // A window that is disabled, or inside a disabled one, does not take the focus; disabling the
    // window that has it leaves no window with the focus.
    virtual void SetFocus(HWindow window) = 0;
    virtual HWindow GetFocus() = 0;
    virtual void Invalidate(HWindow window) = 0;
    // A dialog's title-bar icon, or the image of an icon static. GetIcon answers the icon id the
    // window shows, 0 when it shows none (an id the program has no icon for shows none).
    virtual void SetIcon(HWindow window, int iconId) = 0;
    virtual int GetIcon(HWindow window) = 0;
    virtual void AddControlParentStyle(HWindow window) = 0;
    // A separator (empty text) or a command at the end of the window's system menu.
    virtual void AppendSystemMenu(HWindow window, int command, const std::string& text) = 0;
    // A push button created at run time (the property sheet's extra buttons).
    virtual HWindow CreateButton(HWindow parent, int id, const std::string& text, const Rect& rect) = 0;

    // Buttons and check boxes: 0 clear, 1 ticked.
    virtual void SetCheck(HWindow button, int state) = 0;
    virtual int GetCheck(HWindow button) = 0;

    // Combo boxes, list boxes and check-list boxes. Rows keep the order of adding (never sorted).
    virtual int AddString(HWindow list, const std::string& text) = 0;  // the new row, -1 on failure
    virtual void ResetContent(HWindow list) = 0;
    virtual int GetCount(HWindow list) = 0;   // rows; for a list view its items
    virtual int GetCurSel(HWindow list) = 0;  // -1 when none
    // -1 clears. A row beyond the end leaves a list box's selection as it was and clears that of a
    // list view. A drop-down list's window text is the text of its selected row.
    virtual void SetCurSel(HWindow list, int row) = 0;
    virtual std::string GetRowText(HWindow list, int row) = 0;
    virtual void SetRowCheck(HWindow list, int row, bool ticked) = 0;
    virtual bool GetRowCheck(HWindow list, int row) = 0;
    virtual void EnableRow(HWindow list, int row, bool enable) = 0;
    virtual bool IsRowEnabled(HWindow list, int row) = 0;

    // List views in report mode. Rows inserted above the selected one move it down with its row.
    virtual void InsertColumn(HWindow view, int column, const std::string& title, int width,
                              ColumnAlign align) = 0;
    virtual int GetColumnWidth(HWindow view, int column) = 0;  // pixels, 0 for no such column
    virtual int InsertItem(HWindow view, int row, const std::string& text) = 0;  // the row, or -1
    virtual void SetItemText(HWindow view, int row, int column, const std::string& text) = 0;
    virtual std::string GetItemText(HWindow view, int row, int column) = 0;
    virtual void DeleteAllItems(HWindow view) = 0;

    // Progress bars and spin controls: a range and a position; progress bars also step.
    virtual void SetRange(HWindow control, int low, int high) = 0;
    virtual void GetRange(HWindow control, int* low, int* high) = 0;
    virtual void SetPos(HWindow control, int position) = 0;
    virtual int GetPos(HWindow control) = 0;
    virtual void SetStep(HWindow control, int step) = 0;
    virtual void StepIt(HWindow control) = 0;

    // The window's own vertical scroll bar, or a scroll bar control.
    virtual void SetScrollInfo(HWindow window, const ScrollInfo& info) = 0;
    virtual ScrollInfo GetScrollInfo(HWindow window) = 0;
    virtual void ShowScrollBar(HWindow window, bool show) = 0;
    virtual bool IsScrollBarVisible(HWindow window) = 0;

    // Picture frames: whether one holds an image, and dropping it.
    virtual bool HasImage(HWindow frame) = 0;
    virtual void ClearImage(HWindow frame) = 0;
    // Text labels: whether a one-line text is drawn centred between top and bottom. A centred label
    // draws its text on one line, so a text with line breaks needs it off.
    virtual void SetCenterVertically(HWindow label, bool centred) = 0;
    // Edit boxes: the top-left corner of a character's cell in the box's client area, in pixels, as
    // the box breaks and scrolls its text now; (-1, -1) for an index beyond the text.
    virtual Point PosFromChar(HWindow edit, int index) = 0;
    // Rich edit controls: the colour and weight of characters [start, start + length), and how the
    // character at index is drawn (the default format beyond the text). Indexes count the text as
    // the program set it, a line break's carriage return and line feed as two. A new text drops
    // every format set before.
    virtual void SetCharFormat(HWindow edit, int start, int length, const CharFormat& format) = 0;
    virtual CharFormat GetCharFormatAt(HWindow edit, int index) = 0;

    // Window timers: OnTimer(id) each time the period has passed, until killed.
    virtual void SetTimer(HWindow window, int id, unsigned milliseconds) = 0;
    virtual void KillTimer(HWindow window, int id) = 0;
    // Queues OnPostedMessage(code, first, second) for the window's dialog.
    virtual void PostMessage(HWindow window, int code, long first, long second) = 0;

    // Blocks until the technician answers; returns kIdOk, kIdCancel, kIdYes or kIdNo.
    virtual int MessageBox(HWindow owner, const std::string& text, const std::string& caption,
                           BoxButtons buttons, BoxIcon icon) = 0;

    // Dispatches what is waiting (posted messages, due timers, input); false once the program was
    // asked to quit.
    virtual bool PumpMessages() = 0;

    virtual FontObject* CreateFont(const FontSpec& spec) = 0;
    virtual void DeleteFont(FontObject* font) = 0;
    // The face, height, weight, italic and underline the font was made with; empty for null.
    virtual FontSpec DescribeFont(FontObject* font) = 0;
    virtual BrushObject* CreateSolidBrush(Color color) = 0;
    virtual void DeleteBrush(BrushObject* brush) = 0;

    // The technician's input, as the scripted technician gives it: each goes through the same
    // decoding as a real click or key would. A control that is disabled or hidden (its own flags;
    // the dialog around it need not be shown) takes no click.
    virtual void SimulateClick(HWindow control) = 0;
    virtual void SimulateType(HWindow edit, const std::string& text) = 0;
    virtual void SimulateSelect(HWindow list, int row) = 0;
    virtual void SimulateDoubleClick(HWindow list, int row) = 0;
    virtual void SimulateRowCheck(HWindow list, int row, bool ticked) = 0;
    virtual void SimulateKey(HWindow focus, Key key) = 0;
    virtual void SimulateClose(HWindow window) = 0;
    virtual void SimulateSysCommand(HWindow window, int command) = 0;

    // The scenario that drives this back-end's modal loops, or null.
    virtual void AttachScenario(Scenario* scenario) = 0;
    virtual Scenario* AttachedScenario() = 0;
    // Answers the message box that is open now (real windows only; the headless box asks the
    // scenario itself). False when no box is open.
    virtual bool AnswerOpenMessageBox(int answer) = 0;
};

// The back-end in use. The Windows program uses win32; the native build has only headless.
IBackend& Backend();
void SetBackend(IBackend* backend);

class ScopedBackend {
public:
    explicit ScopedBackend(IBackend& backend);
    ~ScopedBackend();
    ScopedBackend(const ScopedBackend&) = delete;
    ScopedBackend& operator=(const ScopedBackend&) = delete;

private:
    IBackend* previous_;
};

}  // namespace ui
