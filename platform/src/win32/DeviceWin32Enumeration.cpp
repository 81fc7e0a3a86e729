#include "DeviceWin32Enumeration.h"

#include <setupapi.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <memory>

#include "platform/DebugOutput.h"

namespace platform::detail {
namespace {

// The USB printer interface class of the system's printer-class driver.
constexpr GUID kUsbPrinterClass = {
    0x28D78FAD, 0x5A12, 0x11D1, {0xAE, 0x5B, 0x00, 0x00, 0xF8, 0x03, 0xA8, 0xC2}};
// The interface class of the maker's own USB printer class driver (Windows 98 and Me).
constexpr GUID kMakerUsbClass = {
    0x3F81C6D2, 0x2E57, 0x4A90, {0x9B, 0x1D, 0x6C, 0x0E, 0x84, 0xA7, 0xF2, 0x15}};
// The maker's USB vendor id as it appears, lower-cased, in a device path.
constexpr char kMakerVendor[] = "vid_1d6f";

// One interface set, destroyed with its owner.
class InterfaceSet {
public:
    explicit InterfaceSet(const GUID& interfaceClass)
        : set_(
              SetupDiGetClassDevsA(&interfaceClass, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE)),
          class_(interfaceClass) {}
    ~InterfaceSet() {
        if (Valid()) {
            SetupDiDestroyDeviceInfoList(set_);
        }
    }
    InterfaceSet(const InterfaceSet&) = delete;
    InterfaceSet& operator=(const InterfaceSet&) = delete;

    bool Valid() const { return set_ != INVALID_HANDLE_VALUE; }

    // The interface at index; false when the enumeration has ended.
    bool Interface(DWORD index, SP_DEVICE_INTERFACE_DATA* data) const {
        data->cbSize = sizeof *data;
        return SetupDiEnumDeviceInterfaces(set_, nullptr, &class_, index, data) != FALSE;
    }

    // The interface's device path (size asked first, then read), with its device information record.
    bool Detail(SP_DEVICE_INTERFACE_DATA* data, std::string* path, SP_DEVINFO_DATA* device) const {
        DWORD size = 0;
        SetupDiGetDeviceInterfaceDetailA(set_, data, nullptr, 0, &size, nullptr);
        if (size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A)) {
            return false;
        }
        auto storage = std::make_unique<std::uint8_t[]>(size);
        auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(storage.get());
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
        device->cbSize = sizeof *device;
        if (!SetupDiGetDeviceInterfaceDetailA(set_, data, detail, size, nullptr, device)) {
            return false;
        }
        *path = detail->DevicePath;
        return true;
    }

    HKEY InterfaceKey(SP_DEVICE_INTERFACE_DATA* data, REGSAM access) const {
        return SetupDiOpenDeviceInterfaceRegKey(set_, data, 0, access);
    }
    HKEY DeviceKey(SP_DEVINFO_DATA* device, REGSAM access) const {
        return SetupDiOpenDevRegKey(set_, device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, access);
    }

private:
    HDEVINFO set_;
    GUID class_;
};

bool ReadNumber(HKEY key, const char* name, DWORD* value) {
    DWORD type = 0;
    DWORD size = sizeof *value;
    return RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) ==
               ERROR_SUCCESS &&
           type == REG_DWORD;
}

// A string value read into a zero-filled 64-byte buffer, always terminated.
std::string ReadShortText(HKEY key, const char* name) {
    char text[65] = {};
    DWORD size = 64;
    if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size) !=
        ERROR_SUCCESS) {
        return {};
    }
    return text;
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

}  // namespace

HANDLE OpenShared(const std::string& path) {
    return CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                       nullptr, OPEN_EXISTING, 0, nullptr);
}

bool ParseGuid(const std::string& text, GUID* guid) {
    unsigned long data1 = 0;
    unsigned data2 = 0;
    unsigned data3 = 0;
    unsigned bytes[8] = {};
    char end = 0;
    if (std::sscanf(text.c_str(), "{%8lx-%4x-%4x-%2x%2x-%2x%2x%2x%2x%2x%2x%c", &data1, &data2, &data3,
                    &bytes[0], &bytes[1], &bytes[2], &bytes[3], &bytes[4], &bytes[5], &bytes[6], &bytes[7],
                    &end) != 12 ||
        end != '}') {
        return false;
    }
    guid->Data1 = data1;
    guid->Data2 = static_cast<unsigned short>(data2);
    guid->Data3 = static_cast<unsigned short>(data3);
    for (int i = 0; i < 8; ++i) {
        guid->Data4[i] = static_cast<unsigned char>(bytes[i]);
    }
    return true;
}

DeviceError EnumerateInterfaces(const GUID& interfaceClass, std::vector<DeviceInterfaceEntry>* entries) {
    InterfaceSet set(interfaceClass);
    if (!set.Valid()) {
        return DeviceError::NotFound;
    }
    SP_DEVICE_INTERFACE_DATA data;
    for (DWORD index = 0; set.Interface(index, &data); ++index) {
        DeviceInterfaceEntry entry;
        SP_DEVINFO_DATA device;
        if (!set.Detail(&data, &entry.devicePath, &device)) {
            continue;
        }
        HKEY key = set.InterfaceKey(&data, KEY_READ);
        if (key != INVALID_HANDLE_VALUE) {
            DWORD number = 0;
            entry.portNumber = ReadNumber(key, "Port Number", &number) ? number : 0;
            RegCloseKey(key);
        }
        key = set.DeviceKey(&device, KEY_READ);
        if (key != INVALID_HANDLE_VALUE) {
            entry.portName = ReadShortText(key, "PortName");
            RegCloseKey(key);
        }
        entries->push_back(std::move(entry));
    }
    return DeviceError::None;
}

HANDLE OpenUsbPrinterClassPort(std::uint32_t k) {
    InterfaceSet set(kUsbPrinterClass);
    if (!set.Valid()) {
        return INVALID_HANDLE_VALUE;
    }
    SP_DEVICE_INTERFACE_DATA data;
    for (DWORD index = 0; set.Interface(index, &data); ++index) {
        std::string path;
        SP_DEVINFO_DATA device;
        if (!set.Detail(&data, &path, &device) || Lower(path).find(kMakerVendor) == std::string::npos) {
            continue;
        }
        HKEY key = set.InterfaceKey(&data, KEY_READ);
        if (key == INVALID_HANDLE_VALUE) {
            return INVALID_HANDLE_VALUE;
        }
        DWORD number = 0;
        const bool wanted = ReadNumber(key, "Port Number", &number) && number == k;
        RegCloseKey(key);
        if (wanted) {
            return OpenShared(path);
        }
    }
    return INVALID_HANDLE_VALUE;
}

HANDLE OpenMakerClassPort(std::uint32_t k) {
    char portName[32];
    std::snprintf(portName, sizeof portName, "KXUSB%u:", k);
    {
        InterfaceSet set(kMakerUsbClass);
        SP_DEVICE_INTERFACE_DATA data;
        for (DWORD index = 0; set.Valid() && set.Interface(index, &data); ++index) {
            std::string path;
            SP_DEVINFO_DATA device;
            if (!set.Detail(&data, &path, &device)) {
                continue;
            }
            HKEY key = set.DeviceKey(&device, KEY_ALL_ACCESS);
            if (key == INVALID_HANDLE_VALUE) {
                return INVALID_HANDLE_VALUE;
            }
            const std::string name = ReadShortText(key, "PortName");
            RegCloseKey(key);
            if (lstrcmpiA(name.c_str(), portName) == 0) {
                return OpenShared(path);
            }
        }
    }
    return OpenShared(std::string("\\\\.\\") + portName);
}

}  // namespace platform::detail
