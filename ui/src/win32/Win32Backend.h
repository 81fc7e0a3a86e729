// The real windows of the product: every operation of the table is one Win32 call or message.
// The operations are kept in files by what they touch: dialogs and their loops (Win32Backend.cpp),
// the dialog procedure (Win32DialogMessages.cpp), windows (Win32Windows.cpp), buttons and lists
// (Win32Lists.cpp), ranges and pictures (Win32Ranges.cpp), fonts, brushes and icons (Win32Gdi.cpp),
// timers and message boxes (Win32MessageLoop.cpp); the technician's simulated input
// (Win32Input.cpp) and the scripted technician (Win32Scenario.cpp) stand apart from them.
#pragma once

#include <windows.h>
// The framework's operations carry the plain names that <windows.h> turns into macros.
#undef CreateFont
#undef GetWindowText
#undef MessageBox
#undef PostMessage
#undef SetWindowText

#include <map>
#include <string>
#include <vector>

#include "ui/Backend.h"

namespace ui::win32 {

class Win32Backend : public IBackend {
public:
    Win32Backend();
    const char* Name() const override { return "win32"; }

    // IBackend
    HWindow CreateDialogWindow(CDialog& dialog, const res::DialogTemplate& form, HWindow parent) override;
    HWindow CreateEmptyChild(CDialog& dialog, HWindow parent, int width, int height) override;
    int RunModal(CDialog& dialog, const res::DialogTemplate& form, HWindow owner) override;
    void EndDialog(HWindow dialog, int result) override;
    void DestroyWindow(HWindow window) override;
    CDialog* DialogOf(HWindow window) override;
    HWindow GetItem(HWindow dialog, int id) override;
    int GetId(HWindow window) override;
    HWindow GetParent(HWindow window) override;
    std::vector<HWindow> GetChildren(HWindow window) override;
    std::vector<HWindow> GetTopLevelWindows() override;
    void SetText(HWindow window, const std::string& text) override;
    std::string GetText(HWindow window) override;
    void Enable(HWindow window, bool enable) override;
    bool IsEnabled(HWindow window) override;
    void Show(HWindow window, bool show) override;
    bool IsVisible(HWindow window) override;
    void Move(HWindow window, const Rect& rect) override;
    Rect GetRect(HWindow window) override;
    Rect GetClientRect(HWindow window) override;
    Rect ClientToWindowSize(HWindow window, int width, int height) override;
    Rect GetScreenRect() override;
    Rect MapDialogRect(HWindow dialog, const Rect& dialogUnits) override;
    void SetFont(HWindow window, FontObject* font) override;
    FontObject* GetFont(HWindow window) override;
    void SetFocus(HWindow window) override;
    HWindow GetFocus() override;
    void Invalidate(HWindow window) override;
    void SetIcon(HWindow window, int iconId) override;
    int GetIcon(HWindow window) override;
    void AddControlParentStyle(HWindow window) override;
    void AppendSystemMenu(HWindow window, int command, const std::string& text) override;
    HWindow CreateButton(HWindow parent, int id, const std::string& text, const Rect& rect) override;
    void SetCheck(HWindow button, int state) override;
    int GetCheck(HWindow button) override;
    int AddString(HWindow list, const std::string& text) override;
    void ResetContent(HWindow list) override;
    int GetCount(HWindow list) override;
    int GetCurSel(HWindow list) override;
    void SetCurSel(HWindow list, int row) override;
    std::string GetRowText(HWindow list, int row) override;
    void SetRowCheck(HWindow list, int row, bool ticked) override;
    bool GetRowCheck(HWindow list, int row) override;
    void EnableRow(HWindow list, int row, bool enable) override;
    bool IsRowEnabled(HWindow list, int row) override;
    void InsertColumn(HWindow view, int column, const std::string& title, int width,
                      ColumnAlign align) override;
    int GetColumnWidth(HWindow view, int column) override;
    int InsertItem(HWindow view, int row, const std::string& text) override;
    void SetItemText(HWindow view, int row, int column, const std::string& text) override;
    std::string GetItemText(HWindow view, int row, int column) override;
    void DeleteAllItems(HWindow view) override;
    void SetRange(HWindow control, int low, int high) override;
    void GetRange(HWindow control, int* low, int* high) override;
    void SetPos(HWindow control, int position) override;
    int GetPos(HWindow control) override;
    void SetStep(HWindow control, int step) override;
    void StepIt(HWindow control) override;
    void SetScrollInfo(HWindow window, const ScrollInfo& info) override;
    ScrollInfo GetScrollInfo(HWindow window) override;
    void ShowScrollBar(HWindow window, bool show) override;
    bool IsScrollBarVisible(HWindow window) override;
    bool HasImage(HWindow frame) override;
    void ClearImage(HWindow frame) override;
    void SetCenterVertically(HWindow label, bool centred) override;
    Point PosFromChar(HWindow edit, int index) override;
    void SetCharFormat(HWindow edit, int start, int length, const CharFormat& format) override;
    CharFormat GetCharFormatAt(HWindow edit, int index) override;
    void SetTimer(HWindow window, int id, unsigned milliseconds) override;
    void KillTimer(HWindow window, int id) override;
    void PostMessage(HWindow window, int code, long first, long second) override;
    int MessageBox(HWindow owner, const std::string& text, const std::string& caption, BoxButtons buttons,
                   BoxIcon icon) override;
    bool PumpMessages() override;
    FontObject* CreateFont(const FontSpec& spec) override;
    void DeleteFont(FontObject* font) override;
    FontSpec DescribeFont(FontObject* font) override;
    BrushObject* CreateSolidBrush(Color color) override;
    void DeleteBrush(BrushObject* brush) override;
    void SimulateClick(HWindow control) override;
    void SimulateType(HWindow edit, const std::string& text) override;
    void SimulateSelect(HWindow list, int row) override;
    void SimulateDoubleClick(HWindow list, int row) override;
    void SimulateRowCheck(HWindow list, int row, bool ticked) override;
    void SimulateKey(HWindow focus, Key key) override;
    void SimulateClose(HWindow window) override;
    void SimulateSysCommand(HWindow window, int command) override;
    void AttachScenario(Scenario* scenario) override;
    Scenario* AttachedScenario() override { return scenario_; }
    bool AnswerOpenMessageBox(int answer) override;

    // Entry points of the window procedure and the scenario timer.
    INT_PTR HandleDialogMessage(HWND window, UINT message, WPARAM first, LPARAM second);
    void RunScenarioTick();

private:
    struct ModalState {
        bool ended = false;
        int result = 0;
    };
    // Offers Enter and Escape to our dialogs, then the dialog manager; false: dispatch it.
    bool TranslateDialogMessage(MSG& message);
    // Makes the dialog's template into a window; the template stays at hand for WM_INITDIALOG.
    HWND CreateFromTemplate(CDialog& dialog, const res::DialogTemplate* form, const std::vector<WORD>& bytes,
                            HWND parent);
    // What the dialog template cannot say: list-view styles and columns, the icons of icon statics.
    void PrepareControls(HWND window);
    HICON IconFor(int id);
    HWND OpenMessageBox();

    std::map<HWND, ModalState> modals_;
    // The template of the dialog being created, for its WM_INITDIALOG.
    const res::DialogTemplate* creatingForm_ = nullptr;
    std::map<int, HICON> icons_;
    Scenario* scenario_ = nullptr;
    UINT_PTR scenarioTimer_ = 0;
    DWORD waitUntil_ = 0;
    DWORD answerSince_ = 0;
};

}  // namespace ui::win32
