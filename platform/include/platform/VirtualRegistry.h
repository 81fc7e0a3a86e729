// The registry keys that the device-driver library's USB port discovery reads on the NT line, as
// Windows would hold them for the virtual printers' USB ports: the printer-class service lists each
// printer's device instance, the USB bus gives the instance its parent-id prefix and its symbolic
// link, and the printer-class bus names the port ("USB00k") under a key that carries the prefix.
// Both virtual back-ends (the server's and the in-process one) answer registry reads from here, so the
// discovery finds the same printers on either.
//
// All keys lie below the local-machine root:
//   SYSTEM\CurrentControlSet\Services\usbprint\Enum      "Count" (DWORD), "0", "1", ... instance paths
//   SYSTEM\CurrentControlSet\Enum\USB\VID_1D6F&PID_0005\VPRINTER-USBk
//                                                         "ParentIdPrefix" 7&vprt&k&0
//     ...\Device Parameters                               "SymbolicName" \??\USB#VID_1D6F&PID_0005#...
//   SYSTEM\CurrentControlSet\Enum\USBPRINT\VIRTUAL_PRINTER\7&vprt&k&0&0\Device Parameters
//                                                         "PortName" USB00k
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/Device.h"

namespace platform {

// The device instance path of the virtual printer at USB port k, without k.
inline constexpr char kVirtualUsbInstancePrefix[] = "USB\\VID_1D6F&PID_0005\\VPRINTER-USB";

// The numbers k of the port names "USBk" among portNames ("USB1", "LPT1", "usb10"), in increasing
// order, each once. Other names are left out.
std::vector<std::uint32_t> VirtualUsbPortNumbers(const std::vector<std::string>& portNames);

class VirtualUsbRegistry {
public:
    // The USB printers present, by port number, in the order the printer-class service lists them.
    explicit VirtualUsbRegistry(const std::vector<std::uint32_t>& usbPorts);

    // As DeviceBackend::ReadRegistryValue: texts without their NUL, "Count" as four bytes low byte
    // first. Keys and value names match ignoring case, as in the registry. NotFound for a key or
    // value that is not there.
    DeviceError ReadValue(const std::string& key, const std::string& name,
                          std::vector<std::uint8_t>* value) const;
    // As DeviceBackend::EnumRegistrySubkey: NotFound past the last subkey or for a key not there.
    DeviceError EnumSubkey(const std::string& key, std::uint32_t index, std::string* name) const;

private:
    struct Key {
        std::map<std::string, std::vector<std::uint8_t>> values;  // by lower-cased value name
        std::vector<std::string> subkeys;                         // names as written, in order
    };

    // The key at path, made with every key above it (each listed as a subkey of its parent).
    Key& AddKey(const std::string& path);
    void AddText(const std::string& key, const std::string& name, const std::string& text);

    std::map<std::string, Key> keys_;  // by lower-cased path
};

}  // namespace platform
