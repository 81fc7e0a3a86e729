// Readjust restarts a run of adjustments, which replaces every page of the adjustment dialog, the
// page that asked included. So the page only posts the request to the window that owns the runs
// (the main window, which registers itself) and returns; that window takes the run when the posted
// message arrives, after the page's handler has ended.
#pragma once

#include <vector>

#include "ui/Types.h"

namespace pages {

// The posted-message code the registered window receives; it then calls TakeReadjustRun.
inline constexpr int kPostedReadjust = 0x5201;

// The window that starts runs; null unregisters it.
void SetReadjustWindow(ui::HWindow window);

// Keeps the run and posts kPostedReadjust to the registered window. False, and nothing kept, when no
// window is registered.
bool PostReadjust(std::vector<int> run);

// The run posted last, and empties the slot: a second posted message finds nothing to run.
std::vector<int> TakeReadjustRun();

}  // namespace pages
