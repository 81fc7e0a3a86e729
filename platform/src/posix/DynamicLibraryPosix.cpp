#include <dlfcn.h>

#include <string>

#include "../common/ExecutableFolderOverride.h"
#include "platform/DebugOutput.h"
#include "platform/DynamicLibrary.h"
#include "platform/ModulePath.h"

namespace platform {
namespace {

bool EndsWithIgnoringCase(const std::string& text, const std::string& suffix) {
    if (text.size() < suffix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        char c = text[text.size() - suffix.size() + i];
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
        if (c != suffix[i]) {
            return false;
        }
    }
    return true;
}

void* OpenLibrary(const std::string& path, std::string* errors) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* reason = dlerror();
        *errors += "\n  " + path + ": " + (reason != nullptr ? reason : "not loaded");
    }
    return handle;
}

}  // namespace

std::string LibraryFileName(const std::string& windowsName) {
    std::string native = NativePath(windowsName);
    std::size_t slash = native.rfind('/');
    std::string folder = slash == std::string::npos ? std::string() : native.substr(0, slash + 1);
    std::string name = slash == std::string::npos ? native : native.substr(slash + 1);
    if (EndsWithIgnoringCase(name, ".so")) {
        return native;
    }
    if (EndsWithIgnoringCase(name, ".dll")) {
        name.resize(name.size() - 4);
    }
    return folder + "lib" + name + ".so";
}

LibraryHandle LoadSharedLibrary(const std::string& windowsName) {
    std::string fileName = LibraryFileName(windowsName);
    std::string errors;
    if (fileName.find('/') != std::string::npos) {
        if (void* handle = OpenLibrary(fileName, &errors)) {
            return handle;
        }
    } else {
        // The libraries are installed beside the program, as on Windows, where the loader looks in the
        // program's folder first.
        std::string folders[] = {ExecutableFolder(), detail::RunningExecutableFolder()};
        for (const std::string& folder : folders) {
            if (void* handle = OpenLibrary(folder + fileName, &errors)) {
                return handle;
            }
        }
        if (void* handle = OpenLibrary(fileName, &errors)) {
            return handle;
        }
    }
    DebugOutput(("Cannot load " + windowsName + ":" + errors + "\n").c_str());
    return nullptr;
}

void* FindLibraryFunction(LibraryHandle library, const char* name) {
    if (library == nullptr || name == nullptr) {
        return nullptr;
    }
    return dlsym(library, name);
}

void FreeSharedLibrary(LibraryHandle library) {
    if (library != nullptr) {
        dlclose(library);
    }
}

}  // namespace platform
