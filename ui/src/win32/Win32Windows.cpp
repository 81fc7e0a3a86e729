// Windows and controls in general: ids, the family, texts, enabling, visibility, position, focus.
#include <algorithm>
#include <string>
#include <vector>

#include "NativeWindows.h"

namespace ui::win32 {

HWindow Win32Backend::GetItem(HWindow dialog, int id) {
    return Native(dialog) != nullptr ? Ours(GetDlgItem(Native(dialog), id)) : nullptr;
}

int Win32Backend::GetId(HWindow window) {
    return Native(window) != nullptr ? GetDlgCtrlID(Native(window)) : 0;
}

HWindow Win32Backend::GetParent(HWindow window) {
    HWND native = Native(window);
    if (native == nullptr || (GetWindowLongA(native, GWL_STYLE) & WS_CHILD) == 0) {
        return nullptr;
    }
    return Ours(::GetParent(native));
}

std::vector<HWindow> Win32Backend::GetChildren(HWindow window) {
    std::vector<HWindow> children;
    if (Native(window) != nullptr) {
        for (HWND child : DirectChildren(Native(window))) {
            children.push_back(Ours(child));
        }
    }
    return children;
}

std::vector<HWindow> Win32Backend::GetTopLevelWindows() {
    std::vector<HWindow> windows;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM found) -> BOOL {
            reinterpret_cast<std::vector<HWindow>*>(found)->push_back(Ours(window));
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

void Win32Backend::SetText(HWindow window, const std::string& text) {
    SetWindowTextA(Native(window), text.c_str());
    // The new text would take the format of the old text's first character.
    if (IsRichEdit(Native(window))) {
        ClearCharFormats(Native(window));
    }
}

std::string Win32Backend::GetText(HWindow window) {
    const int length = GetWindowTextLengthA(Native(window));
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(Native(window), text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return text;
}

void Win32Backend::Enable(HWindow window, bool enable) {
    EnableWindow(Native(window), enable ? TRUE : FALSE);
}

bool Win32Backend::IsEnabled(HWindow window) {
    return Native(window) != nullptr && IsWindowEnabled(Native(window)) != 0;
}

void Win32Backend::Show(HWindow window, bool show) {
    ShowWindow(Native(window), show ? SW_SHOW : SW_HIDE);
}

bool Win32Backend::IsVisible(HWindow window) {
    return Native(window) != nullptr && (GetWindowLongA(Native(window), GWL_STYLE) & WS_VISIBLE) != 0;
}

void Win32Backend::Move(HWindow window, const Rect& rect) {
    MoveWindow(Native(window), rect.left, rect.top, rect.Width(), rect.Height(), TRUE);
}

Rect Win32Backend::GetRect(HWindow window) {
    RECT area = {};
    HWND native = Native(window);
    GetWindowRect(native, &area);
    if (HWND parent = Native(GetParent(window))) {
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
    }
    return {area.left, area.top, area.right, area.bottom};
}

Rect Win32Backend::GetClientRect(HWindow window) {
    RECT area = {};
    ::GetClientRect(Native(window), &area);
    return {area.left, area.top, area.right, area.bottom};
}

Rect Win32Backend::ClientToWindowSize(HWindow window, int width, int height) {
    RECT area = {0, 0, width, height};
    HWND native = Native(window);
    AdjustWindowRectEx(&area, static_cast<DWORD>(GetWindowLongA(native, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(native, GWL_EXSTYLE)));
    return {0, 0, area.right - area.left, area.bottom - area.top};
}

Rect Win32Backend::GetScreenRect() {
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

Rect Win32Backend::MapDialogRect(HWindow dialog, const Rect& units) {
    RECT area = {units.left, units.top, units.right, units.bottom};
    if (Native(dialog) != nullptr && DialogOfNative(Native(dialog)) != nullptr) {
        ::MapDialogRect(Native(dialog), &area);
    } else {
        const LONG base = GetDialogBaseUnits();
        area = {MulDiv(units.left, LOWORD(base), 4), MulDiv(units.top, HIWORD(base), 8),
                MulDiv(units.right, LOWORD(base), 4), MulDiv(units.bottom, HIWORD(base), 8)};
    }
    return {area.left, area.top, area.right, area.bottom};
}

void Win32Backend::SetFocus(HWindow window) {
    ::SetFocus(Native(window));
}

HWindow Win32Backend::GetFocus() {
    return Ours(::GetFocus());
}

void Win32Backend::Invalidate(HWindow window) {
    InvalidateRect(Native(window), nullptr, TRUE);
    UpdateWindow(Native(window));
}

void Win32Backend::AddControlParentStyle(HWindow window) {
    HWND native = Native(window);
    SetWindowLongA(native, GWL_EXSTYLE, GetWindowLongA(native, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
}

void Win32Backend::AppendSystemMenu(HWindow window, int command, const std::string& text) {
    HMENU menu = GetSystemMenu(Native(window), FALSE);
    if (menu == nullptr) {
        return;
    }
    if (text.empty()) {
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    } else {
        AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(command), text.c_str());
    }
}

HWindow Win32Backend::CreateButton(HWindow parent, int id, const std::string& text, const Rect& rect) {
    HWND button = CreateWindowExA(
        0, "BUTTON", text.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, rect.left, rect.top,
        rect.Width(), rect.Height(), Native(parent), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
        GetModuleHandleA(nullptr), nullptr);
    SendMessageA(button, WM_SETFONT, SendMessageA(Native(parent), WM_GETFONT, 0, 0), FALSE);
    return Ours(button);
}

}  // namespace ui::win32
