// Window timers, posted messages, message boxes and the loop that dispatches what waits.
#include "NativeWindows.h"

namespace ui::win32 {

void Win32Backend::SetTimer(HWindow window, int id, unsigned milliseconds) {
    ::SetTimer(Native(window), static_cast<UINT_PTR>(id), milliseconds, nullptr);
}

void Win32Backend::KillTimer(HWindow window, int id) {
    ::KillTimer(Native(window), static_cast<UINT_PTR>(id));
}

void Win32Backend::PostMessage(HWindow window, int code, long first, long second) {
    ::PostMessageA(Native(window), kPostedBase + static_cast<UINT>(code), static_cast<WPARAM>(first),
                   static_cast<LPARAM>(second));
}

int Win32Backend::MessageBox(HWindow owner, const std::string& text, const std::string& caption,
                             BoxButtons buttons, BoxIcon icon) {
    UINT style = buttons == BoxButtons::YesNo      ? MB_YESNO
                 : buttons == BoxButtons::OkCancel ? MB_OKCANCEL
                                                   : MB_OK;
    switch (icon) {
        case BoxIcon::Information:
            style |= MB_ICONINFORMATION;
            break;
        case BoxIcon::Question:
            style |= MB_ICONQUESTION;
            break;
        case BoxIcon::Stop:
            style |= MB_ICONSTOP;
            break;
        case BoxIcon::Warning:
            style |= MB_ICONWARNING;
            break;
        case BoxIcon::None:
            break;
    }
    return ::MessageBoxA(Native(owner), text.c_str(), caption.c_str(), style);
}

bool Win32Backend::PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        if (!TranslateDialogMessage(message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return true;
}

}  // namespace ui::win32
