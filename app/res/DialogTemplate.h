// The dialog templates, string table and icons of the program: one source that every UI back-end
// reads. The headless back-end builds its in-memory controls from these records; the Win32 back-end
// builds the same dialogs as in-memory DLGTEMPLATE blocks. Positions and sizes are dialog units.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace res {

enum class ControlKind {
    Static,        // text label
    Edit,          // single or multi-line edit box
    Button,        // push button
    CheckBox,      // automatic check box
    GroupBox,      // frame with a caption
    ComboBox,      // drop-down list (no typing); the height is that of the open list
    ListBox,       // single selection
    CheckListBox,  // list with one check box per row
    ListView,      // report view with columns
    RichEdit,      // rich-edit text
    ProgressBar,
    ScrollBar,     // vertical
    SpinButton,    // up-down arrows
    PictureFrame,  // static frame that can hold an image
    Icon,          // static showing the icon named by ControlTemplate::image
};

// Style flags of a control; the default is visible, enabled and, for the input controls, a tab stop.
enum ControlStyle : std::uint32_t {
    kHidden = 1u << 0,
    kDisabled = 1u << 1,
    kReadOnly = 1u << 2,
    kMultiLine = 1u << 3,
    kVerticalScroll = 1u << 4,
    kDefaultButton = 1u << 5,
    kCentered = 1u << 6,     // centred text (static) or centred column text
    kCenterImage = 1u << 7,  // text centred vertically in a static
    kBorder = 1u << 8,
    kNumber = 1u << 9,  // edit accepting digits only
};

struct ControlTemplate {
    ControlKind kind;
    int id;            // -1 for labels nothing addresses
    const char* text;  // caption or initial text; may be empty
    short x, y, cx, cy;
    std::uint32_t style = 0;
    int image = 0;  // icon id of an Icon control
};

enum class DialogKind {
    Popup,  // captioned top-level window with a system menu (main window, message boxes)
    Tool,   // captioned companion window without system menu buttons (scroll frames)
    Child,  // a screen or pane inside another window
    Page,   // a page of a property sheet
};

struct DialogTemplate {
    int id;
    DialogKind kind;
    const char* caption;
    short cx, cy;
    std::span<const ControlTemplate> controls;
};

// The template with this id; null when the program has none.
const DialogTemplate* FindDialogTemplate(int id);
// Every template, in increasing order of id.
std::span<const DialogTemplate> DialogTemplates();

// A string-table entry; empty for an id the table does not hold.
std::string LoadResourceString(int id);

// A square icon as rows of palette letters ('.' transparent).
struct IconImage {
    int id;
    int size;                 // width and height in pixels
    const char* const* rows;  // size rows of size letters
    // Letter -> colour 0xRRGGBB for every letter the rows use.
    std::uint32_t (*colourOf)(char letter);
};

// The icon with this id; null when the program has none.
const IconImage* FindIcon(int id);

}  // namespace res
