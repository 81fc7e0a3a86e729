#include <windows.h>

#include <string>

#include "../common/ExecutableFolderOverride.h"
#include "platform/ModulePath.h"

namespace platform {
namespace {

std::string CurrentFolder() {
    char buffer[MAX_PATH + 1] = {};
    DWORD length = GetCurrentDirectoryA(MAX_PATH, buffer);
    if (length == 0 || length >= MAX_PATH) {
        return ".\\";
    }
    std::string folder(buffer, length);
    if (folder.back() != '\\' && folder.back() != '/') {
        folder.push_back('\\');
    }
    return folder;
}

}  // namespace

const char detail::kPathSeparator = '\\';

std::string detail::FolderOfRunningExecutable() {
    // GetModuleFileNameA cuts the path without telling when the buffer is too small: grow until it fits.
    for (DWORD size = MAX_PATH; size <= 32768; size *= 2) {
        std::string path(size, '\0');
        DWORD length = GetModuleFileNameA(nullptr, path.data(), size);
        if (length == 0) {
            break;
        }
        if (length < size) {
            path.resize(length);
            std::size_t separator = path.find_last_of("\\/");
            if (separator == std::string::npos) {
                break;
            }
            return path.substr(0, separator + 1);
        }
    }
    return CurrentFolder();
}

std::string NativePath(const std::string& path) {
    return path;
}

}  // namespace platform
