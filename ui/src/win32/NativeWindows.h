// What every part of the real-windows back-end shares: the conversions between our handles and the
// system's, the kinds of control told apart by window class, and the property that marks our dialogs.
#pragma once

#include "Win32Backend.h"

#include <vector>

#include "ui/CDialog.h"

namespace ui::win32 {

// Marks our dialogs and carries their CDialog.
inline constexpr char kDialogProperty[] = "TolvaneDialog";
// Messages posted through PostMessage carry their code above WM_APP.
inline constexpr UINT kPostedBase = WM_APP;

// Per-row flags of a check list kept in the row's item data: a row without a part keeps its check
// box away.
inline constexpr LPARAM kRowDisabled = 1;

inline HWND Native(HWindow window) {
    return reinterpret_cast<HWND>(window);
}

inline HWindow Ours(HWND window) {
    return reinterpret_cast<HWindow>(window);
}

inline HFONT NativeFont(FontObject* font) {
    return reinterpret_cast<HFONT>(font);
}

inline HBRUSH NativeBrush(BrushObject* brush) {
    return reinterpret_cast<HBRUSH>(brush);
}

enum class Kind { Other, Button, Edit, Static, Combo, List, ListView, Progress, Spin, ScrollBar };

Kind KindOf(HWND window);
// A static that shows an icon.
bool IsIconStatic(HWND window);
CDialog* DialogOfNative(HWND window);
// Rich edit controls, and dropping every character format one holds.
bool IsRichEdit(HWND window);
void ClearCharFormats(HWND window);
// The children of a window in creation order, which for a dialog is the order of its template.
std::vector<HWND> DirectChildren(HWND window);

// The dialog procedure of every dialog of ours.
INT_PTR CALLBACK DialogProcedure(HWND window, UINT message, WPARAM first, LPARAM second);

// The back-end the window procedure and the timer callbacks reach; set by its constructor.
Win32Backend* RunningBackend();
void SetRunningBackend(Win32Backend* backend);

}  // namespace ui::win32
