#include "NativeWindows.h"

#include "DialogTemplateBuilder.h"

namespace ui::win32 {
namespace {

Win32Backend* theBackend = nullptr;

}  // namespace

Kind KindOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    struct Entry {
        const char* name;
        Kind kind;
    } static const kEntries[] = {
        {"Button", Kind::Button},         {"Edit", Kind::Edit},     {"Static", Kind::Static},
        {"ComboBox", Kind::Combo},        {"ListBox", Kind::List},  {kListViewClass, Kind::ListView},
        {kProgressClass, Kind::Progress}, {kSpinClass, Kind::Spin}, {"ScrollBar", Kind::ScrollBar},
        {kRichEditClass, Kind::Edit},
    };
    for (const Entry& entry : kEntries) {
        if (lstrcmpiA(name, entry.name) == 0) {
            return entry.kind;
        }
    }
    return Kind::Other;
}

bool IsIconStatic(HWND window) {
    return KindOf(window) == Kind::Static && (GetWindowLongA(window, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
}

CDialog* DialogOfNative(HWND window) {
    return window != nullptr ? static_cast<CDialog*>(GetPropA(window, kDialogProperty)) : nullptr;
}

std::vector<HWND> DirectChildren(HWND window) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

Win32Backend* RunningBackend() {
    return theBackend;
}

void SetRunningBackend(Win32Backend* backend) {
    theBackend = backend;
}

}  // namespace ui::win32
