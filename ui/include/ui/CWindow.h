// Handle classes: a non-owning window handle whose every method is one operation of the back-end,
// and one class per control kind with the operations of that kind. They are copied freely; copying
// never creates or destroys a window.
#pragma once

#include <string>

#include "ui/Backend.h"

namespace ui {

class CWindow {
public:
    CWindow(HWindow window = nullptr) : m_hWnd(window) {}  // NOLINT: a handle converts implicitly
    operator HWindow() const { return m_hWnd; }
    bool IsWindow() const { return m_hWnd != nullptr; }

    CWindow GetDlgItem(int id) const { return Backend().GetItem(m_hWnd, id); }
    int GetDlgCtrlID() const { return Backend().GetId(m_hWnd); }
    CWindow GetParent() const { return Backend().GetParent(m_hWnd); }
    void SetWindowText(const std::string& text) const { Backend().SetText(m_hWnd, text); }
    std::string GetWindowText() const { return Backend().GetText(m_hWnd); }
    void EnableWindow(bool enable = true) const { Backend().Enable(m_hWnd, enable); }
    bool IsWindowEnabled() const { return Backend().IsEnabled(m_hWnd); }
    void ShowWindow(bool show) const { Backend().Show(m_hWnd, show); }
    bool IsWindowVisible() const { return Backend().IsVisible(m_hWnd); }
    void MoveWindow(const Rect& rect) const { Backend().Move(m_hWnd, rect); }
    Rect GetWindowRect() const { return Backend().GetRect(m_hWnd); }
    Rect GetClientRect() const { return Backend().GetClientRect(m_hWnd); }
    void SetFont(FontObject* font) const { Backend().SetFont(m_hWnd, font); }
    FontObject* GetFont() const { return Backend().GetFont(m_hWnd); }
    void SetFocus() const { Backend().SetFocus(m_hWnd); }
    void Invalidate() const { Backend().Invalidate(m_hWnd); }
    void SetIcon(int iconId) const { Backend().SetIcon(m_hWnd, iconId); }
    int GetIcon() const { return Backend().GetIcon(m_hWnd); }
    void SetTimer(int id, unsigned milliseconds) const { Backend().SetTimer(m_hWnd, id, milliseconds); }
    void KillTimer(int id) const { Backend().KillTimer(m_hWnd, id); }
    void PostMessage(int code, long first = 0, long second = 0) const {
        Backend().PostMessage(m_hWnd, code, first, second);
    }
    void SetScrollInfo(const ScrollInfo& info) const { Backend().SetScrollInfo(m_hWnd, info); }
    ScrollInfo GetScrollInfo() const { return Backend().GetScrollInfo(m_hWnd); }
    void ShowScrollBar(bool show) const { Backend().ShowScrollBar(m_hWnd, show); }

    HWindow m_hWnd;
};

class CStatic : public CWindow {
public:
    using CWindow::CWindow;
    CStatic(const CWindow& window) : CWindow(window.m_hWnd) {}  // NOLINT: GetDlgItem gives a CWindow
    bool HasImage() const { return Backend().HasImage(m_hWnd); }
    void ClearImage() const { Backend().ClearImage(m_hWnd); }
    void SetCenterVertically(bool centred) const { Backend().SetCenterVertically(m_hWnd, centred); }
};

class CEdit : public CWindow {
public:
    using CWindow::CWindow;
    CEdit(const CWindow& window) : CWindow(window.m_hWnd) {}  // NOLINT: GetDlgItem gives a CWindow
    Point PosFromChar(int index) const { return Backend().PosFromChar(m_hWnd, index); }
};

class CRichEditCtrl : public CWindow {
public:
    using CWindow::CWindow;
    CRichEditCtrl(const CWindow& window) : CWindow(window.m_hWnd) {}  // NOLINT: GetDlgItem gives a CWindow
    // Colours the characters [start, start + length) and makes them bold or regular; until the text
    // is set again. Indexes count a line break as its two characters.
    void SetCharFormat(int start, int length, Color colour, bool bold) const {
        Backend().SetCharFormat(m_hWnd, start, length, CharFormat{colour, bold});
    }
    CharFormat GetCharFormatAt(int index) const { return Backend().GetCharFormatAt(m_hWnd, index); }
};

class CButton : public CWindow {
public:
    using CWindow::CWindow;
    CButton(const CWindow& window) : CWindow(window.m_hWnd) {}  // NOLINT: GetDlgItem gives a CWindow
    void SetCheck(int state) const { Backend().SetCheck(m_hWnd, state); }
    int GetCheck() const { return Backend().GetCheck(m_hWnd); }
};

// The row operations shared by drop-down lists, list boxes and check-list boxes.
class CListControl : public CWindow {
public:
    using CWindow::CWindow;
    CListControl(const CWindow& window) : CWindow(window.m_hWnd) {}  // NOLINT: GetDlgItem gives a CWindow
    int AddString(const std::string& text) const { return Backend().AddString(m_hWnd, text); }
    void ResetContent() const { Backend().ResetContent(m_hWnd); }
    int GetCount() const { return Backend().GetCount(m_hWnd); }
    int GetCurSel() const { return Backend().GetCurSel(m_hWnd); }
    void SetCurSel(int row) const { Backend().SetCurSel(m_hWnd, row); }
    std::string GetText(int row) const { return Backend().GetRowText(m_hWnd, row); }
    // The row whose text equals text without regard to ASCII case; -1 when none.
    int FindStringExact(const std::string& text) const;
};

class CComboBox : public CListControl {
public:
    using CListControl::CListControl;
    CComboBox(const CWindow& window) : CListControl(window.m_hWnd) {}  // NOLINT: GetDlgItem gives a CWindow
};

class CListBox : public CListControl {
public:
    using CListControl::CListControl;
    CListBox(const CWindow& window) : CListControl(window.m_hWnd) {}  // NOLINT: GetDlgItem gives a CWindow
};

class CCheckListBox : public CListControl {
public:
    using CListControl::CListControl;
    CCheckListBox(const CWindow& window)
        : CListControl(window.m_hWnd) {}  // NOLINT: GetDlgItem gives a CWindow
    void SetCheck(int row, bool ticked) const { Backend().SetRowCheck(m_hWnd, row, ticked); }
    bool GetCheck(int row) const { return Backend().GetRowCheck(m_hWnd, row); }
    void Enable(int row, bool enable) const { Backend().EnableRow(m_hWnd, row, enable); }
    bool IsEnabled(int row) const { return Backend().IsRowEnabled(m_hWnd, row); }
};

class CListViewCtrl : public CWindow {
public:
    using CWindow::CWindow;
    CListViewCtrl(const CWindow& window) : CWindow(window.m_hWnd) {}  // NOLINT: GetDlgItem gives a CWindow
    void InsertColumn(int column, const std::string& title, int width,
                      ColumnAlign align = ColumnAlign::Left) const {
        Backend().InsertColumn(m_hWnd, column, title, width, align);
    }
    int GetColumnWidth(int column) const { return Backend().GetColumnWidth(m_hWnd, column); }
    int InsertItem(int row, const std::string& text) const { return Backend().InsertItem(m_hWnd, row, text); }
    void SetItemText(int row, int column, const std::string& text) const {
        Backend().SetItemText(m_hWnd, row, column, text);
    }
    std::string GetItemText(int row, int column) const { return Backend().GetItemText(m_hWnd, row, column); }
    void DeleteAllItems() const { Backend().DeleteAllItems(m_hWnd); }
    int GetItemCount() const { return Backend().GetCount(m_hWnd); }
    int GetCurSel() const { return Backend().GetCurSel(m_hWnd); }
    void SetCurSel(int row) const { Backend().SetCurSel(m_hWnd, row); }
};

class CProgressBarCtrl : public CWindow {
public:
    using CWindow::CWindow;
    CProgressBarCtrl(const CWindow& window) : CWindow(window.m_hWnd) {}  // NOLINT: GetDlgItem gives a CWindow
    void SetRange(int low, int high) const { Backend().SetRange(m_hWnd, low, high); }
    void GetRange(int* low, int* high) const { Backend().GetRange(m_hWnd, low, high); }
    void SetPos(int position) const { Backend().SetPos(m_hWnd, position); }
    int GetPos() const { return Backend().GetPos(m_hWnd); }
    void SetStep(int step) const { Backend().SetStep(m_hWnd, step); }
    void StepIt() const { Backend().StepIt(m_hWnd); }
};

class CSpinButtonCtrl : public CWindow {
public:
    using CWindow::CWindow;
    CSpinButtonCtrl(const CWindow& window) : CWindow(window.m_hWnd) {}  // NOLINT: GetDlgItem gives a CWindow
    void SetRange(int low, int high) const { Backend().SetRange(m_hWnd, low, high); }
    void SetPos(int position) const { Backend().SetPos(m_hWnd, position); }
    int GetPos() const { return Backend().GetPos(m_hWnd); }
};

class CScrollBar : public CWindow {
public:
    using CWindow::CWindow;
    CScrollBar(const CWindow& window) : CWindow(window.m_hWnd) {}  // NOLINT: GetDlgItem gives a CWindow
};

}  // namespace ui
