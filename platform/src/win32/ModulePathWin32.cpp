#include <windows.h>

#include <string>

#include "../common/ExecutableFolderOverride.h"
#include "platform/ModulePath.h"

namespace platform {
namespace {

// The folder of a module's file, with its separator; empty when the OS does not tell.
std::string FolderOfModule(HMODULE module) {
    // GetModuleFileNameA cuts the path without telling when the buffer is too small: grow until it fits.
    for (DWORD size = MAX_PATH; size <= 32768; size *= 2) {
        std::string path(size, '\0');
        DWORD length = GetModuleFileNameA(module, path.data(), size);
        if (length == 0) {
            break;
        }
        if (length < size) {
            path.resize(length);
            std::size_t separator = path.find_last_of("\\/");
            return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
        }
    }
    return {};
}

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
    std::string folder = FolderOfModule(nullptr);
    return folder.empty() ? CurrentFolder() : folder;
}

std::string ModuleFolderContaining(const void* address) {
    HMODULE module = nullptr;
    if (address == nullptr || !GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                                      GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                                  static_cast<LPCSTR>(address), &module)) {
        return {};
    }
    return FolderOfModule(module);
}

std::string NativePath(const std::string& path) {
    return path;
}

}  // namespace platform
