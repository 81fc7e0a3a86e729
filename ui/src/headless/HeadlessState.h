// The in-memory windows of the headless back-end and the state the back-end keeps around them,
// shared by its files: dialogs, windows and loops (HeadlessBackend.cpp), buttons, lists and the
// other controls (HeadlessControls.cpp), and the technician's input (HeadlessInput.cpp).
#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "ui/Headless.h"

namespace ui {

struct FontObject {
    FontSpec spec;
};

struct BrushObject {
    Color color;
};

struct HeadlessRow {
    std::string text;
    bool checked = false;
    bool enabled = true;
};

struct FormatRun {
    int start = 0;
    int length = 0;
    CharFormat format;
};

struct WindowObject {
    CDialog* dialog = nullptr;  // set for dialogs
    const res::DialogTemplate* form = nullptr;
    const res::ControlTemplate* control = nullptr;  // set for controls made from a template
    res::ControlKind kind = res::ControlKind::Static;
    std::uint32_t style = 0;
    int id = 0;
    std::string text;
    std::vector<FormatRun> formats;  // rich edit controls; cleared with every new text
    bool visible = false;
    bool enabled = true;
    bool topLevel = false;
    Rect rect;
    WindowObject* parent = nullptr;  // the owner for top-level windows
    std::vector<WindowObject*> children;
    FontObject* font = nullptr;
    int check = 0;
    std::vector<HeadlessRow> rows;
    int selection = -1;
    std::vector<std::string> columns;
    std::vector<int> columnWidths;  // pixels, one per column
    std::vector<std::vector<std::string>> cells;
    int low = 0, high = 100, position = 0, step = 10;
    ScrollInfo scroll;
    bool scrollVisible = false;
    bool hasImage = false;
    int icon = 0;
    std::vector<std::pair<int, std::string>> systemMenu;
    std::vector<PaintedLine> painted;
    bool modal = false;
    bool ended = false;
    int result = 0;
};

namespace headless {

struct Timer {
    HWindow window;
    int id;
    unsigned period;
    std::uint32_t due;
};

struct Posted {
    HWindow window;
    int code;
    long first;
    long second;
};

inline bool IsDue(std::uint32_t due, std::uint32_t now) {
    return static_cast<std::int32_t>(now - due) >= 0;
}
}  // namespace headless

struct HeadlessBackend::State {
    std::list<std::unique_ptr<WindowObject>> windows;
    std::list<std::unique_ptr<FontObject>> fonts;
    std::list<std::unique_ptr<BrushObject>> brushes;
    FontObject dialogFont{FontSpec{"MS Shell Dlg", -11, 400}};
    std::vector<headless::Timer> timers;
    std::deque<headless::Posted> posted;
    HWindow focus = nullptr;
    Scenario* scenario = nullptr;
    std::vector<ShownMessageBox> boxes;
    std::vector<std::string> strays;
    int answer = kIdOk;
    bool quit = false;

    bool Alive(HWindow window) const {
        return window != nullptr && std::any_of(windows.begin(), windows.end(), [window](const auto& owned) {
                   return owned.get() == window;
               });
    }

    WindowObject* Make(WindowObject* parent, bool topLevel) {
        windows.push_back(std::make_unique<WindowObject>());
        WindowObject* window = windows.back().get();
        window->parent = parent;
        window->topLevel = topLevel;
        window->font = &dialogFont;
        if (parent != nullptr && !topLevel) {
            parent->children.push_back(window);
        }
        return window;
    }
};

}  // namespace ui
