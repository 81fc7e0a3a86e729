// In-memory DLGTEMPLATE blocks built from the program's dialog table, so that the real windows
// come from the same source as the headless ones.
#pragma once

#include <windows.h>

#include <vector>

#include "res/DialogTemplate.h"

namespace ui::win32 {

// Window classes of the controls that are not the dialog manager's own.
inline constexpr char kListViewClass[] = "SysListView32";
inline constexpr char kProgressClass[] = "msctls_progress32";
inline constexpr char kSpinClass[] = "msctls_updown32";
inline constexpr char kRichEditClass[] = "RichEdit20A";

// The template as WORD-aligned bytes for CreateDialogIndirectParam. The dialog font is the shell's
// 8-point dialog font.
std::vector<WORD> BuildDialogTemplate(const res::DialogTemplate& form);
// A template without controls for a child of the given size in dialog units.
std::vector<WORD> BuildEmptyChildTemplate(short width, short height);

}  // namespace ui::win32
