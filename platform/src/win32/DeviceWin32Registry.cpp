#include "DeviceWin32Registry.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "platform/DebugOutput.h"

namespace platform::detail {
namespace {

// The registry calls return their error instead of setting the thread's last error.
DeviceError FromRegistryError(LONG error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_NO_MORE_ITEMS:
            return DeviceError::NotFound;
        case ERROR_ACCESS_DENIED:
            return DeviceError::AccessDenied;
        default:
            return DeviceError::Io;
    }
}

DeviceError Report(const char* step, const std::string& what, unsigned long error) {
    char code[32];
    std::snprintf(code, sizeof code, ": error %lu\n", error);
    DebugOutput(("win32 device: " + std::string(step) + " " + what + code).c_str());
    return FromRegistryError(static_cast<LONG>(error));
}

// One open key below the local-machine root, closed with its owner.
class RegistryKey {
public:
    RegistryKey(const std::string& path, REGSAM access)
        : error_(RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, access, &key_)) {}
    ~RegistryKey() {
        if (error_ == ERROR_SUCCESS) {
            RegCloseKey(key_);
        }
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    LONG Error() const { return error_; }
    HKEY Handle() const { return key_; }

private:
    HKEY key_ = nullptr;
    LONG error_;
};

bool IsText(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

}  // namespace

DeviceError ReadRegistryValue(const std::string& key, const std::string& name,
                              std::vector<std::uint8_t>* value) {
    value->clear();
    RegistryKey opened(key, KEY_READ);
    if (opened.Error() != ERROR_SUCCESS) {
        return Report("open key", key, static_cast<unsigned long>(opened.Error()));
    }
    // The value may grow between asking its size and reading it; then the size is asked again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        DWORD type = 0;
        DWORD size = 0;
        LONG error = RegQueryValueExA(opened.Handle(), name.c_str(), nullptr, &type, nullptr, &size);
        if (error != ERROR_SUCCESS) {
            return Report("read value size", key + "\\" + name, static_cast<unsigned long>(error));
        }
        value->assign(size, 0);
        error = RegQueryValueExA(opened.Handle(), name.c_str(), nullptr, &type, value->data(), &size);
        if (error == ERROR_MORE_DATA) {
            continue;
        }
        if (error != ERROR_SUCCESS) {
            value->clear();
            return Report("read value", key + "\\" + name, static_cast<unsigned long>(error));
        }
        value->resize(size);
        // A text is stored with its NUL, though not every writer puts one there.
        if (IsText(type) && !value->empty() && value->back() == 0) {
            value->pop_back();
        }
        return DeviceError::None;
    }
    value->clear();
    return Report("read value", key + "\\" + name, ERROR_MORE_DATA);
}

DeviceError EnumRegistrySubkey(const std::string& key, std::uint32_t index, std::string* name) {
    name->clear();
    RegistryKey opened(key, KEY_READ);
    if (opened.Error() != ERROR_SUCCESS) {
        return Report("open key", key, static_cast<unsigned long>(opened.Error()));
    }
    char buffer[1000];
    DWORD length = sizeof buffer;
    const LONG error =
        RegEnumKeyExA(opened.Handle(), index, buffer, &length, nullptr, nullptr, nullptr, nullptr);
    if (error == ERROR_NO_MORE_ITEMS) {
        return DeviceError::NotFound;  // the end of the enumeration, not a failure
    }
    if (error != ERROR_SUCCESS) {
        return Report("enumerate subkey", key, static_cast<unsigned long>(error));
    }
    name->assign(buffer, length < sizeof buffer ? length : sizeof buffer);
    return DeviceError::None;
}

DeviceError WriteRegistryBinary(const std::string& key, const std::string& name,
                                const std::vector<std::uint8_t>& value) {
    RegistryKey opened(key, KEY_ALL_ACCESS);
    if (opened.Error() != ERROR_SUCCESS) {
        return Report("open key", key, static_cast<unsigned long>(opened.Error()));
    }
    const LONG error = RegSetValueExA(opened.Handle(), name.c_str(), 0, REG_BINARY, value.data(),
                                      static_cast<DWORD>(value.size()));
    return error == ERROR_SUCCESS
               ? DeviceError::None
               : Report("write value", key + "\\" + name, static_cast<unsigned long>(error));
}

DeviceError QueryFileVersion(const std::string& fileName, std::string* version) {
    version->clear();
    char path[MAX_PATH + 1] = {};
    const DWORD found = SearchPathA(nullptr, fileName.c_str(), nullptr, MAX_PATH, path, nullptr);
    if (found == 0 || found >= MAX_PATH) {
        return DeviceError::NotFound;  // the usual case: the driver is not installed
    }
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    if (size == 0) {
        Report("version resource of", path, GetLastError());
        return DeviceError::NotFound;
    }
    std::vector<std::uint8_t> resource(size, 0);
    if (!GetFileVersionInfoA(path, 0, size, resource.data())) {
        Report("read version resource of", path, GetLastError());
        return DeviceError::NotFound;
    }
    // The translation table holds pairs of 16-bit language and code page; the first pair names the
    // string table to read.
    void* translation = nullptr;
    UINT translationLength = 0;
    if (!VerQueryValueA(resource.data(), "\\VarFileInfo\\Translation", &translation, &translationLength) ||
        translationLength < 2 * sizeof(WORD)) {
        return DeviceError::NotFound;
    }
    WORD pair[2];
    std::memcpy(pair, translation, sizeof pair);
    char query[64];
    std::snprintf(query, sizeof query, "\\StringFileInfo\\%04X%04X\\FileVersion", pair[0], pair[1]);
    void* text = nullptr;
    UINT textLength = 0;
    if (!VerQueryValueA(resource.data(), query, &text, &textLength) || text == nullptr) {
        return DeviceError::NotFound;
    }
    // The length counts characters and, depending on the system, the NUL: stop at whichever comes first.
    const char* characters = static_cast<const char*>(text);
    std::size_t length = 0;
    while (length < textLength && characters[length] != '\0') {
        ++length;
    }
    version->assign(characters, length);
    return DeviceError::None;
}

}  // namespace platform::detail
