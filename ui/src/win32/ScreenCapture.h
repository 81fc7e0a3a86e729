// Pictures of the program's windows taken inside the program, so the scripted technician's
// screenshots need no tool of the display system.
#pragma once

#include <string>

namespace ui::win32 {

// The rectangle of the screen that holds every visible top-level window of the calling thread,
// as the screen shows it now, written as a 24-bit BMP file. False when no window is visible or the
// file cannot be written.
bool CaptureThreadWindows(const std::string& path);

}  // namespace ui::win32
