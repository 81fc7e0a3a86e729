// The platform's open-file dialog, as one small operation: the firmware page's "Browse" buttons and
// the flashing program ask the technician for a file with it. A scenario answers it with its
// `file` steps on either back-end; without one the real windows show the system dialog and the
// headless back-end answers cancel.
#pragma once

#include <string>

#include "ui/Types.h"

namespace ui {

struct OpenFileRequest {
    std::string title;             // the dialog's caption; empty for the system's own
    std::string filter;            // "Firmware files (*.rcc)|*.rcc|All files (*.*)|*.*"
    std::string defaultExtension;  // added to a typed name without one ("RCC")
};

// True with the chosen file's path; false when the technician cancels (path unchanged).
bool ChooseFileToOpen(HWindow owner, const OpenFileRequest& request, std::string* path);

}  // namespace ui
