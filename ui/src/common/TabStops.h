// Which controls the Tab key stops at: the input controls, as the dialog manager knows them by their
// WS_TABSTOP style. One rule for the Win32 templates and the headless dialogs.
#pragma once

#include <cstdint>

#include "res/DialogTemplate.h"

namespace ui {

inline bool IsTabStop(res::ControlKind kind, std::uint32_t style) {
    using K = res::ControlKind;
    switch (kind) {
        case K::Edit:
            // A read-only box is not an input: were it a tab stop, the dialog manager would select
            // all its text when it gives the box the focus, which scrolls a description to its end.
            return (style & res::kReadOnly) == 0;
        case K::Button:
        case K::CheckBox:
        case K::ComboBox:
        case K::ListBox:
        case K::CheckListBox:
        case K::ListView:
        case K::RichEdit:
            return true;
        default:
            return false;
    }
}

}  // namespace ui
