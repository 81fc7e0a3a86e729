// The technician's input on the headless windows, as the scripted technician gives it: each goes
// through the handlers a real click or key would reach.
#include "../common/TabStops.h"
#include "HeadlessState.h"
#include "ui/CDialog.h"
#include "ui/Scenario.h"

namespace ui {
namespace {

// Where Tab stops inside a dialog: its visible, enabled tab stops in template order, those of the
// child dialogs inside it included, as the dialog manager walks them.
void CollectTabStops(const WindowObject& dialog, std::vector<HWindow>& stops) {
    for (HWindow child : dialog.children) {
        if (!child->visible || !child->enabled) {
            continue;
        }
        if (child->dialog != nullptr) {
            CollectTabStops(*child, stops);
        } else if (IsTabStop(child->kind, child->style)) {
            stops.push_back(child);
        }
    }
}

}  // namespace

// ---- the technician's input

void HeadlessBackend::SimulateClick(HWindow control) {
    // The mouse never reaches a disabled or hidden control.
    if (!state_->Alive(control) || !control->enabled || !control->visible) {
        return;
    }
    if (control->kind == res::ControlKind::CheckBox) {
        control->check = control->check == 0 ? 1 : 0;
    }
    SetFocus(control);
    SendCommand(GetParent(control), control->id, Notification::Clicked);
}

void HeadlessBackend::SimulateType(HWindow edit, const std::string& text) {
    if (!state_->Alive(edit)) {
        return;
    }
    SetFocus(edit);
    const bool toldBySetText = edit->kind == res::ControlKind::Edit && (edit->style & res::kMultiLine) == 0;
    SetText(edit, text);
    if (!toldBySetText && state_->Alive(edit)) {
        SendCommand(GetParent(edit), edit->id, Notification::TextChange);
    }
}

void HeadlessBackend::SimulateSelect(HWindow list, int row) {
    if (!state_->Alive(list)) {
        return;
    }
    SetFocus(list);
    // A list view tells of the row it selects itself; the other lists are told by the click.
    SetCurSel(list, row);
    if (state_->Alive(list) && list->kind != res::ControlKind::ListView &&
        list->kind != res::ControlKind::CheckListBox) {
        SendCommand(GetParent(list), list->id, Notification::SelectionChange);
    }
}

void HeadlessBackend::SimulateDoubleClick(HWindow list, int row) {
    SimulateSelect(list, row);
    if (state_->Alive(list)) {
        SendCommand(GetParent(list), list->id, Notification::DoubleClick);
    }
}

void HeadlessBackend::SimulateRowCheck(HWindow list, int row, bool ticked) {
    // The list tells its dialog of a tick that changes.
    SetRowCheck(list, row, ticked);
}

void HeadlessBackend::SimulateKey(HWindow focus, Key key) {
    if (key != Key::Tab) {
        RouteKey(focus, key);
        return;
    }
    if (!state_->Alive(focus)) {
        return;
    }
    HWindow root = focus;
    while (!root->topLevel && root->parent != nullptr) {
        root = root->parent;
    }
    std::vector<HWindow> stops;
    CollectTabStops(*root, stops);
    if (stops.empty()) {
        return;
    }
    const auto at = std::find(stops.begin(), stops.end(), state_->focus);
    SetFocus(at == stops.end() || at + 1 == stops.end() ? stops.front() : *(at + 1));
}

void HeadlessBackend::SimulateClose(HWindow window) {
    if (CDialog* dialog = DialogOf(window)) {
        dialog->OnClose();
    }
}

void HeadlessBackend::SimulateSysCommand(HWindow window, int command) {
    if (CDialog* dialog = DialogOf(window)) {
        dialog->OnSysCommand(command);
    }
}

Scenario* HeadlessBackend::AttachedScenario() {
    return state_->scenario;
}

void HeadlessBackend::AttachScenario(Scenario* scenario) {
    state_->scenario = scenario;
}

bool HeadlessBackend::AnswerOpenMessageBox(int) {
    return false;
}

}  // namespace ui
