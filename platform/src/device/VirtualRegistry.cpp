#include "platform/VirtualRegistry.h"

#include <algorithm>
#include <cctype>

namespace platform {
namespace {

constexpr char kServiceKey[] = "SYSTEM\\CurrentControlSet\\Services\\usbprint\\Enum";
constexpr char kEnumKey[] = "SYSTEM\\CurrentControlSet\\Enum\\";
// The printer-class bus keeps its devices one level deeper, below a key per hardware id.
constexpr char kPrinterClassKey[] = "SYSTEM\\CurrentControlSet\\Enum\\USBPRINT\\VIRTUAL_PRINTER\\";
constexpr char kUsbPrinterClass[] = "{28d78fad-5a12-11d1-ae5b-0000f803a8c2}";

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

}  // namespace

std::vector<std::uint32_t> VirtualUsbPortNumbers(const std::vector<std::string>& portNames) {
    std::vector<std::uint32_t> numbers;
    for (const std::string& name : portNames) {
        if (name.size() < 4 || name.size() > 8 || Lower(name.substr(0, 3)) != "usb" ||
            !std::all_of(name.begin() + 3, name.end(), [](unsigned char c) { return std::isdigit(c); })) {
            continue;
        }
        const std::uint32_t k = static_cast<std::uint32_t>(std::stoul(name.substr(3)));
        if (k != 0) {
            numbers.push_back(k);
        }
    }
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    return numbers;
}

VirtualUsbRegistry::VirtualUsbRegistry(const std::vector<std::uint32_t>& usbPorts) {
    Key& service = AddKey(kServiceKey);
    const auto count = static_cast<std::uint32_t>(usbPorts.size());
    service.values["count"] = {static_cast<std::uint8_t>(count), static_cast<std::uint8_t>(count >> 8),
                               static_cast<std::uint8_t>(count >> 16),
                               static_cast<std::uint8_t>(count >> 24)};
    for (std::size_t i = 0; i < usbPorts.size(); ++i) {
        const std::string k = std::to_string(usbPorts[i]);
        const std::string instance = kVirtualUsbInstancePrefix + k;
        const std::string parentIdPrefix = "7&vprt&" + k + "&0";
        AddText(kServiceKey, std::to_string(i), instance);
        AddText(kEnumKey + instance, "ParentIdPrefix", parentIdPrefix);
        AddText(kEnumKey + instance + "\\Device Parameters", "SymbolicName",
                "\\??\\USB#VID_1D6F&PID_0005#VPRINTER-USB" + k + "#" + kUsbPrinterClass);
        AddText(kPrinterClassKey + parentIdPrefix + "&0\\Device Parameters", "PortName", "USB00" + k);
    }
}

VirtualUsbRegistry::Key& VirtualUsbRegistry::AddKey(const std::string& path) {
    const std::string lower = Lower(path);
    const auto found = keys_.find(lower);
    if (found != keys_.end()) {
        return found->second;
    }
    const std::size_t slash = path.rfind('\\');
    if (slash != std::string::npos) {
        AddKey(path.substr(0, slash)).subkeys.push_back(path.substr(slash + 1));
    }
    return keys_[lower];
}

void VirtualUsbRegistry::AddText(const std::string& key, const std::string& name, const std::string& text) {
    AddKey(key).values[Lower(name)] = std::vector<std::uint8_t>(text.begin(), text.end());
}

DeviceError VirtualUsbRegistry::ReadValue(const std::string& key, const std::string& name,
                                          std::vector<std::uint8_t>* value) const {
    value->clear();
    const auto found = keys_.find(Lower(key));
    if (found == keys_.end()) {
        return DeviceError::NotFound;
    }
    const auto entry = found->second.values.find(Lower(name));
    if (entry == found->second.values.end()) {
        return DeviceError::NotFound;
    }
    *value = entry->second;
    return DeviceError::None;
}

DeviceError VirtualUsbRegistry::EnumSubkey(const std::string& key, std::uint32_t index,
                                           std::string* name) const {
    name->clear();
    const auto found = keys_.find(Lower(key));
    if (found == keys_.end() || index >= found->second.subkeys.size()) {
        return DeviceError::NotFound;
    }
    *name = found->second.subkeys[index];
    return DeviceError::None;
}

}  // namespace platform
