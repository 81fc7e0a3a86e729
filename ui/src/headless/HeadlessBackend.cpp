#include "HeadlessState.h"

#include <algorithm>

#include "platform/Clock.h"
#include "ui/CDialog.h"
#include "ui/Scenario.h"

namespace ui {
namespace {

using headless::IsDue;
using headless::Posted;
using headless::Timer;

// Dialog base units of the 8-point dialog font at 96 dots per inch.
constexpr int kBaseUnitX = 6;
constexpr int kBaseUnitY = 13;
// The frame a captioned top-level window adds around its client area.
constexpr int kBorder = 3;
constexpr int kCaption = 23;

ColorTarget TargetOf(const WindowObject& window) {
    if (window.dialog != nullptr) {
        return ColorTarget::Dialog;
    }
    switch (window.kind) {
        case res::ControlKind::Edit:
        case res::ControlKind::RichEdit:
            return (window.style & res::kReadOnly) != 0 || !window.enabled ? ColorTarget::Static
                                                                           : ColorTarget::Edit;
        case res::ControlKind::Button:
            return ColorTarget::Button;
        case res::ControlKind::ComboBox:
        case res::ControlKind::ListBox:
        case res::ControlKind::CheckListBox:
        case res::ControlKind::ListView:
            return ColorTarget::ListBox;
        case res::ControlKind::ScrollBar:
            return ColorTarget::ScrollBar;
        default:
            return ColorTarget::Static;
    }
}

class RecordingPainter : public IPainter {
public:
    explicit RecordingPainter(std::vector<PaintedLine>& lines) : lines_(lines) {}
    void FillRect(const Rect&, Color) override {}
    void DrawLine(int x0, int y0, int x1, int y1, int width, Color color) override {
        lines_.push_back({x0, y0, x1, y1, width, color});
    }

private:
    std::vector<PaintedLine>& lines_;
};

}  // namespace

HeadlessBackend::HeadlessBackend() : state_(std::make_unique<State>()) {}

HeadlessBackend::~HeadlessBackend() = default;

// ---- dialogs

HWindow HeadlessBackend::CreateDialogWindow(CDialog& dialog, const res::DialogTemplate& form,
                                            HWindow parent) {
    const bool child = form.kind == res::DialogKind::Child || form.kind == res::DialogKind::Page;
    if (child && !state_->Alive(parent)) {
        return nullptr;
    }
    WindowObject* window = state_->Make(state_->Alive(parent) ? parent : nullptr, !child);
    window->dialog = &dialog;
    window->form = &form;
    window->id = form.id;
    window->text = form.caption;
    const Rect client = MapDialogRect(window, {0, 0, form.cx, form.cy});
    if (child) {
        window->rect = client;
    } else {
        const Rect outer = ClientToWindowSize(window, client.Width(), client.Height());
        const Rect screen = GetScreenRect();
        const int left = (screen.Width() - outer.Width()) / 2;
        const int top = (screen.Height() - outer.Height()) / 2;
        window->rect = {left, top, left + outer.Width(), top + outer.Height()};
    }
    for (const res::ControlTemplate& item : form.controls) {
        WindowObject* control = state_->Make(window, false);
        control->control = &item;
        control->kind = item.kind;
        control->style = item.style;
        control->id = item.id;
        control->text = item.text;
        control->visible = (item.style & res::kHidden) == 0;
        control->enabled = (item.style & res::kDisabled) == 0;
        control->rect = MapDialogRect(window, {item.x, item.y, item.x + item.cx, item.y + item.cy});
        control->icon = res::FindIcon(item.image) != nullptr ? item.image : 0;
    }
    dialog.HandleCreated(window);
    dialog.HandleInitDialog();
    return window;
}

HWindow HeadlessBackend::CreateEmptyChild(CDialog& dialog, HWindow parent, int width, int height) {
    if (!state_->Alive(parent)) {
        return nullptr;
    }
    WindowObject* window = state_->Make(parent, false);
    window->dialog = &dialog;
    window->rect = {0, 0, width, height};
    window->visible = true;
    dialog.HandleCreated(window);
    dialog.HandleInitDialog();
    return window;
}

int HeadlessBackend::RunModal(CDialog& dialog, const res::DialogTemplate& form, HWindow owner) {
    WindowObject* window = CreateDialogWindow(dialog, form, owner);
    if (window == nullptr) {
        return -1;
    }
    const bool disableOwner = state_->Alive(owner) && owner->enabled;
    if (disableOwner) {
        Enable(owner, false);
    }
    window->modal = true;
    window->visible = true;
    while (state_->Alive(window) && !window->ended) {
        const std::size_t waiting = state_->posted.size();
        PumpMessages();
        if (!state_->Alive(window) || window->ended || state_->posted.size() != waiting) {
            continue;
        }
        StepOutcome outcome{StepOutcome::Finished, 0, ""};
        if (state_->scenario != nullptr) {
            outcome = state_->scenario->RunNextStep();
        }
        if (outcome.kind == StepOutcome::Wait) {
            AdvanceTime(static_cast<unsigned>(outcome.milliseconds));
        } else if (outcome.kind == StepOutcome::Finished && state_->Alive(window) && !window->ended) {
            const std::string stray = "dialog " + std::to_string(form.id) + " (\"" + window->text +
                                      "\") waited for input that never came";
            state_->strays.push_back(stray);
            if (state_->scenario != nullptr) {
                state_->scenario->Fail(stray);
            }
            window->ended = true;
            window->result = kIdCancel;
        }
    }
    const int result = state_->Alive(window) ? window->result : kIdCancel;
    if (disableOwner && state_->Alive(owner)) {
        Enable(owner, true);
    }
    if (state_->Alive(window)) {
        DestroyWindow(window);
    }
    return result;
}

void HeadlessBackend::EndDialog(HWindow dialog, int result) {
    if (state_->Alive(dialog)) {
        dialog->ended = true;
        dialog->result = result;
        dialog->visible = false;
    }
}

void HeadlessBackend::DestroyWindow(HWindow window) {
    if (!state_->Alive(window)) {
        return;
    }
    if (window->dialog != nullptr) {
        CDialog* dialog = window->dialog;
        window->dialog = nullptr;
        dialog->HandleDestroyed();
    }
    for (HWindow child : std::vector<HWindow>(window->children)) {
        DestroyWindow(child);
    }
    std::vector<HWindow> owned;
    for (const auto& other : state_->windows) {
        if (other->topLevel && other->parent == window) {
            owned.push_back(other.get());
        }
    }
    for (HWindow popup : owned) {
        DestroyWindow(popup);
    }
    if (window->parent != nullptr && !window->topLevel) {
        auto& siblings = window->parent->children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), window), siblings.end());
    }
    auto& timers = state_->timers;
    timers.erase(
        std::remove_if(timers.begin(), timers.end(), [window](const Timer& t) { return t.window == window; }),
        timers.end());
    if (state_->focus == window) {
        state_->focus = nullptr;
    }
    state_->windows.remove_if([window](const auto& slot) { return slot.get() == window; });
}

CDialog* HeadlessBackend::DialogOf(HWindow window) {
    return state_->Alive(window) ? window->dialog : nullptr;
}

// ---- windows

HWindow HeadlessBackend::GetItem(HWindow dialog, int id) {
    if (!state_->Alive(dialog)) {
        return nullptr;
    }
    for (HWindow child : dialog->children) {
        if (child->id == id) {
            return child;
        }
    }
    return nullptr;
}

int HeadlessBackend::GetId(HWindow window) {
    return state_->Alive(window) ? window->id : 0;
}

HWindow HeadlessBackend::GetParent(HWindow window) {
    return state_->Alive(window) && !window->topLevel ? window->parent : nullptr;
}

std::vector<HWindow> HeadlessBackend::GetChildren(HWindow window) {
    return state_->Alive(window) ? window->children : std::vector<HWindow>{};
}

void HeadlessBackend::SetText(HWindow window, const std::string& text) {
    if (!state_->Alive(window)) {
        return;
    }
    window->text = text;
    window->formats.clear();
    // A one-line edit box tells its dialog of every new text, the program's own included; a
    // multi-line one only of what is typed into it.
    if (window->kind == res::ControlKind::Edit && window->dialog == nullptr &&
        (window->style & res::kMultiLine) == 0) {
        SendCommand(GetParent(window), window->id, Notification::TextChange);
    }
}

std::string HeadlessBackend::GetText(HWindow window) {
    if (!state_->Alive(window)) {
        return {};
    }
    // A drop-down list shows the text of its selected row, and that is its window text.
    if (window->kind == res::ControlKind::ComboBox && window->dialog == nullptr) {
        return GetRowText(window, window->selection);
    }
    return window->text;
}

void HeadlessBackend::Enable(HWindow window, bool enable) {
    if (!state_->Alive(window) || window->enabled == enable) {
        return;
    }
    window->enabled = enable;
    if (!enable && state_->focus == window) {
        state_->focus = nullptr;
    }
    if (window->dialog != nullptr) {
        window->dialog->OnEnable(enable);
    }
}

bool HeadlessBackend::IsEnabled(HWindow window) {
    return state_->Alive(window) && window->enabled;
}

void HeadlessBackend::Show(HWindow window, bool show) {
    if (state_->Alive(window)) {
        window->visible = show;
    }
}

bool HeadlessBackend::IsVisible(HWindow window) {
    return state_->Alive(window) && window->visible;
}

void HeadlessBackend::Move(HWindow window, const Rect& rect) {
    if (state_->Alive(window)) {
        window->rect = rect;
    }
}

Rect HeadlessBackend::GetRect(HWindow window) {
    return state_->Alive(window) ? window->rect : Rect{};
}

Rect HeadlessBackend::GetClientRect(HWindow window) {
    if (!state_->Alive(window)) {
        return {};
    }
    if (window->topLevel && window->form != nullptr) {
        return {0, 0, window->rect.Width() - 2 * kBorder, window->rect.Height() - 2 * kBorder - kCaption};
    }
    const int scrollBar = window->scrollVisible && window->dialog != nullptr ? 17 : 0;
    return {0, 0, window->rect.Width() - scrollBar, window->rect.Height()};
}

Rect HeadlessBackend::ClientToWindowSize(HWindow window, int width, int height) {
    if (state_->Alive(window) && window->topLevel && window->form != nullptr) {
        return {0, 0, width + 2 * kBorder, height + 2 * kBorder + kCaption};
    }
    return {0, 0, width, height};
}

Rect HeadlessBackend::GetScreenRect() {
    return {0, 0, 1280, 1024};
}

Rect HeadlessBackend::MapDialogRect(HWindow, const Rect& units) {
    return {units.left * kBaseUnitX / 4, units.top * kBaseUnitY / 8, units.right * kBaseUnitX / 4,
            units.bottom * kBaseUnitY / 8};
}

void HeadlessBackend::SetFont(HWindow window, FontObject* font) {
    if (state_->Alive(window)) {
        window->font = font != nullptr ? font : &state_->dialogFont;
    }
}

FontObject* HeadlessBackend::GetFont(HWindow window) {
    return state_->Alive(window) ? window->font : nullptr;
}

void HeadlessBackend::SetFocus(HWindow window) {
    if (!state_->Alive(window)) {
        return;
    }
    for (HWindow around = window; around != nullptr; around = around->topLevel ? nullptr : around->parent) {
        if (!around->enabled) {
            return;
        }
    }
    state_->focus = window;
}

HWindow HeadlessBackend::GetFocus() {
    return state_->Alive(state_->focus) ? state_->focus : nullptr;
}

void HeadlessBackend::Invalidate(HWindow window) {
    if (state_->Alive(window) && window->dialog != nullptr) {
        window->painted.clear();
        RecordingPainter painter(window->painted);
        window->dialog->OnPaint(painter);
    }
}

void HeadlessBackend::SetIcon(HWindow window, int iconId) {
    if (state_->Alive(window)) {
        window->icon = res::FindIcon(iconId) != nullptr ? iconId : 0;
    }
}

int HeadlessBackend::GetIcon(HWindow window) {
    return IconOf(window);
}

void HeadlessBackend::AddControlParentStyle(HWindow) {}

void HeadlessBackend::AppendSystemMenu(HWindow window, int command, const std::string& text) {
    if (state_->Alive(window)) {
        window->systemMenu.emplace_back(command, text);
    }
}

HWindow HeadlessBackend::CreateButton(HWindow parent, int id, const std::string& text, const Rect& rect) {
    if (!state_->Alive(parent)) {
        return nullptr;
    }
    WindowObject* button = state_->Make(parent, false);
    button->kind = res::ControlKind::Button;
    button->id = id;
    button->text = text;
    button->rect = rect;
    button->visible = true;
    return button;
}

// ---- timers, posted messages, loops

void HeadlessBackend::SetTimer(HWindow window, int id, unsigned milliseconds) {
    if (!state_->Alive(window)) {
        return;
    }
    KillTimer(window, id);
    // Windows raises periods below its minimum of 10 ms to it.
    const unsigned period = std::max(milliseconds, 10u);
    state_->timers.push_back({window, id, period, platform::Clock().TickCount() + period});
}

void HeadlessBackend::KillTimer(HWindow window, int id) {
    auto& timers = state_->timers;
    timers.erase(std::remove_if(timers.begin(), timers.end(),
                                [&](const Timer& t) { return t.window == window && t.id == id; }),
                 timers.end());
}

void HeadlessBackend::PostMessage(HWindow window, int code, long first, long second) {
    if (state_->Alive(window)) {
        state_->posted.push_back({window, code, first, second});
    }
}

bool HeadlessBackend::PumpMessages() {
    while (!state_->posted.empty()) {
        const Posted message = state_->posted.front();
        state_->posted.pop_front();
        if (CDialog* dialog = DialogOf(message.window)) {
            dialog->OnPostedMessage(message.code, message.first, message.second);
        }
    }
    // Each timer that is due runs once; one that a handler restarts waits for its new time.
    const std::uint32_t now = platform::Clock().TickCount();
    std::vector<Timer> due;
    for (Timer& timer : state_->timers) {
        if (IsDue(timer.due, now)) {
            due.push_back(timer);
            timer.due = now + timer.period;
        }
    }
    for (const Timer& timer : due) {
        const bool stillSet = std::any_of(state_->timers.begin(), state_->timers.end(), [&](const Timer& t) {
            return t.window == timer.window && t.id == timer.id;
        });
        if (stillSet) {
            if (CDialog* dialog = DialogOf(timer.window)) {
                dialog->OnTimer(timer.id);
            }
        }
        while (!state_->posted.empty()) {
            PumpMessages();
        }
    }
    return !state_->quit;
}

void HeadlessBackend::AdvanceTime(unsigned milliseconds) {
    platform::IClock& clock = platform::Clock();
    const std::uint32_t end = clock.TickCount() + milliseconds;
    for (;;) {
        PumpMessages();
        const std::uint32_t now = clock.TickCount();
        std::uint32_t next = end;
        for (const Timer& timer : state_->timers) {
            if (static_cast<std::int32_t>(timer.due - next) < 0) {
                next = timer.due;
            }
        }
        if (static_cast<std::int32_t>(next - now) > 0) {
            clock.Sleep(next - now);
        }
        if (IsDue(end, clock.TickCount()) && next == end) {
            PumpMessages();
            return;
        }
    }
}

void HeadlessBackend::PostQuit() {
    state_->quit = true;
}

int HeadlessBackend::MessageBox(HWindow, const std::string& text, const std::string& caption,
                                BoxButtons buttons, BoxIcon icon) {
    state_->boxes.push_back({text, caption, buttons, icon});
    if (state_->scenario != nullptr) {
        return state_->scenario->AnswerMessageBox(text, buttons);
    }
    if (buttons == BoxButtons::YesNo && state_->answer == kIdOk) {
        return kIdYes;
    }
    return state_->answer;
}

// ---- fonts and brushes

FontObject* HeadlessBackend::CreateFont(const FontSpec& spec) {
    state_->fonts.push_back(std::make_unique<FontObject>(FontObject{spec}));
    return state_->fonts.back().get();
}

void HeadlessBackend::DeleteFont(FontObject* font) {
    // A window still using a deleted font falls back to the dialog font, as it would draw with the
    // system font on Windows.
    for (const auto& window : state_->windows) {
        if (window->font == font) {
            window->font = &state_->dialogFont;
        }
    }
    state_->fonts.remove_if([font](const auto& owned) { return owned.get() == font; });
}

FontSpec HeadlessBackend::DescribeFont(FontObject* font) {
    return font != nullptr ? font->spec : FontSpec{};
}

BrushObject* HeadlessBackend::CreateSolidBrush(Color color) {
    state_->brushes.push_back(std::make_unique<BrushObject>(BrushObject{color}));
    return state_->brushes.back().get();
}

void HeadlessBackend::DeleteBrush(BrushObject* brush) {
    state_->brushes.remove_if([brush](const auto& owned) { return owned.get() == brush; });
}

// ---- inspection

FontSpec HeadlessBackend::FontOf(HWindow window) {
    return state_->Alive(window) && window->font != nullptr ? window->font->spec : FontSpec{};
}

Color HeadlessBackend::BrushColor(BrushObject* brush) {
    return brush != nullptr ? brush->color : Color{};
}

ControlColors HeadlessBackend::ColorsOf(HWindow window) {
    if (!state_->Alive(window)) {
        return {};
    }
    CDialog* dialog = window->dialog != nullptr ? window->dialog : DialogOf(GetParent(window));
    return dialog != nullptr ? dialog->OnCtlColor(window, TargetOf(*window)) : ControlColors{};
}

int HeadlessBackend::IconOf(HWindow window) {
    return state_->Alive(window) ? window->icon : 0;
}

std::vector<std::pair<int, std::string>> HeadlessBackend::SystemMenuOf(HWindow window) {
    return state_->Alive(window) ? window->systemMenu : std::vector<std::pair<int, std::string>>{};
}

std::vector<PaintedLine> HeadlessBackend::PaintedLines(HWindow window) {
    return state_->Alive(window) ? window->painted : std::vector<PaintedLine>{};
}

std::vector<HWindow> HeadlessBackend::GetTopLevelWindows() {
    std::vector<HWindow> found;
    for (const auto& window : state_->windows) {
        if (window->topLevel) {
            found.push_back(window.get());
        }
    }
    return found;
}

const res::ControlTemplate* HeadlessBackend::TemplateOf(HWindow control) {
    return state_->Alive(control) ? control->control : nullptr;
}

std::uint32_t HeadlessBackend::StyleOf(HWindow control) {
    return state_->Alive(control) ? control->style : 0;
}

std::vector<std::string> HeadlessBackend::ColumnsOf(HWindow view) {
    return state_->Alive(view) ? view->columns : std::vector<std::string>{};
}

bool HeadlessBackend::IsRunningModal(HWindow window) {
    return state_->Alive(window) && window->modal && !window->ended;
}

const std::vector<ShownMessageBox>& HeadlessBackend::MessageBoxes() const {
    return state_->boxes;
}

const std::vector<std::string>& HeadlessBackend::StrayModals() const {
    return state_->strays;
}

void HeadlessBackend::SetMessageBoxAnswer(int answer) {
    state_->answer = answer;
}

}  // namespace ui
