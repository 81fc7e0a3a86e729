#include "Win32Backend.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "DialogTemplateBuilder.h"
#include "ScreenCapture.h"
#include "platform/DebugOutput.h"
#include "ui/CDialog.h"
#include "ui/Scenario.h"

namespace ui::win32 {
namespace {

// Marks our dialogs and carries their CDialog.
constexpr char kDialogProperty[] = "TolvaneDialog";
// Messages posted through PostMessage carry their code above WM_APP.
constexpr UINT kPostedBase = WM_APP;
// The quit code with which a failed scenario ends the program's loops.
constexpr int kScenarioFailedQuitCode = 3;
// The message box's text is the static with this id (the dialog manager's own).
constexpr int kMessageBoxTextId = 0xFFFF;

Win32Backend* theBackend = nullptr;

HWND Native(HWindow window) {
    return reinterpret_cast<HWND>(window);
}

HWindow Ours(HWND window) {
    return reinterpret_cast<HWindow>(window);
}

HFONT NativeFont(FontObject* font) {
    return reinterpret_cast<HFONT>(font);
}

HBRUSH NativeBrush(BrushObject* brush) {
    return reinterpret_cast<HBRUSH>(brush);
}

enum class Kind { Other, Button, Edit, Static, Combo, List, ListView, Progress, Spin, ScrollBar };

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

CDialog* DialogOfNative(HWND window) {
    return window != nullptr ? static_cast<CDialog*>(GetPropA(window, kDialogProperty)) : nullptr;
}

INT_PTR CALLBACK DialogProcedure(HWND window, UINT message, WPARAM first, LPARAM second) {
    if (message == WM_INITDIALOG) {
        SetPropA(window, kDialogProperty, reinterpret_cast<HANDLE>(second));
    }
    return theBackend != nullptr ? theBackend->HandleDialogMessage(window, message, first, second) : FALSE;
}

void CALLBACK ScenarioTimerProcedure(HWND, UINT, UINT_PTR, DWORD) {
    if (theBackend != nullptr) {
        theBackend->RunScenarioTick();
    }
}

// Per-row flags of a check list kept in the row's item data.
constexpr LPARAM kRowDisabled = 1;

LPARAM RowData(HWND view, int row) {
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    ListView_GetItem(view, &item);
    return item.lParam;
}

void SetRowData(HWND view, int row, LPARAM data) {
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    item.lParam = data;
    ListView_SetItem(view, &item);
}

class DeviceContextPainter : public IPainter {
public:
    explicit DeviceContextPainter(HDC context) : context_(context) {}
    void FillRect(const Rect& rect, Color color) override {
        HBRUSH brush = ::CreateSolidBrush(RGB(color.red, color.green, color.blue));
        RECT area = {rect.left, rect.top, rect.right, rect.bottom};
        ::FillRect(context_, &area, brush);
        DeleteObject(brush);
    }
    void DrawLine(int x0, int y0, int x1, int y1, int width, Color color) override {
        HPEN pen = CreatePen(PS_SOLID, width, RGB(color.red, color.green, color.blue));
        HGDIOBJ previous = SelectObject(context_, pen);
        MoveToEx(context_, x0, y0, nullptr);
        LineTo(context_, x1, y1);
        SelectObject(context_, previous);
        DeleteObject(pen);
    }

private:
    HDC context_;
};

ColorTarget TargetOf(UINT message, HWND control) {
    switch (message) {
        case WM_CTLCOLORDLG:
            return ColorTarget::Dialog;
        case WM_CTLCOLOREDIT:
            return ColorTarget::Edit;
        case WM_CTLCOLORBTN:
            return ColorTarget::Button;
        case WM_CTLCOLORLISTBOX:
            return ColorTarget::ListBox;
        case WM_CTLCOLORSCROLLBAR:
            return ColorTarget::ScrollBar;
        case WM_CTLCOLORMSGBOX:
            return ColorTarget::MessageBox;
        default:
            // Read-only and disabled edit boxes, check boxes and group boxes ask as statics.
            return KindOf(control) == Kind::Button &&
                           (GetWindowLongA(control, GWL_STYLE) & 0x0F) == BS_PUSHBUTTON
                       ? ColorTarget::Button
                       : ColorTarget::Static;
    }
}

std::vector<HWND> DirectChildren(HWND window) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

}  // namespace

Win32Backend::Win32Backend() {
    theBackend = this;
    INITCOMMONCONTROLSEX controls = {
        sizeof(controls), ICC_WIN95_CLASSES | ICC_PROGRESS_CLASS | ICC_UPDOWN_CLASS | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    // The rich-edit class comes with its library; without it the EEPROM dump control stays empty.
    LoadLibraryA("riched20.dll");
}

// ---- dialogs

HWindow Win32Backend::CreateDialogWindow(CDialog& dialog, const res::DialogTemplate& form, HWindow parent) {
    const std::vector<WORD> bytes = BuildDialogTemplate(form);
    HWND window =
        CreateDialogIndirectParamA(GetModuleHandleA(nullptr), reinterpret_cast<LPCDLGTEMPLATEA>(bytes.data()),
                                   Native(parent), DialogProcedure, reinterpret_cast<LPARAM>(&dialog));
    if (window == nullptr) {
        const std::string reason = "dialog " + std::to_string(form.id) + " not created, error " +
                                   std::to_string(GetLastError()) + "\n";
        platform::DebugOutput(reason.c_str());
    }
    return Ours(window);
}

HWindow Win32Backend::CreateEmptyChild(CDialog& dialog, HWindow parent, int width, int height) {
    const std::vector<WORD> bytes = BuildEmptyChildTemplate(1, 1);
    HWND window =
        CreateDialogIndirectParamA(GetModuleHandleA(nullptr), reinterpret_cast<LPCDLGTEMPLATEA>(bytes.data()),
                                   Native(parent), DialogProcedure, reinterpret_cast<LPARAM>(&dialog));
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

INT_PTR Win32Backend::HandleDialogMessage(HWND window, UINT message, WPARAM first, LPARAM second) {
    CDialog* dialog = DialogOfNative(window);
    if (dialog == nullptr) {
        return FALSE;
    }
    switch (message) {
        case WM_INITDIALOG:
            dialog->HandleCreated(Ours(window));
            for (HWND child : DirectChildren(window)) {
                if (KindOf(child) == Kind::ListView) {
                    const bool checkList = (GetWindowLongA(child, GWL_STYLE) & LVS_NOCOLUMNHEADER) != 0;
                    ListView_SetExtendedListViewStyle(
                        child, LVS_EX_FULLROWSELECT | (checkList ? LVS_EX_CHECKBOXES : LVS_EX_GRIDLINES));
                    if (checkList) {
                        RECT client;
                        ::GetClientRect(child, &client);
                        LVCOLUMNA column = {};
                        column.mask = LVCF_WIDTH;
                        column.cx = client.right - GetSystemMetrics(SM_CXVSCROLL);
                        SendMessageA(child, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
                    }
                } else if (KindOf(child) == Kind::Static &&
                           (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
                    if (const res::DialogTemplate* form = res::FindDialogTemplate(dialog->GetTemplateId())) {
                        for (const res::ControlTemplate& control : form->controls) {
                            if (control.kind == res::ControlKind::Icon) {
                                SendMessageA(child, STM_SETICON,
                                             reinterpret_cast<WPARAM>(IconFor(control.image)), 0);
                            }
                        }
                    }
                }
            }
            dialog->HandleInitDialog();
            return TRUE;
        case WM_COMMAND: {
            // The handler's answer is the dialog procedure's: TRUE handled, FALSE leaves the command
            // to the dialog manager's default processing.
            const int id = LOWORD(first);
            const int code = HIWORD(first);
            HWND control = reinterpret_cast<HWND>(second);
            if (control == nullptr) {
                // A menu command, an accelerator, or Enter / Escape from the dialog manager.
                return dialog->HandleCommand(id, Notification::Clicked) ? TRUE : FALSE;
            }
            bool handled = false;
            switch (KindOf(control)) {
                case Kind::Button:
                    if (code == BN_CLICKED) {
                        handled = dialog->HandleCommand(id, Notification::Clicked);
                    }
                    break;
                case Kind::Combo:
                    if (code == CBN_SELCHANGE) {
                        handled = dialog->HandleCommand(id, Notification::SelectionChange);
                    }
                    break;
                case Kind::List:
                    if (code == LBN_SELCHANGE) {
                        handled = dialog->HandleCommand(id, Notification::SelectionChange);
                    } else if (code == LBN_DBLCLK) {
                        handled = dialog->HandleCommand(id, Notification::DoubleClick);
                    }
                    break;
                case Kind::Edit:
                    if (code == EN_CHANGE) {
                        handled = dialog->HandleCommand(id, Notification::TextChange);
                    }
                    break;
                default:
                    break;
            }
            return handled ? TRUE : FALSE;
        }
        case WM_NOTIFY: {
            const NMHDR* header = reinterpret_cast<const NMHDR*>(second);
            const int id = static_cast<int>(header->idFrom);
            if (header->code == LVN_ITEMCHANGING) {
                // A row without a part keeps its check box away.
                const NMLISTVIEW* change = reinterpret_cast<const NMLISTVIEW*>(second);
                if ((change->uChanged & LVIF_STATE) != 0 && (change->lParam & kRowDisabled) != 0 &&
                    ((change->uNewState ^ change->uOldState) & LVIS_STATEIMAGEMASK) != 0) {
                    SetWindowLongPtrA(window, DWLP_MSGRESULT, TRUE);
                    return TRUE;
                }
            } else if (header->code == LVN_ITEMCHANGED) {
                const NMLISTVIEW* change = reinterpret_cast<const NMLISTVIEW*>(second);
                if ((change->uChanged & LVIF_STATE) != 0) {
                    const UINT changed = change->uNewState ^ change->uOldState;
                    if ((changed & LVIS_STATEIMAGEMASK) != 0 &&
                        (change->uOldState & LVIS_STATEIMAGEMASK) != 0) {
                        dialog->HandleCommand(id, Notification::RowCheckChange);
                    }
                    if ((changed & LVIS_SELECTED) != 0 && (change->uNewState & LVIS_SELECTED) != 0) {
                        dialog->HandleCommand(id, Notification::SelectionChange);
                    }
                }
            } else if (header->code == NM_DBLCLK) {
                dialog->HandleCommand(id, Notification::DoubleClick);
            }
            return TRUE;
        }
        case WM_TIMER:
            dialog->OnTimer(static_cast<int>(first));
            return TRUE;
        case WM_CLOSE:
            dialog->OnClose();
            return TRUE;
        case WM_DESTROY:
            RemovePropA(window, kDialogProperty);
            dialog->HandleDestroyed();
            return TRUE;
        case WM_SYSCOMMAND:
            // Our own system-menu commands sit below the system's range.
            if ((first & 0xFFF0) < 0xF000) {
                dialog->OnSysCommand(static_cast<int>(first & 0xFFF0));
                return TRUE;
            }
            return FALSE;
        case WM_ENABLE:
            dialog->OnEnable(first != 0);
            return TRUE;
        case WM_VSCROLL: {
            static const ScrollRequest kRequests[] = {
                ScrollRequest::LineUp,   ScrollRequest::LineDown,      ScrollRequest::PageUp,
                ScrollRequest::PageDown, ScrollRequest::ThumbPosition, ScrollRequest::ThumbTrack,
                ScrollRequest::Top,      ScrollRequest::Bottom,        ScrollRequest::End,
            };
            const int request = LOWORD(first);
            if (request < 0 || request > SB_ENDSCROLL) {
                return TRUE;
            }
            HWND bar = reinterpret_cast<HWND>(second);
            SCROLLINFO info = {};
            info.cbSize = sizeof(info);
            info.fMask = SIF_TRACKPOS;
            ::GetScrollInfo(bar != nullptr ? bar : window, bar != nullptr ? SB_CTL : SB_VERT, &info);
            dialog->OnVScroll(kRequests[request], info.nTrackPos, Ours(bar));
            return TRUE;
        }
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC context = BeginPaint(window, &paint);
            DeviceContextPainter painter(context);
            dialog->OnPaint(painter);
            EndPaint(window, &paint);
            return TRUE;
        }
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORMSGBOX: {
            HWND control = message == WM_CTLCOLORDLG ? window : reinterpret_cast<HWND>(second);
            const ControlColors colors = dialog->OnCtlColor(Ours(control), TargetOf(message, control));
            if (colors.brush == nullptr) {
                return FALSE;
            }
            HDC context = reinterpret_cast<HDC>(first);
            if (colors.hasTextColor) {
                SetTextColor(context,
                             RGB(colors.textColor.red, colors.textColor.green, colors.textColor.blue));
            }
            if (colors.transparent) {
                SetBkMode(context, TRANSPARENT);
            }
            if (colors.hasBackColor) {
                SetBkColor(context, RGB(colors.backColor.red, colors.backColor.green, colors.backColor.blue));
            }
            return reinterpret_cast<INT_PTR>(NativeBrush(colors.brush));
        }
        default:
            if (message >= kPostedBase && message < 0xC000) {
                dialog->OnPostedMessage(static_cast<int>(message - kPostedBase), static_cast<long>(first),
                                        static_cast<long>(second));
                return TRUE;
            }
            return FALSE;
    }
}

// ---- windows

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

void Win32Backend::SetFont(HWindow window, FontObject* font) {
    SendMessageA(Native(window), WM_SETFONT, reinterpret_cast<WPARAM>(NativeFont(font)), TRUE);
}

FontObject* Win32Backend::GetFont(HWindow window) {
    return reinterpret_cast<FontObject*>(SendMessageA(Native(window), WM_GETFONT, 0, 0));
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

HICON Win32Backend::IconFor(int id) {
    auto found = icons_.find(id);
    if (found != icons_.end()) {
        return found->second;
    }
    const res::IconImage* image = res::FindIcon(id);
    if (image == nullptr) {
        return nullptr;
    }
    const int size = image->size;
    std::vector<DWORD> colour(static_cast<std::size_t>(size * size));
    std::vector<BYTE> mask(static_cast<std::size_t>(size * size / 8), 0);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const char letter = image->rows[y][x];
            const std::size_t at = static_cast<std::size_t>(y * size + x);
            if (letter == '.') {
                mask[at / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
            } else {
                colour[at] = 0xFF000000 | image->colourOf(letter);
            }
        }
    }
    HBITMAP colourBitmap = CreateBitmap(size, size, 1, 32, colour.data());
    HBITMAP maskBitmap = CreateBitmap(size, size, 1, 1, mask.data());
    ICONINFO info = {TRUE, 0, 0, maskBitmap, colourBitmap};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(colourBitmap);
    DeleteObject(maskBitmap);
    icons_[id] = icon;
    return icon;
}

void Win32Backend::SetIcon(HWindow window, int iconId) {
    HICON icon = IconFor(iconId);
    SendMessageA(Native(window), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageA(Native(window), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
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

// ---- buttons and lists

void Win32Backend::SetCheck(HWindow button, int state) {
    SendMessageA(Native(button), BM_SETCHECK, static_cast<WPARAM>(state), 0);
}

int Win32Backend::GetCheck(HWindow button) {
    return static_cast<int>(SendMessageA(Native(button), BM_GETCHECK, 0, 0));
}

int Win32Backend::AddString(HWindow list, const std::string& text) {
    HWND native = Native(list);
    switch (KindOf(native)) {
        case Kind::Combo:
            return static_cast<int>(
                SendMessageA(native, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
        case Kind::List:
            return static_cast<int>(
                SendMessageA(native, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
        case Kind::ListView: {
            LVITEMA item = {};
            item.mask = LVIF_TEXT | LVIF_PARAM;
            item.iItem = ListView_GetItemCount(native);
            item.pszText = const_cast<char*>(text.c_str());
            return static_cast<int>(
                SendMessageA(native, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        }
        default:
            return -1;
    }
}

void Win32Backend::ResetContent(HWindow list) {
    HWND native = Native(list);
    switch (KindOf(native)) {
        case Kind::Combo:
            SendMessageA(native, CB_RESETCONTENT, 0, 0);
            break;
        case Kind::List:
            SendMessageA(native, LB_RESETCONTENT, 0, 0);
            break;
        case Kind::ListView:
            ListView_DeleteAllItems(native);
            break;
        default:
            break;
    }
}

int Win32Backend::GetCount(HWindow list) {
    HWND native = Native(list);
    switch (KindOf(native)) {
        case Kind::Combo:
            return static_cast<int>(SendMessageA(native, CB_GETCOUNT, 0, 0));
        case Kind::List:
            return static_cast<int>(SendMessageA(native, LB_GETCOUNT, 0, 0));
        case Kind::ListView:
            return ListView_GetItemCount(native);
        default:
            return 0;
    }
}

int Win32Backend::GetCurSel(HWindow list) {
    HWND native = Native(list);
    switch (KindOf(native)) {
        case Kind::Combo:
            return static_cast<int>(SendMessageA(native, CB_GETCURSEL, 0, 0));
        case Kind::List:
            return static_cast<int>(SendMessageA(native, LB_GETCURSEL, 0, 0));
        case Kind::ListView:
            return ListView_GetNextItem(native, -1, LVNI_SELECTED);
        default:
            return -1;
    }
}

void Win32Backend::SetCurSel(HWindow list, int row) {
    HWND native = Native(list);
    switch (KindOf(native)) {
        case Kind::Combo:
            SendMessageA(native, CB_SETCURSEL, static_cast<WPARAM>(row), 0);
            break;
        case Kind::List:
            SendMessageA(native, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
            break;
        case Kind::ListView:
            ListView_SetItemState(native, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
            if (row >= 0) {
                ListView_SetItemState(native, row, LVIS_SELECTED | LVIS_FOCUSED,
                                      LVIS_SELECTED | LVIS_FOCUSED);
            }
            break;
        default:
            break;
    }
}

std::string Win32Backend::GetRowText(HWindow list, int row) {
    HWND native = Native(list);
    std::string text;
    switch (KindOf(native)) {
        case Kind::Combo: {
            const LRESULT length = SendMessageA(native, CB_GETLBTEXTLEN, static_cast<WPARAM>(row), 0);
            if (length == CB_ERR) {
                return {};
            }
            text.resize(static_cast<std::size_t>(length) + 1);
            SendMessageA(native, CB_GETLBTEXT, static_cast<WPARAM>(row),
                         reinterpret_cast<LPARAM>(text.data()));
            break;
        }
        case Kind::List: {
            const LRESULT length = SendMessageA(native, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0);
            if (length == LB_ERR) {
                return {};
            }
            text.resize(static_cast<std::size_t>(length) + 1);
            SendMessageA(native, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text.data()));
            break;
        }
        case Kind::ListView:
            return GetItemText(list, row, 0);
        default:
            return {};
    }
    text.resize(std::strlen(text.c_str()));
    return text;
}

void Win32Backend::SetRowCheck(HWindow list, int row, bool ticked) {
    if (IsRowEnabled(list, row)) {
        ListView_SetCheckState(Native(list), row, ticked ? TRUE : FALSE);
    }
}

bool Win32Backend::GetRowCheck(HWindow list, int row) {
    HWND native = Native(list);
    return row >= 0 && row < ListView_GetItemCount(native) &&
           (ListView_GetItemState(native, row, LVIS_STATEIMAGEMASK) >> 12) == 2;
}

void Win32Backend::EnableRow(HWindow list, int row, bool enable) {
    HWND native = Native(list);
    if (row < 0 || row >= ListView_GetItemCount(native)) {
        return;
    }
    // A disabled row shows no check box at all: state image 0.
    if (!enable) {
        ListView_SetItemState(native, row, INDEXTOSTATEIMAGEMASK(0), LVIS_STATEIMAGEMASK);
        SetRowData(native, row, RowData(native, row) | kRowDisabled);
    } else {
        SetRowData(native, row, RowData(native, row) & ~kRowDisabled);
        ListView_SetItemState(native, row, INDEXTOSTATEIMAGEMASK(1), LVIS_STATEIMAGEMASK);
    }
}

bool Win32Backend::IsRowEnabled(HWindow list, int row) {
    HWND native = Native(list);
    return row >= 0 && row < ListView_GetItemCount(native) && (RowData(native, row) & kRowDisabled) == 0;
}

void Win32Backend::InsertColumn(HWindow view, int column, const std::string& title, int width,
                                ColumnAlign align) {
    LVCOLUMNA info = {};
    info.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    info.fmt = align == ColumnAlign::Center  ? LVCFMT_CENTER
               : align == ColumnAlign::Right ? LVCFMT_RIGHT
                                             : LVCFMT_LEFT;
    info.cx = width;
    info.pszText = const_cast<char*>(title.c_str());
    SendMessageA(Native(view), LVM_INSERTCOLUMNA, static_cast<WPARAM>(column),
                 reinterpret_cast<LPARAM>(&info));
}

int Win32Backend::InsertItem(HWindow view, int row, const std::string& text) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = const_cast<char*>(text.c_str());
    return static_cast<int>(SendMessageA(Native(view), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

void Win32Backend::SetItemText(HWindow view, int row, int column, const std::string& text) {
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    SendMessageA(Native(view), LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

std::string Win32Backend::GetItemText(HWindow view, int row, int column) {
    char buffer[1024] = {};
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = sizeof(buffer);
    SendMessageA(Native(view), LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return buffer;
}

void Win32Backend::DeleteAllItems(HWindow view) {
    ListView_DeleteAllItems(Native(view));
}

// ---- ranges, scroll bars, pictures

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

// ---- timers, posted messages, loops

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

FontObject* Win32Backend::CreateFont(const FontSpec& spec) {
    return reinterpret_cast<FontObject*>(CreateFontA(
        spec.height, 0, 0, 0, spec.weight, spec.italic ? TRUE : FALSE, spec.underline ? TRUE : FALSE, FALSE,
        static_cast<DWORD>(spec.charset), static_cast<DWORD>(spec.outPrecision),
        static_cast<DWORD>(spec.clipPrecision), static_cast<DWORD>(spec.quality),
        static_cast<DWORD>(spec.pitchAndFamily), spec.face.c_str()));
}

void Win32Backend::DeleteFont(FontObject* font) {
    DeleteObject(NativeFont(font));
}

BrushObject* Win32Backend::CreateSolidBrush(Color color) {
    return reinterpret_cast<BrushObject*>(::CreateSolidBrush(RGB(color.red, color.green, color.blue)));
}

void Win32Backend::DeleteBrush(BrushObject* brush) {
    DeleteObject(NativeBrush(brush));
}

// ---- the technician's input, through the controls' own messages

void Win32Backend::SimulateClick(HWindow control) {
    ::SetFocus(Native(control));
    SendMessageA(Native(control), BM_CLICK, 0, 0);
}

void Win32Backend::SimulateType(HWindow edit, const std::string& text) {
    ::SetFocus(Native(edit));
    SetWindowTextA(Native(edit), text.c_str());
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
    ::PostMessageA(Native(focus), WM_KEYDOWN, key == Key::Enter ? VK_RETURN : VK_ESCAPE, 0);
}

void Win32Backend::SimulateClose(HWindow window) {
    ::PostMessageA(Native(window), WM_SYSCOMMAND, SC_CLOSE, 0);
}

void Win32Backend::SimulateSysCommand(HWindow window, int command) {
    ::PostMessageA(Native(window), WM_SYSCOMMAND, static_cast<WPARAM>(command), 0);
}

// ---- the scripted technician on real windows

void Win32Backend::AttachScenario(Scenario* scenario) {
    scenario_ = scenario;
    if (scenarioTimer_ != 0) {
        ::KillTimer(nullptr, scenarioTimer_);
        scenarioTimer_ = 0;
    }
    if (scenario != nullptr) {
        scenarioTimer_ = ::SetTimer(nullptr, 0, 50, ScenarioTimerProcedure);
    }
}

HWND Win32Backend::OpenMessageBox() {
    struct Search {
        HWND found = nullptr;
    } search;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            char name[16] = {};
            GetClassNameA(window, name, sizeof(name));
            if (std::strcmp(name, "#32770") == 0 && IsWindowVisible(window) &&
                DialogOfNative(window) == nullptr) {
                reinterpret_cast<Search*>(data)->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool Win32Backend::AnswerOpenMessageBox(int answer) {
    HWND box = OpenMessageBox();
    if (box == nullptr) {
        return false;
    }
    ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
    return true;
}

void Win32Backend::RunScenarioTick() {
    // Steps nest: a click whose handler opens a message box or a modal dialog is followed by the
    // next step from inside that loop.
    if (scenario_ == nullptr) {
        return;
    }
    const DWORD now = GetTickCount();
    if (static_cast<LONG>(now - waitUntil_) < 0) {
        return;
    }
    const ScenarioStep* step = scenario_->PeekStep();
    if (step == nullptr) {
        // A scenario that failed ends the loops, so its windows do not wait for a technician who
        // is not there; the quit code tells the program's end why.
        const bool failed = !scenario_->Failures().empty();
        AttachScenario(nullptr);
        if (failed) {
            PostQuitMessage(kScenarioFailedQuitCode);
        }
        return;
    }
    if (step->action == StepAction::ChooseFile) {
        // The open-file dialog takes its answer itself when the program opens it.
        return;
    }
    if (step->action == StepAction::Answer) {
        HWND box = OpenMessageBox();
        if (box == nullptr) {
            // The box may not be up yet; ten seconds without one fail the step.
            if (answerSince_ == 0) {
                answerSince_ = now;
            } else if (now - answerSince_ > 10000) {
                answerSince_ = 0;
                scenario_->RunNextStep();
            }
            return;
        }
        answerSince_ = 0;
        char text[1024] = {};
        GetDlgItemTextA(box, kMessageBoxTextId, text, sizeof(text));
        const BoxButtons buttons = GetDlgItem(box, IDYES) != nullptr      ? BoxButtons::YesNo
                                   : GetDlgItem(box, IDCANCEL) != nullptr ? BoxButtons::OkCancel
                                                                          : BoxButtons::Ok;
        const int answer = scenario_->AnswerMessageBox(text, buttons);
        ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
        return;
    }
    const StepOutcome outcome = scenario_->RunNextStep();
    if (outcome.kind == StepOutcome::Wait) {
        waitUntil_ = GetTickCount() + static_cast<DWORD>(outcome.milliseconds);
    } else if (outcome.kind == StepOutcome::Screenshot) {
        // The picture is taken here, of the windows as the screen shows them.
        const char* folder = std::getenv("TOLVANE_SCREENSHOT_DIR");
        if (folder != nullptr && *folder != '\0') {
            const std::string path = std::string(folder) + "\\" + outcome.name + ".bmp";
            if (!CaptureThreadWindows(path)) {
                scenario_->Fail("screenshot " + path + " could not be taken");
            }
        }
        waitUntil_ = GetTickCount() + 100;
    } else {
        // Let the windows settle between steps, as a technician's hand would.
        waitUntil_ = GetTickCount() + 100;
    }
}

}  // namespace ui::win32
