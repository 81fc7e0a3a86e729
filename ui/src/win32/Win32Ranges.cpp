// Progress bars, spin controls, scroll bars, picture frames, labels, the character positions of
// edit boxes and the character formats of rich edit controls.
#include "DialogTemplateBuilder.h"
#include "NativeWindows.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <string>

namespace ui::win32 {

void Win32Backend::SetRange(HWindow control, int low, int high) {
    HWND native = Native(control);
    if (KindOf(native) == Kind::Spin) {
        SendMessageA(native, UDM_SETRANGE32, static_cast<WPARAM>(low), static_cast<LPARAM>(high));
    } else {
        SendMessageA(native, PBM_SETRANGE32, static_cast<WPARAM>(low), static_cast<LPARAM>(high));
    }
}

void Win32Backend::GetRange(HWindow control, int* low, int* high) {
    HWND native = Native(control);
    if (KindOf(native) == Kind::Spin) {
        SendMessageA(native, UDM_GETRANGE32, reinterpret_cast<WPARAM>(low), reinterpret_cast<LPARAM>(high));
    } else {
        PBRANGE range = {};
        SendMessageA(native, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
        *low = range.iLow;
        *high = range.iHigh;
    }
}

void Win32Backend::SetPos(HWindow control, int position) {
    HWND native = Native(control);
    SendMessageA(native, KindOf(native) == Kind::Spin ? UDM_SETPOS32 : PBM_SETPOS,
                 KindOf(native) == Kind::Spin ? 0 : static_cast<WPARAM>(position),
                 KindOf(native) == Kind::Spin ? static_cast<LPARAM>(position) : 0);
}

int Win32Backend::GetPos(HWindow control) {
    HWND native = Native(control);
    return static_cast<int>(
        SendMessageA(native, KindOf(native) == Kind::Spin ? UDM_GETPOS32 : PBM_GETPOS, 0, 0));
}

void Win32Backend::SetStep(HWindow control, int step) {
    SendMessageA(Native(control), PBM_SETSTEP, static_cast<WPARAM>(step), 0);
}

void Win32Backend::StepIt(HWindow control) {
    SendMessageA(Native(control), PBM_STEPIT, 0, 0);
}

void Win32Backend::SetScrollInfo(HWindow window, const ScrollInfo& info) {
    HWND native = Native(window);
    SCROLLINFO native_info = {sizeof(SCROLLINFO),
                              SIF_RANGE | SIF_PAGE | SIF_POS,
                              info.minimum,
                              info.maximum,
                              static_cast<UINT>(info.page),
                              info.position,
                              0};
    ::SetScrollInfo(native, KindOf(native) == Kind::ScrollBar ? SB_CTL : SB_VERT, &native_info, TRUE);
}

ScrollInfo Win32Backend::GetScrollInfo(HWindow window) {
    HWND native = Native(window);
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    ::GetScrollInfo(native, KindOf(native) == Kind::ScrollBar ? SB_CTL : SB_VERT, &info);
    return {info.nMin, info.nMax, static_cast<int>(info.nPage), info.nPos};
}

void Win32Backend::ShowScrollBar(HWindow window, bool show) {
    ::ShowScrollBar(Native(window), SB_VERT, show ? TRUE : FALSE);
}

bool Win32Backend::IsScrollBarVisible(HWindow window) {
    return (GetWindowLongA(Native(window), GWL_STYLE) & WS_VSCROLL) != 0;
}

bool Win32Backend::HasImage(HWindow frame) {
    return SendMessageA(Native(frame), STM_GETIMAGE, IMAGE_ENHMETAFILE, 0) != 0;
}

void Win32Backend::ClearImage(HWindow frame) {
    HENHMETAFILE old =
        reinterpret_cast<HENHMETAFILE>(SendMessageA(Native(frame), STM_SETIMAGE, IMAGE_ENHMETAFILE, 0));
    if (old != nullptr) {
        DeleteEnhMetaFile(old);
    }
}

void Win32Backend::SetCenterVertically(HWindow label, bool centred) {
    HWND native = Native(label);
    const LONG_PTR style = GetWindowLongPtrA(native, GWL_STYLE);
    SetWindowLongPtrA(native, GWL_STYLE,
                      centred ? (style | SS_CENTERIMAGE) : (style & ~static_cast<LONG_PTR>(SS_CENTERIMAGE)));
    InvalidateRect(native, nullptr, TRUE);
}

Point Win32Backend::PosFromChar(HWindow edit, int index) {
    HWND native = Native(edit);
    if (native == nullptr || index < 0 || index >= GetWindowTextLengthA(native)) {
        return {-1, -1};
    }
    // A multi-line box answers the corner as two signed 16-bit values.
    const LRESULT corner = SendMessageA(native, EM_POSFROMCHAR, static_cast<WPARAM>(index), 0);
    return {static_cast<short>(LOWORD(corner)), static_cast<short>(HIWORD(corner))};
}

namespace {}  // namespace

bool IsRichEdit(HWND native) {
    char name[32] = {};
    return native != nullptr && GetClassNameA(native, name, sizeof name) > 0 &&
           lstrcmpiA(name, kRichEditClass) == 0;
}

void ClearCharFormats(HWND native) {
    CHARFORMAT2A plain = {};
    plain.cbSize = sizeof plain;
    plain.dwMask = CFM_COLOR | CFM_BOLD;
    plain.dwEffects = CFE_AUTOCOLOR;
    SendMessageA(native, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&plain));
}

namespace {

// A rich edit control keeps a line break as one character; the program counts the carriage return
// and line feed it set. Clipped to the text.
LONG NativeIndex(const std::string& text, int index) {
    const std::size_t end = std::min(static_cast<std::size_t>(std::max(index, 0)), text.size());
    LONG native = 0;
    for (std::size_t at = 0; at < end; ++at) {
        if (!(text[at] == '\n' && at > 0 && text[at - 1] == '\r')) {
            ++native;
        }
    }
    return native;
}

}  // namespace

void Win32Backend::SetCharFormat(HWindow edit, int start, int length, const CharFormat& format) {
    HWND native = Native(edit);
    if (!IsRichEdit(native)) {
        return;
    }
    const std::string text = GetText(edit);
    CHARRANGE range = {NativeIndex(text, start), NativeIndex(text, start + std::max(length, 0))};
    if (range.cpMax <= range.cpMin) {
        return;
    }
    SendMessageA(native, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    CHARFORMAT2A change = {};
    change.cbSize = sizeof change;
    change.dwMask = CFM_COLOR | CFM_BOLD;
    change.dwEffects = format.bold ? CFE_BOLD : 0;
    change.crTextColor = RGB(format.colour.red, format.colour.green, format.colour.blue);
    SendMessageA(native, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&change));
    InvalidateRect(native, nullptr, TRUE);
}

CharFormat Win32Backend::GetCharFormatAt(HWindow edit, int index) {
    HWND native = Native(edit);
    const std::string text = native != nullptr ? GetText(edit) : std::string();
    if (!IsRichEdit(native) || index < 0 || static_cast<std::size_t>(index) >= text.size()) {
        return {};
    }
    // Read through a one-character selection, then give the technician's selection back.
    CHARRANGE kept = {};
    SendMessageA(native, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&kept));
    const LONG at = NativeIndex(text, index);
    CHARRANGE one = {at, at + 1};
    SendMessageA(native, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&one));
    CHARFORMAT2A current = {};
    current.cbSize = sizeof current;
    SendMessageA(native, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&current));
    SendMessageA(native, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&kept));
    const COLORREF colour =
        (current.dwEffects & CFE_AUTOCOLOR) != 0 ? GetSysColor(COLOR_WINDOWTEXT) : current.crTextColor;
    return {Rgb(GetRValue(colour), GetGValue(colour), GetBValue(colour)),
            (current.dwEffects & CFE_BOLD) != 0};
}

}  // namespace ui::win32
