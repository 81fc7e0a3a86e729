#include "UsbDiscovery.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <vector>

#include "DriverModule.h"
#include "drvlib/CWinVexilDrv.h"
#include "protocol/PrinterCommandCodes.h"

namespace drvlib {
namespace {

constexpr char kUsbPrintEnum[] = "SYSTEM\\CurrentControlSet\\Services\\usbprint\\Enum";
constexpr char kEnumRoot[] = "SYSTEM\\CurrentControlSet\\Enum\\";
constexpr char kUsbPrintDevices[] = "SYSTEM\\CurrentControlSet\\Enum\\USBPRINT";
constexpr char kPrinterInterfaceClass[] = "{28d78fad-5a12-11d1-ae5b-0000f803a8c2}";
constexpr char kDeviceClassesRoot[] = "SYSTEM\\CurrentControlSet\\Control\\DeviceClasses\\";
constexpr char kPortsClass[] = "System\\CurrentControlSet\\Services\\Class\\Ports";

platform::DeviceBackend& Backend() {
    return platform::ActiveDeviceBackend();
}

bool ReadText(const std::string& key, const std::string& name, std::string* text) {
    std::vector<std::uint8_t> value;
    if (Backend().ReadRegistryValue(key, name, &value) != platform::DeviceError::None) {
        return false;
    }
    // A string value may carry its terminating NUL; the text ends at the first one.
    const auto nul = std::find(value.begin(), value.end(), std::uint8_t{0});
    text->assign(value.begin(), nul);
    return true;
}

bool ReadCount(const std::string& key, const std::string& name, std::uint32_t* count) {
    std::vector<std::uint8_t> value;
    if (Backend().ReadRegistryValue(key, name, &value) != platform::DeviceError::None || value.size() < 4) {
        return false;
    }
    *count = static_cast<std::uint32_t>(value[0]) | static_cast<std::uint32_t>(value[1]) << 8 |
             static_cast<std::uint32_t>(value[2]) << 16 | static_cast<std::uint32_t>(value[3]) << 24;
    return true;
}

std::vector<std::string> Subkeys(const std::string& key) {
    std::vector<std::string> names;
    std::string name;
    // The enumeration ends at its first refusal; a registry never holds this many subkeys of one key.
    for (std::uint32_t index = 0; index < 100000; ++index) {
        if (Backend().EnumRegistrySubkey(key, index, &name) != platform::DeviceError::None) {
            break;
        }
        names.push_back(name);
    }
    return names;
}

enum class Match { Found, NotHere, Failed };

// Looks for the printer-class port of one USB device (its parent-id prefix) among the USBPRINT
// devices.
Match MatchPortName(const std::string& parentIdPrefix, const std::string& wanted) {
    for (const std::string& device : Subkeys(kUsbPrintDevices)) {
        const std::string deviceKey = std::string(kUsbPrintDevices) + "\\" + device;
        for (const std::string& instance : Subkeys(deviceKey)) {
            if (instance.find(parentIdPrefix) == std::string::npos) {
                continue;
            }
            std::string portName;
            if (!ReadText(deviceKey + "\\" + instance + "\\Device Parameters", "PortName", &portName)) {
                return Match::Failed;
            }
            if (wanted.empty() || portName == wanted) {
                return Match::Found;
            }
        }
    }
    return Match::NotHere;
}

std::string InterfacePathOf(const std::string& instancePath) {
    std::string symbolic;
    ReadText(std::string(kEnumRoot) + instancePath + "\\Device Parameters", "SymbolicName", &symbolic);
    if (symbolic.empty()) {
        std::string interfaceKey = instancePath;
        std::replace(interfaceKey.begin(), interfaceKey.end(), '\\', '#');
        interfaceKey = "##?#" + interfaceKey;
        ReadText(std::string(kDeviceClassesRoot) + kPrinterInterfaceClass + "\\" + interfaceKey + "#" +
                     kPrinterInterfaceClass + "\\#",
                 "SymbolicLink", &symbolic);
    }
    // The registry holds the NT form "\??\USB#..."; the Win32 form begins "\\?\".
    if (symbolic.size() > 1) {
        symbolic[1] = '\\';
    }
    return symbolic;
}

}  // namespace

std::string FindUsbPrinterPath(int number) {
    std::uint32_t count = 0;
    if (!ReadCount(kUsbPrintEnum, "Count", &count) || count == 0) {
        return {};
    }
    char wanted[32] = {};
    if (number != 0) {
        std::snprintf(wanted, sizeof wanted, "USB00%d", number);
    }
    for (std::uint32_t i = 0; i < count; ++i) {
        std::string instancePath;
        if (!ReadText(kUsbPrintEnum, std::to_string(i), &instancePath)) {
            return {};
        }
        std::string parentIdPrefix;
        if (!ReadText(std::string(kEnumRoot) + instancePath, "ParentIdPrefix", &parentIdPrefix)) {
            return {};
        }
        switch (MatchPortName(parentIdPrefix, wanted)) {
            case Match::Found:
                return InterfacePathOf(instancePath);
            case Match::Failed:
                return {};
            case Match::NotHere:
                break;
        }
    }
    return {};
}

std::string FindInterfaceByPortName(const std::string& interfaceClass, const std::string& portName) {
    std::vector<platform::DeviceInterfaceEntry> entries;
    if (Backend().ListInterfaces(interfaceClass, &entries) != platform::DeviceError::None) {
        return {};
    }
    const auto sameText = [](const std::string& a, const std::string& b) {
        return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
                   return std::tolower(static_cast<unsigned char>(x)) ==
                          std::tolower(static_cast<unsigned char>(y));
               });
    };
    for (const platform::DeviceInterfaceEntry& entry : entries) {
        if (sameText(entry.portName.substr(0, 63), portName)) {
            return entry.devicePath;
        }
    }
    return {};
}

bool SwitchPortDriver(bool on) {
    for (const std::string& port : Subkeys(kPortsClass)) {
        const std::string key = std::string(kPortsClass) + "\\" + port;
        std::string provider;
        if (!ReadText(key, "ProviderName", &provider) || provider != "ORLEX") {
            continue;
        }
        const std::vector<std::uint8_t> value = {
            0x0C, 0x00, 0x00, 0x00, 0x00, 0x00, static_cast<std::uint8_t>(on ? 0x00 : 0x01),
            0x01, 0x00, 0x00, 0x00, 0x00};
        Backend().WriteRegistryBinary(key, "KCB", value);
        return true;
    }
    return false;
}

}  // namespace drvlib

namespace {

constexpr char kMakerUsbClass[] = "{3F81C6D2-2E57-4A90-9B1D-6C0E84A7F215}";

// The Setup API is reached through the device seam's interface enumeration, which the win32 back-end
// links; the library only counts that it is in use, as the binding did.
bool setupLibraryBound = false;

std::int32_t OpenInterface(const char* interfaceClass, const CString& portName) {
    const std::string path = drvlib::FindInterfaceByPortName(interfaceClass, portName.ToStdString());
    return path.empty() ? drvlib::kInvalidHandle : drvlib::OpenPath(path);
}

}  // namespace

int CWinVexilDrv::IsKXUSBHDD3() {
    std::string version;
    if (platform::ActiveDeviceBackend().QueryFileVersion("KXUSB.SYS", &version) !=
        platform::DeviceError::None) {
        return 0;
    }
    return version.rfind('2', 0) == 0 ? 0 : 1;
}

std::int32_t CWinVexilDrv::OpenKxusbHDD3(CString portName) {
    if (!Load_SETUPAPI()) {
        return drvlib::kInvalidHandle;
    }
    const std::int32_t handle = OpenInterface(kMakerUsbClass, portName);
    Free_SETUPAPI();
    return handle;
}

std::int32_t CWinVexilDrv::OpenIEEE1394(CString portName) {
    if (!Load_SETUPAPI()) {
        return drvlib::kInvalidHandle;
    }
    const std::int32_t handle = OpenInterface(protocol::ieee1394::kInterfaceClass, portName);
    Free_SETUPAPI();
    return handle;
}

int CWinVexilDrv::Load_SETUPAPI() {
    setupLibraryBound = true;
    return 1;
}

void CWinVexilDrv::Free_SETUPAPI() {
    setupLibraryBound = false;
}
