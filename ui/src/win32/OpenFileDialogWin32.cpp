#include <windows.h>

#include <commdlg.h>

#include <vector>

#include "../common/OpenFileDialogNative.h"

namespace ui::detail {
namespace {

// The filter's pairs are separated by '|' in our form and by NUL in the system's, which ends the
// list with two.
std::vector<char> SystemFilter(const std::string& ours) {
    std::vector<char> filter(ours.begin(), ours.end());
    for (char& c : filter) {
        if (c == '|') {
            c = '\0';
        }
    }
    filter.push_back('\0');
    filter.push_back('\0');
    return filter;
}

}  // namespace

bool SystemChooseFileToOpen(HWindow owner, const OpenFileRequest& request, std::string* path) {
    std::vector<char> filter = SystemFilter(request.filter);
    char chosen[MAX_PATH] = {};
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = reinterpret_cast<HWND>(owner);
    dialog.lpstrFilter = request.filter.empty() ? nullptr : filter.data();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = chosen;
    dialog.nMaxFile = sizeof chosen;
    dialog.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
    const std::string extension = BareExtension(request.defaultExtension);
    dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameA(&dialog)) {
        return false;
    }
    *path = chosen;
    return true;
}

bool SystemChooseFileToSave(HWindow owner, const SaveFileRequest& request, std::string* path) {
    std::vector<char> filter = SystemFilter(request.filter);
    char chosen[MAX_PATH] = {};
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = reinterpret_cast<HWND>(owner);
    dialog.lpstrFilter = request.filter.empty() ? nullptr : filter.data();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = chosen;
    dialog.nMaxFile = sizeof chosen;
    dialog.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
    // The system adds the extension to a typed name without one; it takes it without "*." or ".".
    const std::string extension = BareExtension(request.defaultExtension);
    dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    dialog.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                   (request.overwritePrompt ? OFN_OVERWRITEPROMPT : 0);
    if (!GetSaveFileNameA(&dialog)) {
        return false;
    }
    *path = chosen;
    return true;
}

}  // namespace ui::detail
