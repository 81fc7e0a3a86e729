// Every dialog of the program. Ids, captions and texts are the program's own; the layout is in
// dialog units.
#include <algorithm>
#include <iterator>

#include "res/DialogTemplate.h"
#include "res/ResourceIds.h"

namespace res {
namespace {

using K = ControlKind;

constexpr ControlTemplate kAbout[] = {
    {K::Icon, -1, "", 10, 10, 20, 20, 0, kIconMain},
    {K::Static, -1, "Adjustment Tool for VK-572D ver 1.00", 40, 14, 170, 10},
    {K::Button, kIdOk, "OK", 160, 34, 50, 14, kDefaultButton},
};

// The main window holds no controls of its own: its screens are child dialogs.
constexpr ControlTemplate kMain[] = {
    {K::Static, -1, "", 0, 0, 0, 0, kHidden},
};

constexpr ControlTemplate kMessage[] = {
    {K::Static, 1005, "", 10, 10, 220, 56},
    {K::Button, kIdOk, "OK", 60, 74, 50, 14, kDefaultButton},
    {K::Button, kIdCancel, "Cancel", 130, 74, 50, 14},
};

constexpr ControlTemplate kItemMenu[] = {
    {K::Edit, 1015, "", 10, 8, 300, 36, kReadOnly | kMultiLine | kBorder},
    {K::ListBox, 1016, "", 10, 50, 300, 140, kVerticalScroll | kBorder},
    {K::Button, kIdOk, "Select", 190, 198, 55, 16, kDefaultButton},
    {K::Button, kIdCancel, "", 255, 198, 55, 16},
    {K::Button, 1171, "config", 10, 198, 40, 16, kHidden},
    {K::Button, 1172, "", 55, 198, 40, 16, kHidden},
};

constexpr ControlTemplate kPartsList[] = {
    {K::Edit, 1015, "", 10, 8, 300, 36, kReadOnly | kMultiLine | kBorder},
    {K::CheckListBox, 1173, "", 10, 50, 300, 140, kVerticalScroll | kBorder},
    {K::Button, kIdOk, "OK", 130, 198, 55, 16, kDefaultButton},
    {K::Button, 1018, "Clear", 192, 198, 55, 16},
    {K::Button, kIdCancel, "Cancel", 255, 198, 55, 16},
    {K::Button, 1017, "Setting", 10, 198, 40, 16, kHidden},
};

// Sequence pane: 24 boxes, laid out by the pane itself when it is filled.
#define TOLV_SEQUENCE_BOX(n) \
    { K::Static, 8000 + (n), "", 8, 5 + 16 * (n), 84, 13, kHidden | kCentered }
constexpr ControlTemplate kSequencePane[] = {
    TOLV_SEQUENCE_BOX(0),  TOLV_SEQUENCE_BOX(1),  TOLV_SEQUENCE_BOX(2),  TOLV_SEQUENCE_BOX(3),
    TOLV_SEQUENCE_BOX(4),  TOLV_SEQUENCE_BOX(5),  TOLV_SEQUENCE_BOX(6),  TOLV_SEQUENCE_BOX(7),
    TOLV_SEQUENCE_BOX(8),  TOLV_SEQUENCE_BOX(9),  TOLV_SEQUENCE_BOX(10), TOLV_SEQUENCE_BOX(11),
    TOLV_SEQUENCE_BOX(12), TOLV_SEQUENCE_BOX(13), TOLV_SEQUENCE_BOX(14), TOLV_SEQUENCE_BOX(15),
    TOLV_SEQUENCE_BOX(16), TOLV_SEQUENCE_BOX(17), TOLV_SEQUENCE_BOX(18), TOLV_SEQUENCE_BOX(19),
    TOLV_SEQUENCE_BOX(20), TOLV_SEQUENCE_BOX(21), TOLV_SEQUENCE_BOX(22), TOLV_SEQUENCE_BOX(23),
};
#undef TOLV_SEQUENCE_BOX

// The scroll frame's only scroll bar is its own window scroll bar.
constexpr ControlTemplate kScrollFrame[] = {
    {K::Static, -1, "", 0, 0, 0, 0, kHidden},
};

constexpr ControlTemplate kWaiting[] = {
    {K::Static, 1006, "", 10, 10, 180, 30, kCentered},
    {K::Button, kIdOk, "OK", 40, 48, 50, 14, kDefaultButton},
    {K::Button, kIdCancel, "Cancel", 110, 48, 50, 14},
};

constexpr ControlTemplate kInformationPane[] = {
    {K::GroupBox, 1161, "Setting", 4, 4, 150, 60},
    {K::Edit, 1162, "", 8, 16, 142, 44, kReadOnly | kMultiLine},
    {K::GroupBox, 1163, "Printer info", 4, 70, 150, 90},
    {K::Edit, 1164, "", 8, 82, 142, 74, kReadOnly | kMultiLine},
    {K::GroupBox, 1165, "Adjuted item", 4, 166, 150, 80},
    {K::Edit, 1166, "", 8, 178, 142, 64, kReadOnly | kMultiLine},
};

constexpr ControlTemplate kProgress[] = {
    {K::ProgressBar, 1151, "", 10, 10, 200, 12},
};

// The hidden buttons reserve the command ids that the sheet forwards to the dialog.
constexpr ControlTemplate kAdjustment[] = {
    {K::Static, 1000, "", 7, 5, 330, 18, kCenterImage},
    {K::Edit, 1015, "", 7, 26, 330, 48, kReadOnly | kMultiLine | kVerticalScroll | kBorder},
    {K::PictureFrame, 1171, "", 7, 26, 330, 48, kHidden},
    {K::Button, 7000, "", 0, 0, 1, 1, kHidden},
    {K::Button, 1017, "", 0, 0, 1, 1, kHidden},
    {K::Button, 1075, "", 0, 0, 1, 1, kHidden},
    {K::Button, kIdCancel, "", 0, 0, 1, 1, kHidden},
    {K::Button, kIdOk, "", 0, 0, 1, 1, kHidden},
};

constexpr ControlTemplate kTop[] = {
    {K::Static, 1000, "", 10, 6, 310, 18},
    {K::Static, 1005, "", 10, 24, 310, 18},
    {K::Static, 1033, "Select Printer:", 10, 48, 103, 12},
    {K::ComboBox, 1188, "", 115, 46, 122, 120, kVerticalScroll},
    {K::Static, 1034, "Select Customer:", 10, 66, 103, 12},
    {K::ComboBox, 1173, "", 115, 64, 122, 120, kVerticalScroll},
    {K::Static, 1035, "Port:", 10, 84, 103, 12},
    {K::ComboBox, 1174, "", 115, 82, 122, 140, kVerticalScroll},
    {K::ComboBox, 1014, "", 245, 46, 75, 100, kVerticalScroll},
    // The mode buttons' captions break into two lines in the large button font.
    {K::Button, 1001, "Sequential adjustment mode", 10, 108, 125, 30, kMultiLine},
    {K::Static, 1003,
     "This is the adjustment mode which all of necessary adjustments and its correct order will guide "
     "you once you select your replaced (repaired) parts, and multiple selections are available.",
     145, 106, 175, 49},
    {K::Button, 1002, "Perticular adjustment mode", 10, 158, 125, 30, kMultiLine},
    {K::Static, 1004, "You can select particular adjustment item like a previous adjustment program.", 145,
     156, 175, 34},
    {K::Button, 1041, "SETTING", 10, 202, 60, 16, kHidden},
    {K::Button, kIdCancel, "Quit", 255, 202, 65, 18},
};

// Pages of the adjustment wizard.
constexpr ControlTemplate kPageBidAdjust[] = {
    {K::GroupBox, -1, "Print Pattern", 6, 4, 140, 74},
    {K::CheckBox, 1135, "Mode 1", 14, 18, 120, 12},
    {K::CheckBox, 1136, "Mode 2", 14, 34, 120, 12},
    {K::CheckBox, 1137, "Mode 3", 14, 50, 120, 12},
    {K::Button, 1127, "Print", 86, 62, 50, 14},
    {K::GroupBox, -1, "Bi-d Adjust", 152, 4, 150, 92},
    {K::CheckBox, 1141, "", 160, 18, 12, 12},
    {K::Edit, 1124, "", 176, 18, 40, 12, kNumber | kBorder},
    {K::SpinButton, 1182, "", 216, 18, 10, 12},
    {K::CheckBox, 1142, "", 160, 34, 12, 12},
    {K::Edit, 1125, "", 176, 34, 40, 12, kNumber | kBorder},
    {K::SpinButton, 1183, "", 216, 34, 10, 12},
    {K::CheckBox, 1143, "", 160, 50, 12, 12},
    {K::Edit, 1126, "", 176, 50, 40, 12, kNumber | kBorder},
    {K::SpinButton, 1184, "", 216, 50, 10, 12},
    {K::Button, 1130, "Read", 176, 76, 50, 14},
    {K::Button, 1128, "Input", 240, 76, 50, 14},
};

constexpr ControlTemplate kPageTopMargin[] = {
    {K::Static, -1, "5.0 -12.5", 14, 14, 80, 12}, {K::Edit, 1122, "", 100, 12, 60, 12, kBorder},
    {K::Button, 1127, "Print", 14, 40, 50, 14},   {K::Button, 1130, "Read", 74, 40, 50, 14},
    {K::Button, 1128, "Input", 134, 40, 50, 14},
};

constexpr ControlTemplate kPageBottomMargin[] = {
    {K::Static, -1, "0.0 - 6.8", 14, 14, 80, 12}, {K::Edit, 1122, "", 100, 12, 60, 12, kBorder},
    {K::Button, 1127, "Print", 14, 40, 50, 14},   {K::Button, 1130, "Read", 74, 40, 50, 14},
    {K::Button, 1128, "Input", 134, 40, 50, 14},
};

constexpr ControlTemplate kPagePaperEnd[] = {
    {K::GroupBox, 1008, "", 6, 4, 290, 60},
    {K::Button, 1128, "Enter", 120, 30, 60, 16},
};

constexpr ControlTemplate kPagePlatenGap[] = {
    {K::Static, 1205, "", 6, 4, 280, 12},
    {K::PictureFrame, 1200, "", 6, 20, 280, 110, kHidden},
    {K::PictureFrame, 1201, "", 6, 20, 280, 110, kHidden},
    {K::PictureFrame, 1202, "", 6, 20, 280, 110, kHidden},
    {K::ScrollBar, 1204, "", 290, 4, 10, 126},
};

constexpr ControlTemplate kPageEeprom[] = {
    {K::GroupBox, -1, "R/W printer EEPROM", 6, 2, 150, 56},
    {K::Static, -1, "From:", 12, 14, 24, 10},
    {K::Edit, 1209, "", 38, 12, 30, 12, kBorder},
    {K::Static, -1, "To:", 76, 14, 16, 10},
    {K::Edit, 1123, "", 94, 12, 30, 12, kBorder},
    {K::Button, 1212, "Read", 12, 38, 40, 14},
    {K::Button, 1211, "Write", 56, 38, 40, 14, kDisabled},
    {K::Button, 1127, "Print", 100, 38, 40, 14},
    {K::GroupBox, -1, "Write", 162, 2, 140, 56},
    {K::Static, -1, "Address:", 168, 14, 34, 10},
    {K::Edit, 1210, "", 204, 12, 30, 12, kBorder},
    {K::Static, -1, "Data:", 238, 14, 22, 10},
    {K::Edit, 1124, "", 262, 12, 30, 12, kBorder},
    {K::Button, 1129, "Write", 204, 38, 40, 14},
    {K::Button, 1152, "Save", 6, 62, 40, 14},
    {K::Button, 1131, "Restore", 50, 62, 40, 14},
    {K::RichEdit, 1181, "", 6, 80, 296, 60, kReadOnly | kMultiLine | kVerticalScroll | kBorder},
};

constexpr ControlTemplate kPageCounterReset[] = {
    {K::GroupBox, -1, "Reset", 6, 4, 290, 60},
    {K::Button, 1128, "Enter", 120, 30, 60, 16},
};

constexpr ControlTemplate kPageGetCounter[] = {
    {K::GroupBox, -1, "Counter", 6, 4, 296, 84},
    {K::Static, -1, "Driving Line Count for Ribbon Change Timing:", 12, 20, 180, 10},
    {K::Edit, 1122, "", 196, 18, 96, 12, kReadOnly | kBorder},
    {K::Static, -1, "Driving Hour:", 12, 40, 180, 10},
    {K::Edit, 1124, "", 196, 38, 96, 12, kReadOnly | kBorder},
    {K::Static, -1, "Driving Line count:", 12, 60, 180, 10},
    {K::Edit, 1191, "", 196, 58, 96, 12, kReadOnly | kBorder},
    {K::Button, 1128, "Enter", 120, 100, 60, 16},
};

constexpr ControlTemplate kPageFatalError[] = {
    {K::ListView, 1173, "", 6, 6, 250, 100, kBorder},
    {K::Static, -1, "(latest)", 260, 20, 40, 10},
    {K::Button, 1128, "Enter", 120, 114, 60, 16},
};

constexpr ControlTemplate kPageInitialSetting[] = {
    {K::GroupBox, -1, "Write Printer Initial Setting", 6, 4, 290, 60},
    {K::Static, -1, "Serial No.:", 14, 22, 50, 10},
    {K::Edit, 1122, "", 66, 20, 100, 12, kBorder},
    {K::Button, 1130, "Read", 176, 20, 50, 14},
    {K::Button, 1128, "Enter", 234, 20, 50, 14},
};

constexpr ControlTemplate kPageSerialNo[] = {
    {K::GroupBox, -1, "Serial No Write", 6, 4, 290, 60},
    {K::Static, -1, "Serial No.:", 14, 22, 50, 10},
    {K::Edit, 1122, "", 66, 20, 100, 12, kBorder},
    {K::Button, 1128, "Input", 176, 20, 50, 14},
};

constexpr ControlTemplate kPagePrinterInfo[] = {
    {K::GroupBox, -1, "Show", 6, 4, 290, 60},
    {K::Button, 1128, "Enter", 120, 30, 60, 16},
};

constexpr ControlTemplate kPagePrintTest[] = {
    {K::GroupBox, -1, "Print Test", 6, 4, 150, 126},
    {K::ListBox, 1186, "", 12, 16, 138, 90, kVerticalScroll | kBorder},
    {K::Button, 1127, "Print", 100, 110, 50, 14},
    {K::GroupBox, 1009, "Re adjust", 162, 4, 140, 126},
    {K::CheckBox, 1135, "PG adjust", 170, 18, 120, 12},
    {K::CheckBox, 1136, "Bi-d adjust", 170, 34, 120, 12},
    {K::CheckBox, 1137, "Top Margin adjust", 170, 50, 120, 12},
    {K::CheckBox, 1189, "Bottom Margin adjust", 170, 66, 120, 12},
    {K::Button, 1128, "Readjust", 240, 110, 54, 14},
};

constexpr ControlTemplate kPageSensorStatus[] = {
    {K::GroupBox, -1, "Sensor Status Reply", 6, 4, 296, 126},
    {K::Button, 1211, "Start", 12, 16, 50, 14},
    {K::Edit, 1217, "", 12, 34, 284, 92, kReadOnly | kMultiLine | kVerticalScroll | kBorder},
};

constexpr ControlTemplate kPageFirmware[] = {
    {K::GroupBox, 1215, "Firmware Update", 6, 4, 296, 40},
    {K::Button, 1211, "Enter", 120, 20, 60, 16},
    {K::GroupBox, -1, "Boot", 6, 4, 296, 40, kHidden},
    {K::Static, -1, "File Path:", 12, 20, 40, 10, kHidden},
    {K::Edit, 1174, "", 54, 18, 150, 12, kHidden | kBorder},
    {K::Button, 1207, "Browse", 208, 18, 40, 14, kHidden},
    {K::Button, 1208, "Send", 252, 18, 40, 14, kHidden},
    {K::GroupBox, 1009, "Main", 6, 46, 296, 40},
    {K::Static, 1052, "", 12, 56, 120, 10},
    {K::Static, -1, "File Path:", 12, 70, 40, 10},
    {K::Edit, 1175, "", 54, 68, 150, 12, kBorder},
    {K::Button, 1209, "Browse", 208, 68, 40, 14},
    {K::Button, 1210, "Send", 252, 68, 40, 14},
    {K::Edit, 1213, "", 6, 90, 284, 40, kReadOnly | kMultiLine | kBorder},
    {K::ScrollBar, 1204, "", 292, 90, 10, 40},
};

constexpr DialogTemplate kTemplates[] = {
    {kDialogAbout, DialogKind::Popup, "version info", 220, 56, kAbout},
    {kDialogMain, DialogKind::Popup, "", 330, 226, kMain},
    {kDialogMessage, DialogKind::Popup, "Message", 240, 96, kMessage},
    {kDialogItemMenu, DialogKind::Child, "", 320, 222, kItemMenu},
    {kDialogPartsList, DialogKind::Child, "", 320, 222, kPartsList},
    {kDialogSequencePane, DialogKind::Child, "", 100, 390, kSequencePane},
    {kDialogScrollFrame, DialogKind::Tool, "title", 160, 226, kScrollFrame},
    {153, DialogKind::Page, "", 310, 136, kPageBidAdjust},
    {165, DialogKind::Page, "", 310, 144, kPageEeprom},
    {kDialogWaiting, DialogKind::Popup, "Printer Status", 200, 70, kWaiting},
    {kDialogInformationPane, DialogKind::Child, "", 158, 250, kInformationPane},
    {kDialogProgress, DialogKind::Popup, "Processing", 220, 32, kProgress},
    {202, DialogKind::Page, "", 310, 136, kPageSensorStatus},
    {203, DialogKind::Page, "", 310, 136, kPagePaperEnd},
    {kDialogAdjustment, DialogKind::Child, "", 344, 80, kAdjustment},
    {kDialogTop, DialogKind::Child, "", 330, 226, kTop},
    {301, DialogKind::Page, "", 310, 136, kPagePrintTest},
    {302, DialogKind::Page, "", 310, 136, kPagePrinterInfo},
    {303, DialogKind::Page, "", 310, 136, kPageTopMargin},
    {304, DialogKind::Page, "", 310, 136, kPageBottomMargin},
    {306, DialogKind::Page, "", 310, 136, kPagePlatenGap},
    {307, DialogKind::Page, "", 310, 136, kPageCounterReset},
    {308, DialogKind::Page, "", 310, 136, kPageGetCounter},
    {309, DialogKind::Page, "", 310, 136, kPageSerialNo},
    {310, DialogKind::Page, "", 310, 136, kPageFatalError},
    {311, DialogKind::Page, "", 310, 136, kPageFirmware},
    {312, DialogKind::Page, "", 310, 136, kPageInitialSetting},
};

}  // namespace

const DialogTemplate* FindDialogTemplate(int id) {
    const auto* found = std::find_if(std::begin(kTemplates), std::end(kTemplates),
                                     [id](const DialogTemplate& dialog) { return dialog.id == id; });
    return found == std::end(kTemplates) ? nullptr : found;
}

std::span<const DialogTemplate> DialogTemplates() {
    return kTemplates;
}

}  // namespace res
