#include <windows.h>

#include <commdlg.h>

#include <vector>

#include "../common/OpenFileDialogNative.h"

namespace ui::detail {

bool SystemChooseFileToOpen(HWindow owner, const OpenFileRequest& request, std::string* path) {
    // The filter's pairs are separated by '|' in our form and by NUL in the system's, which ends
    // the list with two.
    std::vector<char> filter(request.filter.begin(), request.filter.end());
    for (char& c : filter) {
        if (c == '|') {
            c = '\0';
        }
    }
    filter.push_back('\0');
    filter.push_back('\0');
    char chosen[MAX_PATH] = {};
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = reinterpret_cast<HWND>(owner);
    dialog.lpstrFilter = request.filter.empty() ? nullptr : filter.data();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = chosen;
    dialog.nMaxFile = sizeof chosen;
    dialog.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
    dialog.lpstrDefExt = request.defaultExtension.empty() ? nullptr : request.defaultExtension.c_str();
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameA(&dialog)) {
        return false;
    }
    *path = chosen;
    return true;
}

}  // namespace ui::detail
