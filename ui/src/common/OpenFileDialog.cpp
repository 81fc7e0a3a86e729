#include "ui/OpenFileDialog.h"

#include <cstring>

#include "OpenFileDialogNative.h"
#include "ui/Backend.h"
#include "ui/Scenario.h"

namespace ui {

bool ChooseFileToOpen(HWindow owner, const OpenFileRequest& request, std::string* path) {
    IBackend& backend = Backend();
    if (Scenario* scenario = backend.AttachedScenario()) {
        return scenario->AnswerOpenFile(path);
    }
    if (std::strcmp(backend.Name(), "win32") == 0) {
        return detail::SystemChooseFileToOpen(owner, request, path);
    }
    return false;
}

}  // namespace ui
