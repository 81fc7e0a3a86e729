#include <windows.h>

#include <string>

#include "platform/DebugOutput.h"
#include "platform/DynamicLibrary.h"

namespace platform {

std::string LibraryFileName(const std::string& windowsName) {
    return windowsName;
}

LibraryHandle LoadSharedLibrary(const std::string& windowsName) {
    HMODULE module = LoadLibraryA(windowsName.c_str());
    if (module == nullptr) {
        DebugOutput(
            ("Cannot load " + windowsName + ": error " + std::to_string(GetLastError()) + "\n").c_str());
    }
    return reinterpret_cast<LibraryHandle>(module);
}

void* FindLibraryFunction(LibraryHandle library, const char* name) {
    if (library == nullptr || name == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void FreeSharedLibrary(LibraryHandle library) {
    if (library != nullptr) {
        FreeLibrary(static_cast<HMODULE>(library));
    }
}

}  // namespace platform
