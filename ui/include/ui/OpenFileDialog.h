// The platform's open-file and save-file dialogs, as one small operation each: the firmware page's
// "Browse" buttons, the flashing program and the EEPROM page's Restore ask the technician for a file
// to open, the EEPROM page's Save for one to write. A scenario answers both with its `file` steps on
// either back-end; without one the real windows show the system dialog and the headless back-end
// answers cancel.
#pragma once

#include <string>

#include "ui/Types.h"

namespace ui {

struct OpenFileRequest {
    std::string title;             // the dialog's caption; empty for the system's own
    std::string filter;            // "Firmware files (*.rcc)|*.rcc|All files (*.*)|*.*"
    std::string defaultExtension;  // added to a typed name without one ("RCC")
};

struct SaveFileRequest {
    std::string title;             // the dialog's caption; empty for the system's own
    std::string filter;            // "EEP File (*.eep)|*.eep||"
    std::string defaultExtension;  // added to a typed name without one ("eep"; "*.eep" and ".eep" alike)
    bool overwritePrompt = true;   // a file that exists is replaced only when the technician agrees
};

// True with the chosen file's path; false when the technician cancels (path unchanged).
bool ChooseFileToOpen(HWindow owner, const OpenFileRequest& request, std::string* path);
// True with the path to write; false when the technician cancels or will not replace the file that
// is there (path unchanged). The default extension is added to a name without one, and a file that
// exists is only chosen after the question whether to replace it, answered Yes.
bool ChooseFileToSave(HWindow owner, const SaveFileRequest& request, std::string* path);

namespace detail {
// The default extension as the system takes it: no "*." or "." in front.
std::string BareExtension(const std::string& extension);
// The path with ".extension" added when its file name has no extension.
std::string WithDefaultExtension(const std::string& path, const std::string& extension);
}  // namespace detail

}  // namespace ui
