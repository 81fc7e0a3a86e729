// Buttons, check boxes, drop-down lists, list boxes, check lists and list views.
#include "NativeWindows.h"

#include <commctrl.h>

#include <cstring>
#include <string>

namespace ui::win32 {
namespace {

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

// Longer cell texts are cut here rather than grow the buffer without end.
constexpr std::size_t kLongestCell = 1u << 20;

}  // namespace

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

int Win32Backend::GetColumnWidth(HWindow view, int column) {
    HWND native = Native(view);
    HWND header = ListView_GetHeader(native);
    if (column < 0 || header == nullptr || column >= Header_GetItemCount(header)) {
        return 0;
    }
    return ListView_GetColumnWidth(native, column);
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
    // The control copies at most the buffer's size less one and says how much it copied: a cell
    // that fills the buffer may hold more, so the buffer grows until the text ends short of it.
    std::string buffer(256, '\0');
    for (;;) {
        LVITEMA item = {};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        const LRESULT copied = SendMessageA(Native(view), LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                                            reinterpret_cast<LPARAM>(&item));
        if (copied < static_cast<LRESULT>(buffer.size()) - 1 || buffer.size() >= kLongestCell) {
            buffer.resize(std::strlen(buffer.c_str()));
            return buffer;
        }
        buffer.assign(buffer.size() * 2, '\0');
    }
}

void Win32Backend::DeleteAllItems(HWindow view) {
    ListView_DeleteAllItems(Native(view));
}

}  // namespace ui::win32
