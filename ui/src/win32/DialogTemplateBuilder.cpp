#include "DialogTemplateBuilder.h"

#include <commctrl.h>
#include <richedit.h>

#include <string>

#include "../common/TabStops.h"

namespace ui::win32 {
namespace {

class TemplateWriter {
public:
    void Word(WORD value) { words_.push_back(value); }
    void Dword(DWORD value) {
        Word(LOWORD(value));
        Word(HIWORD(value));
    }
    // Program texts are ASCII; a text of another code page is widened through the ANSI code page.
    void Text(const char* text) {
        const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
        std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 1), L'\0');
        if (length > 0) {
            MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
        }
        for (wchar_t c : wide) {
            Word(static_cast<WORD>(c));
        }
    }
    void AlignToDword() {
        if (words_.size() % 2 != 0) {
            Word(0);
        }
    }
    std::vector<WORD> Take() { return std::move(words_); }

private:
    std::vector<WORD> words_;
};

struct ControlClass {
    WORD atom;  // 0: the class is named
    const char* name;
    DWORD style;
};

ControlClass ClassOf(const res::ControlTemplate& control) {
    using K = res::ControlKind;
    const bool multiLine = (control.style & res::kMultiLine) != 0;
    switch (control.kind) {
        case K::Static: {
            DWORD style = static_cast<DWORD>(SS_NOPREFIX) |
                          ((control.style & res::kCentered) != 0 ? SS_CENTER : SS_LEFT);
            if ((control.style & res::kCenterImage) != 0) {
                style |= SS_CENTERIMAGE;
            }
            return {0, "Static", style};
        }
        case K::Edit: {
            const bool readOnly = (control.style & res::kReadOnly) != 0;
            DWORD style = (readOnly ? static_cast<DWORD>(ES_READONLY) : 0u) |
                          (multiLine ? ES_MULTILINE | ES_AUTOVSCROLL : ES_AUTOHSCROLL);
            return {0, "Edit", style};
        }
        case K::Button:
            return {0, "Button",
                    static_cast<DWORD>(
                        (multiLine ? BS_MULTILINE : 0) |
                        ((control.style & res::kDefaultButton) != 0 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON))};
        case K::CheckBox:
            return {0, "Button", static_cast<DWORD>(BS_AUTOCHECKBOX)};
        case K::GroupBox:
            return {0, "Button", BS_GROUPBOX};
        case K::ComboBox:
            return {0, "ComboBox", static_cast<DWORD>(CBS_DROPDOWNLIST)};
        case K::ListBox:
            return {0, "ListBox", static_cast<DWORD>(LBS_NOTIFY | LBS_NOINTEGRALHEIGHT)};
        case K::CheckListBox:
            return {0, kListViewClass,
                    static_cast<DWORD>(LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS)};
        case K::ListView:
            return {0, kListViewClass, static_cast<DWORD>(LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS)};
        case K::RichEdit: {
            DWORD style = static_cast<DWORD>(ES_MULTILINE | ES_AUTOVSCROLL);
            if ((control.style & res::kReadOnly) != 0) {
                style |= ES_READONLY;
            }
            return {0, kRichEditClass, style};
        }
        case K::ProgressBar:
            return {0, kProgressClass, 0};
        case K::ScrollBar:
            return {0, "ScrollBar", static_cast<DWORD>(SBS_VERT)};
        case K::SpinButton:
            return {0, kSpinClass,
                    static_cast<DWORD>(UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_AUTOBUDDY)};
        case K::PictureFrame:
            return {0, "Static", static_cast<DWORD>(SS_ENHMETAFILE)};
        case K::Icon:
            return {0, "Static", static_cast<DWORD>(SS_ICON)};
    }
    return {0, "Static", 0};
}

DWORD DialogStyle(res::DialogKind kind) {
    switch (kind) {
        case res::DialogKind::Popup:
            return WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
        case res::DialogKind::Tool:
            return WS_POPUP | WS_CAPTION;
        case res::DialogKind::Child:
        case res::DialogKind::Page:
            return WS_CHILD | DS_CONTROL;
    }
    return WS_POPUP;
}

void WriteHeader(TemplateWriter& out, DWORD style, DWORD extended, WORD count, short width, short height,
                 const char* caption) {
    out.Dword(style | DS_SETFONT);
    out.Dword(extended);
    out.Word(count);
    out.Word(0);
    out.Word(0);
    out.Word(static_cast<WORD>(width));
    out.Word(static_cast<WORD>(height));
    out.Word(0);  // no menu
    out.Word(0);  // the dialog class
    out.Text(caption);
    out.Word(8);
    out.Text("MS Shell Dlg");
}

}  // namespace

std::vector<WORD> BuildDialogTemplate(const res::DialogTemplate& form) {
    TemplateWriter out;
    DWORD extended = 0;
    if (form.kind == res::DialogKind::Tool) {
        extended = WS_EX_TOOLWINDOW;
    } else if (form.kind == res::DialogKind::Child || form.kind == res::DialogKind::Page) {
        extended = WS_EX_CONTROLPARENT;
    }
    WriteHeader(out, DialogStyle(form.kind), extended, static_cast<WORD>(form.controls.size()), form.cx,
                form.cy, form.caption);
    for (const res::ControlTemplate& control : form.controls) {
        out.AlignToDword();
        const ControlClass type = ClassOf(control);
        DWORD style = WS_CHILD | type.style;
        if (IsTabStop(control.kind, control.style)) {
            style |= WS_TABSTOP;
        }
        if ((control.style & res::kHidden) == 0) {
            style |= WS_VISIBLE;
        }
        if ((control.style & res::kDisabled) != 0) {
            style |= WS_DISABLED;
        }
        if ((control.style & res::kVerticalScroll) != 0) {
            style |= WS_VSCROLL;
        }
        if ((control.style & res::kBorder) != 0) {
            style |= WS_BORDER;
        }
        out.Dword(style);
        out.Dword(0);
        out.Word(static_cast<WORD>(control.x));
        out.Word(static_cast<WORD>(control.y));
        out.Word(static_cast<WORD>(control.cx));
        out.Word(static_cast<WORD>(control.cy));
        out.Word(static_cast<WORD>(control.id));
        if (type.atom != 0) {
            out.Word(0xFFFF);
            out.Word(type.atom);
        } else {
            out.Text(type.name);
        }
        out.Text(control.kind == res::ControlKind::Icon ? "" : control.text);
        out.Word(0);  // no creation data
    }
    return out.Take();
}

std::vector<WORD> BuildEmptyChildTemplate(short width, short height) {
    TemplateWriter out;
    WriteHeader(out, WS_CHILD | DS_CONTROL, WS_EX_CONTROLPARENT, 0, width, height, "");
    return out.Take();
}

}  // namespace ui::win32
