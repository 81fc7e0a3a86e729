// Buttons, lists, list views, ranges, scroll bars, pictures and labels of the headless back-end.
#include <algorithm>

#include "HeadlessState.h"
#include "ui/CDialog.h"

namespace ui {
namespace {

bool IsListView(const WindowObject& list) {
    return list.kind == res::ControlKind::ListView;
}

// Check lists are list views on Windows as well: both tell their dialog of every row that becomes
// selected and every tick that changes, whoever made the change.
bool NotifiesChanges(const WindowObject& list) {
    return list.kind == res::ControlKind::ListView || list.kind == res::ControlKind::CheckListBox;
}

int RowCount(const WindowObject& list) {
    return static_cast<int>(IsListView(list) ? list.cells.size() : list.rows.size());
}

}  // namespace

// ---- buttons and lists

void HeadlessBackend::SetCheck(HWindow button, int state) {
    if (state_->Alive(button)) {
        button->check = state;
    }
}

int HeadlessBackend::GetCheck(HWindow button) {
    return state_->Alive(button) ? button->check : 0;
}

int HeadlessBackend::AddString(HWindow list, const std::string& text) {
    if (!state_->Alive(list)) {
        return -1;
    }
    if (IsListView(*list)) {
        return InsertItem(list, RowCount(*list), text);
    }
    list->rows.push_back({text});
    return static_cast<int>(list->rows.size()) - 1;
}

void HeadlessBackend::ResetContent(HWindow list) {
    if (state_->Alive(list)) {
        list->rows.clear();
        list->cells.clear();
        list->selection = -1;
    }
}

int HeadlessBackend::GetCount(HWindow list) {
    return state_->Alive(list) ? RowCount(*list) : 0;
}

int HeadlessBackend::GetCurSel(HWindow list) {
    return state_->Alive(list) ? list->selection : -1;
}

void HeadlessBackend::SetCurSel(HWindow list, int row) {
    if (!state_->Alive(list)) {
        return;
    }
    const bool inRange = row >= 0 && row < RowCount(*list);
    const bool keepsOnError =
        list->kind == res::ControlKind::ListBox || list->kind == res::ControlKind::ComboBox;
    if (inRange || row == -1) {
        list->selection = inRange ? row : -1;
    } else if (!keepsOnError) {
        // A list view clears every row's selection first and then finds no row to select.
        list->selection = -1;
    }
    if (inRange && NotifiesChanges(*list)) {
        SendCommand(GetParent(list), list->id, Notification::SelectionChange);
    }
}

std::string HeadlessBackend::GetRowText(HWindow list, int row) {
    if (!state_->Alive(list) || row < 0 || row >= RowCount(*list)) {
        return {};
    }
    if (IsListView(*list)) {
        return GetItemText(list, row, 0);
    }
    return list->rows[static_cast<std::size_t>(row)].text;
}

void HeadlessBackend::SetRowCheck(HWindow list, int row, bool ticked) {
    // A disabled row shows no check box, so it cannot be ticked.
    if (!IsRowEnabled(list, row) || list->rows[static_cast<std::size_t>(row)].checked == ticked) {
        return;
    }
    list->rows[static_cast<std::size_t>(row)].checked = ticked;
    if (NotifiesChanges(*list)) {
        SendCommand(GetParent(list), list->id, Notification::RowCheckChange);
    }
}

bool HeadlessBackend::GetRowCheck(HWindow list, int row) {
    return state_->Alive(list) && row >= 0 && row < static_cast<int>(list->rows.size()) &&
           list->rows[static_cast<std::size_t>(row)].checked;
}

void HeadlessBackend::EnableRow(HWindow list, int row, bool enable) {
    if (state_->Alive(list) && row >= 0 && row < static_cast<int>(list->rows.size())) {
        // Disabling takes the check box away with its tick; enabling brings back an empty one.
        // Neither is a tick the dialog hears of.
        HeadlessRow& entry = list->rows[static_cast<std::size_t>(row)];
        if (entry.enabled != enable) {
            entry.checked = false;
        }
        entry.enabled = enable;
    }
}

bool HeadlessBackend::IsRowEnabled(HWindow list, int row) {
    return state_->Alive(list) && row >= 0 && row < static_cast<int>(list->rows.size()) &&
           list->rows[static_cast<std::size_t>(row)].enabled;
}

void HeadlessBackend::InsertColumn(HWindow view, int column, const std::string& title, int width,
                                   ColumnAlign) {
    if (state_->Alive(view)) {
        const auto at =
            static_cast<std::size_t>(std::clamp(column, 0, static_cast<int>(view->columns.size())));
        view->columns.insert(view->columns.begin() + static_cast<long>(at), title);
        view->columnWidths.insert(view->columnWidths.begin() + static_cast<long>(at), std::max(width, 0));
    }
}

int HeadlessBackend::GetColumnWidth(HWindow view, int column) {
    if (!state_->Alive(view) || column < 0 || column >= static_cast<int>(view->columnWidths.size())) {
        return 0;
    }
    return view->columnWidths[static_cast<std::size_t>(column)];
}

int HeadlessBackend::InsertItem(HWindow view, int row, const std::string& text) {
    if (!state_->Alive(view)) {
        return -1;
    }
    const int at = std::clamp(row, 0, static_cast<int>(view->cells.size()));
    view->cells.insert(view->cells.begin() + at, std::vector<std::string>{text});
    // The selection belongs to its row, which moves down.
    if (view->selection >= at) {
        ++view->selection;
    }
    return at;
}

void HeadlessBackend::SetItemText(HWindow view, int row, int column, const std::string& text) {
    if (!state_->Alive(view) || row < 0 || row >= static_cast<int>(view->cells.size()) || column < 0) {
        return;
    }
    // A row's first text is the row's own; the others are cells of columns, which must exist.
    if (column > 0 && column >= static_cast<int>(view->columns.size())) {
        return;
    }
    auto& cells = view->cells[static_cast<std::size_t>(row)];
    if (static_cast<int>(cells.size()) <= column) {
        cells.resize(static_cast<std::size_t>(column) + 1);
    }
    cells[static_cast<std::size_t>(column)] = text;
}

std::string HeadlessBackend::GetItemText(HWindow view, int row, int column) {
    if (!state_->Alive(view) || row < 0 || row >= static_cast<int>(view->cells.size()) || column < 0) {
        return {};
    }
    const auto& cells = view->cells[static_cast<std::size_t>(row)];
    return column < static_cast<int>(cells.size()) ? cells[static_cast<std::size_t>(column)] : std::string();
}

void HeadlessBackend::DeleteAllItems(HWindow view) {
    if (state_->Alive(view)) {
        view->cells.clear();
        view->selection = -1;
    }
}

// ---- ranges, scroll bars, pictures

void HeadlessBackend::SetRange(HWindow control, int low, int high) {
    if (state_->Alive(control)) {
        control->low = low;
        control->high = high;
        control->position = std::clamp(control->position, std::min(low, high), std::max(low, high));
    }
}

void HeadlessBackend::GetRange(HWindow control, int* low, int* high) {
    *low = state_->Alive(control) ? control->low : 0;
    *high = state_->Alive(control) ? control->high : 0;
}

void HeadlessBackend::SetPos(HWindow control, int position) {
    if (state_->Alive(control)) {
        control->position = std::clamp(position, std::min(control->low, control->high),
                                       std::max(control->low, control->high));
    }
}

int HeadlessBackend::GetPos(HWindow control) {
    return state_->Alive(control) ? control->position : 0;
}

void HeadlessBackend::SetStep(HWindow control, int step) {
    if (state_->Alive(control)) {
        control->step = step;
    }
}

void HeadlessBackend::StepIt(HWindow control) {
    if (!state_->Alive(control)) {
        return;
    }
    // A progress bar that passes its end starts again from the low end, as the common control does.
    control->position += control->step;
    if (control->position > control->high) {
        control->position = control->low + (control->position - control->high);
    }
}

void HeadlessBackend::SetScrollInfo(HWindow window, const ScrollInfo& info) {
    if (state_->Alive(window)) {
        window->scroll = info;
        const int top = std::max(info.minimum, info.maximum - std::max(info.page - 1, 0));
        window->scroll.position = std::clamp(info.position, info.minimum, std::max(info.minimum, top));
    }
}

ScrollInfo HeadlessBackend::GetScrollInfo(HWindow window) {
    return state_->Alive(window) ? window->scroll : ScrollInfo{};
}

void HeadlessBackend::ShowScrollBar(HWindow window, bool show) {
    if (state_->Alive(window)) {
        window->scrollVisible = show;
    }
}

bool HeadlessBackend::IsScrollBarVisible(HWindow window) {
    return state_->Alive(window) && window->scrollVisible;
}

bool HeadlessBackend::HasImage(HWindow frame) {
    return state_->Alive(frame) && frame->hasImage;
}

void HeadlessBackend::ClearImage(HWindow frame) {
    if (state_->Alive(frame)) {
        frame->hasImage = false;
    }
}

void HeadlessBackend::SetCenterVertically(HWindow label, bool centred) {
    if (state_->Alive(label)) {
        label->style = centred ? (label->style | res::kCenterImage) : (label->style & ~res::kCenterImage);
    }
}

Point HeadlessBackend::PosFromChar(HWindow edit, int index) {
    if (!state_->Alive(edit) || index < 0 || static_cast<std::size_t>(index) >= edit->text.size()) {
        return {-1, -1};
    }
    const int fontHeight = edit->font != nullptr ? edit->font->spec.height : 0;
    const int lineHeight = fontHeight >= 0 ? fontHeight : -fontHeight + (-fontHeight) / 5;
    int line = 0;
    int column = 0;
    for (int at = 0; at < index; ++at) {
        if (edit->text[static_cast<std::size_t>(at)] == '\n') {
            ++line;
            column = 0;
        } else {
            ++column;
        }
    }
    return {column * lineHeight / 2, line * lineHeight};
}

void HeadlessBackend::SetCharFormat(HWindow edit, int start, int length, const CharFormat& format) {
    if (!state_->Alive(edit) || edit->kind != res::ControlKind::RichEdit) {
        return;
    }
    // Clipped to the text, as a selection is.
    const int size = static_cast<int>(edit->text.size());
    const int first = std::clamp(start, 0, size);
    const int end = std::clamp(start + std::max(length, 0), first, size);
    if (end > first) {
        edit->formats.push_back(FormatRun{first, end - first, format});
    }
}

CharFormat HeadlessBackend::GetCharFormatAt(HWindow edit, int index) {
    if (!state_->Alive(edit)) {
        return {};
    }
    for (auto run = edit->formats.rbegin(); run != edit->formats.rend(); ++run) {
        if (index >= run->start && index < run->start + run->length) {
            return run->format;
        }
    }
    return {};
}

}  // namespace ui
