// The technician's input as the scripted technician gives it, through the controls' own messages.
// Nothing of the product calls these.
#include "NativeWindows.h"

#include <commctrl.h>

namespace ui::win32 {

void Win32Backend::SimulateClick(HWindow control) {
    // The mouse never reaches a disabled or hidden control; BM_CLICK itself would click it anyway.
    // Only the control's own flags count, so that a dialog not yet shown can be driven.
    HWND native = Native(control);
    if (native == nullptr || !IsWindowEnabled(native) ||
        (GetWindowLongA(native, GWL_STYLE) & WS_VISIBLE) == 0) {
        return;
    }
    ::SetFocus(native);
    SendMessageA(native, BM_CLICK, 0, 0);
}

void Win32Backend::SimulateType(HWindow edit, const std::string& text) {
    HWND native = Native(edit);
    ::SetFocus(native);
    SetWindowTextA(native, text.c_str());
    // A one-line box tells of a new text itself; a multi-line box only of typed keys, which the text
    // set here stands for.
    if (KindOf(native) == Kind::Edit && (GetWindowLongA(native, GWL_STYLE) & ES_MULTILINE) != 0) {
        SendMessageA(::GetParent(native), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(native), EN_CHANGE),
                     reinterpret_cast<LPARAM>(native));
    }
}

void Win32Backend::SimulateSelect(HWindow list, int row) {
    HWND native = Native(list);
    ::SetFocus(native);
    SetCurSel(list, row);
    const Kind kind = KindOf(native);
    if (kind == Kind::Combo || kind == Kind::List) {
        const WORD code = kind == Kind::Combo ? CBN_SELCHANGE : LBN_SELCHANGE;
        SendMessageA(::GetParent(native), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(native), code),
                     reinterpret_cast<LPARAM>(native));
    }
}

void Win32Backend::SimulateDoubleClick(HWindow list, int row) {
    SimulateSelect(list, row);
    HWND native = Native(list);
    if (KindOf(native) == Kind::List) {
        SendMessageA(::GetParent(native), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(native), LBN_DBLCLK),
                     reinterpret_cast<LPARAM>(native));
    } else if (KindOf(native) == Kind::ListView) {
        NMITEMACTIVATE activate = {};
        activate.hdr = {native, static_cast<UINT_PTR>(GetDlgCtrlID(native)), static_cast<UINT>(NM_DBLCLK)};
        activate.iItem = row;
        SendMessageA(::GetParent(native), WM_NOTIFY, activate.hdr.idFrom,
                     reinterpret_cast<LPARAM>(&activate));
    }
}

void Win32Backend::SimulateRowCheck(HWindow list, int row, bool ticked) {
    SetRowCheck(list, row, ticked);
}

void Win32Backend::SimulateKey(HWindow focus, Key key) {
    const WPARAM code = key == Key::Enter ? VK_RETURN : key == Key::Escape ? VK_ESCAPE : VK_TAB;
    ::PostMessageA(Native(focus), WM_KEYDOWN, code, 0);
}

void Win32Backend::SimulateClose(HWindow window) {
    ::PostMessageA(Native(window), WM_SYSCOMMAND, SC_CLOSE, 0);
}

void Win32Backend::SimulateSysCommand(HWindow window, int command) {
    ::PostMessageA(Native(window), WM_SYSCOMMAND, static_cast<WPARAM>(command), 0);
}

}  // namespace ui::win32
