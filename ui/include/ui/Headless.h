// The headless back-end: every window is an object in memory whose text, state, visibility,
// enablement, font and colours a test can read. Timers run on the process clock (a VirtualClock in
// the tests); a modal loop that waits for input runs the next step of the attached scenario, and
// ends the dialog with Cancel, recording a stray window, when there is none.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ui/Backend.h"

namespace ui {

struct ShownMessageBox {
    std::string text;
    std::string caption;
    BoxButtons buttons;
    BoxIcon icon;
};

struct PaintedLine {
    int x0, y0, x1, y1, width;
    Color color;
};

class HeadlessBackend : public IBackend {
public:
    HeadlessBackend();
    ~HeadlessBackend() override;
    const char* Name() const override { return "headless"; }

    // Inspection.
    FontSpec FontOf(HWindow window);
    Color BrushColor(BrushObject* brush);
    // The colours the window's dialog gives it through the control colouring hook.
    ControlColors ColorsOf(HWindow window);
    int IconOf(HWindow window);
    std::vector<std::pair<int, std::string>> SystemMenuOf(HWindow window);
    std::vector<PaintedLine> PaintedLines(HWindow window);
    const res::ControlTemplate* TemplateOf(HWindow control);
    // The control's style flags now (res::ControlStyle), as the template gave them and later changed.
    std::uint32_t StyleOf(HWindow control);
    std::vector<std::string> ColumnsOf(HWindow view);
    bool IsRunningModal(HWindow window);
    const std::vector<ShownMessageBox>& MessageBoxes() const;
    // Modal loops that ended because nobody gave them input.
    const std::vector<std::string>& StrayModals() const;
    // The answer of a message box when no scenario is attached (default kIdOk, kIdYes for Yes/No).
    void SetMessageBoxAnswer(int answer);
    // Lets time pass: timers fall due in order and run, posted messages are dispatched.
    void AdvanceTime(unsigned milliseconds);
    // Asks the program to quit: PumpMessages answers false from now on.
    void PostQuit();

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
    // No text metrics here: lines break only at line feeds, and a character cell is half as wide as
    // a line is high (the font's height, or for a character height 6/5 of it).
    Point PosFromChar(HWindow edit, int index) override;
    // Formats are kept as runs beside the text; the last run set over a character wins.
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
    Scenario* AttachedScenario() override;
    bool AnswerOpenMessageBox(int answer) override;

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace ui
