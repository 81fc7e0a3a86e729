// The dialog procedure: each window message of our dialogs decoded once into the named handler of
// its CDialog.
#include "NativeWindows.h"

#include <commctrl.h>

#include "res/DialogTemplate.h"

namespace ui::win32 {
namespace {

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

}  // namespace

INT_PTR CALLBACK DialogProcedure(HWND window, UINT message, WPARAM first, LPARAM second) {
    if (message == WM_INITDIALOG) {
        SetPropA(window, kDialogProperty, reinterpret_cast<HANDLE>(second));
    }
    Win32Backend* backend = RunningBackend();
    return backend != nullptr ? backend->HandleDialogMessage(window, message, first, second) : FALSE;
}

void Win32Backend::PrepareControls(HWND window) {
    // The icon statics of the template, in order: the n-th icon static of the window shows the n-th
    // icon of the template (icons carry no id of their own to tell them apart).
    std::vector<int> icons;
    if (creatingForm_ != nullptr) {
        for (const res::ControlTemplate& control : creatingForm_->controls) {
            if (control.kind == res::ControlKind::Icon) {
                icons.push_back(control.image);
            }
        }
    }
    std::size_t nextIcon = 0;
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
        } else if (IsIconStatic(child) && nextIcon < icons.size()) {
            SendMessageA(child, STM_SETICON, reinterpret_cast<WPARAM>(IconFor(icons[nextIcon++])), 0);
        }
    }
}

INT_PTR Win32Backend::HandleDialogMessage(HWND window, UINT message, WPARAM first, LPARAM second) {
    CDialog* dialog = DialogOfNative(window);
    if (dialog == nullptr) {
        return FALSE;
    }
    switch (message) {
        case WM_INITDIALOG:
            dialog->HandleCreated(Ours(window));
            PrepareControls(window);
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
                    // A tick that changes; not the box that a new row gets, nor the one that a
                    // disabled row loses or an enabled one gets back.
                    if ((changed & LVIS_STATEIMAGEMASK) != 0 &&
                        (change->uOldState & LVIS_STATEIMAGEMASK) != 0 &&
                        (change->uNewState & LVIS_STATEIMAGEMASK) != 0) {
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

}  // namespace ui::win32
