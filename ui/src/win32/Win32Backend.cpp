#include "Win32Backend.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "DialogTemplateBuilder.h"
#include "NativeWindows.h"
#include "platform/DebugOutput.h"

namespace ui::win32 {

Win32Backend::Win32Backend() {
    SetRunningBackend(this);
    INITCOMMONCONTROLSEX controls = {
        sizeof(controls), ICC_WIN95_CLASSES | ICC_PROGRESS_CLASS | ICC_UPDOWN_CLASS | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    // The rich-edit class comes with its library; without it the EEPROM dump control stays empty.
    LoadLibraryA("riched20.dll");
}

// ---- dialogs

HWND Win32Backend::CreateFromTemplate(CDialog& dialog, const res::DialogTemplate* form,
                                      const std::vector<WORD>& bytes, HWND parent) {
    // A dialog created from inside another's OnInitDialog finds its own template, and the outer
    // one gets its own back afterwards.
    const res::DialogTemplate* outer = creatingForm_;
    creatingForm_ = form;
    HWND window =
        CreateDialogIndirectParamA(GetModuleHandleA(nullptr), reinterpret_cast<LPCDLGTEMPLATEA>(bytes.data()),
                                   parent, DialogProcedure, reinterpret_cast<LPARAM>(&dialog));
    creatingForm_ = outer;
    return window;
}

HWindow Win32Backend::CreateDialogWindow(CDialog& dialog, const res::DialogTemplate& form, HWindow parent) {
    HWND window = CreateFromTemplate(dialog, &form, BuildDialogTemplate(form), Native(parent));
    if (window == nullptr) {
        const std::string reason = "dialog " + std::to_string(form.id) + " not created, error " +
                                   std::to_string(GetLastError()) + "\n";
        platform::DebugOutput(reason.c_str());
    }
    return Ours(window);
}

HWindow Win32Backend::CreateEmptyChild(CDialog& dialog, HWindow parent, int width, int height) {
    HWND window = CreateFromTemplate(dialog, nullptr, BuildEmptyChildTemplate(1, 1), Native(parent));
    if (window != nullptr) {
        SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(window, SW_SHOW);
    }
    return Ours(window);
}

int Win32Backend::RunModal(CDialog& dialog, const res::DialogTemplate& form, HWindow owner) {
    HWND window = Native(CreateDialogWindow(dialog, form, owner));
    if (window == nullptr) {
        return -1;
    }
    HWND ownerWindow = Native(owner);
    const bool disableOwner = ownerWindow != nullptr && IsWindowEnabled(ownerWindow);
    if (disableOwner) {
        EnableWindow(ownerWindow, FALSE);
    }
    modals_[window] = {};
    ShowWindow(window, SW_SHOW);
    MSG message;
    while (IsWindow(window) && !modals_[window].ended) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (!TranslateDialogMessage(message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    const int result =
        modals_.count(window) != 0 && modals_[window].ended ? modals_[window].result : kIdCancel;
    modals_.erase(window);
    if (disableOwner) {
        EnableWindow(ownerWindow, TRUE);
    }
    if (IsWindow(window)) {
        // The owner takes the activation back before the modal window goes, so no other program's
        // window comes to the front.
        if (ownerWindow != nullptr) {
            SetActiveWindow(ownerWindow);
        }
        ::DestroyWindow(window);
    }
    return result;
}

bool Win32Backend::TranslateDialogMessage(MSG& message) {
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    const bool ours = root != nullptr && DialogOfNative(root) != nullptr;
    if (message.message == WM_KEYDOWN && (message.wParam == VK_RETURN || message.wParam == VK_ESCAPE)) {
        // A drop-down list that is open takes its own Enter and Escape.
        HWND focus = message.hwnd;
        if (KindOf(focus) == Kind::Combo && SendMessageA(focus, CB_GETDROPPEDSTATE, 0, 0) != 0) {
            return false;
        }
        // Multi-line edit boxes that are writable keep Enter for a new line.
        if (message.wParam == VK_RETURN && KindOf(focus) == Kind::Edit &&
            (GetWindowLongA(focus, GWL_STYLE) & (ES_MULTILINE | ES_READONLY)) == ES_MULTILINE) {
            return false;
        }
        // A key that every dialog of ours around the focus declined stops here: the dialog manager
        // would only send the root the command it has declined once already.
        return RouteKey(Ours(focus), message.wParam == VK_RETURN ? Key::Enter : Key::Escape) || ours;
    }
    return ours && IsDialogMessageA(root, &message) != 0;
}

void Win32Backend::EndDialog(HWindow dialog, int result) {
    HWND window = Native(dialog);
    auto found = modals_.find(window);
    if (found != modals_.end()) {
        found->second.ended = true;
        found->second.result = result;
        ShowWindow(window, SW_HIDE);
        // Wakes the loop up even when no other message comes.
        ::PostMessageA(window, WM_NULL, 0, 0);
    }
}

void Win32Backend::DestroyWindow(HWindow window) {
    if (IsWindow(Native(window))) {
        ::DestroyWindow(Native(window));
    }
}

CDialog* Win32Backend::DialogOf(HWindow window) {
    HWND native = Native(window);
    return native != nullptr && IsWindow(native) ? DialogOfNative(native) : nullptr;
}

}  // namespace ui::win32
