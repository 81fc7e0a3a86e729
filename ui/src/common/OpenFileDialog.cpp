#include "ui/OpenFileDialog.h"

#include <cstring>
#include <filesystem>
#include <system_error>

#include "OpenFileDialogNative.h"
#include "ui/Backend.h"
#include "ui/CDialog.h"
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

bool ChooseFileToSave(HWindow owner, const SaveFileRequest& request, std::string* path) {
    IBackend& backend = Backend();
    if (Scenario* scenario = backend.AttachedScenario()) {
        std::string chosen;
        if (!scenario->AnswerOpenFile(&chosen)) {
            return false;
        }
        chosen = detail::WithDefaultExtension(chosen, request.defaultExtension);
        // The scenario answers the replace question as the technician answers the system's.
        std::error_code error;
        if (request.overwritePrompt && std::filesystem::exists(chosen, error) &&
            MessageBox(owner, chosen + " already exists.\nDo you want to replace it?", "Confirm Save As",
                       BoxButtons::YesNo, BoxIcon::Warning) != kIdYes) {
            return false;
        }
        *path = chosen;
        return true;
    }
    if (std::strcmp(backend.Name(), "win32") == 0) {
        return detail::SystemChooseFileToSave(owner, request, path);
    }
    return false;
}

namespace detail {

std::string BareExtension(const std::string& extension) {
    std::string bare = extension;
    if (bare.rfind("*.", 0) == 0) {
        bare.erase(0, 2);
    } else if (bare.rfind('.', 0) == 0) {
        bare.erase(0, 1);
    }
    return bare;
}

std::string WithDefaultExtension(const std::string& path, const std::string& extension) {
    const std::string bare = BareExtension(extension);
    const std::size_t nameStart = path.find_last_of("/\\");
    const std::size_t dot = path.find('.', nameStart == std::string::npos ? 0 : nameStart + 1);
    if (bare.empty() || path.empty() || dot != std::string::npos) {
        return path;
    }
    return path + "." + bare;
}

}  // namespace detail
}  // namespace ui
