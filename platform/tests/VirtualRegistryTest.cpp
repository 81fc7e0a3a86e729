// The registry view of the virtual printers' USB ports, as the USB port discovery of the NT line
// reads it.
#include "platform/VirtualRegistry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace platform {
namespace {

std::string Text(const std::vector<std::uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

TEST(VirtualUsbPortNumbers, TakesTheUsbPortsInIncreasingOrderOnce) {
    EXPECT_EQ(VirtualUsbPortNumbers({"USB10", "LPT1", "USB2", "usb2", "COM1", "USB", "USB0", "USBx", "USB1"}),
              (std::vector<std::uint32_t>{1, 2, 10}));
    EXPECT_TRUE(VirtualUsbPortNumbers({}).empty());
}

TEST(VirtualUsbRegistry, AnswersTheValuesOfEachPrinter) {
    const VirtualUsbRegistry registry({1, 10});
    const std::string usb = "SYSTEM\\CurrentControlSet\\Enum\\USB\\VID_1D6F&PID_0005\\";
    const std::string printerClass = "SYSTEM\\CurrentControlSet\\Enum\\USBPRINT\\VIRTUAL_PRINTER\\";
    struct Case {
        std::string key;
        std::string name;
        std::string value;
    };
    const Case cases[] = {
        {"SYSTEM\\CurrentControlSet\\Services\\usbprint\\Enum", "Count", std::string("\x02\0\0\0", 4)},
        {"SYSTEM\\CurrentControlSet\\Services\\usbprint\\Enum", "0", "USB\\VID_1D6F&PID_0005\\VPRINTER-USB1"},
        {"SYSTEM\\CurrentControlSet\\Services\\usbprint\\Enum", "1",
         "USB\\VID_1D6F&PID_0005\\VPRINTER-USB10"},
        {usb + "VPRINTER-USB10", "ParentIdPrefix", "7&vprt&10&0"},
        {usb + "VPRINTER-USB1\\Device Parameters", "SymbolicName",
         "\\??\\USB#VID_1D6F&PID_0005#VPRINTER-USB1#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}"},
        {printerClass + "7&vprt&1&0&0\\Device Parameters", "PortName", "USB001"},
        {printerClass + "7&vprt&10&0&0\\Device Parameters", "PortName", "USB0010"},
        // Keys and value names match ignoring case, as in the registry.
        {"system\\currentcontrolset\\services\\USBPRINT\\enum", "count", std::string("\x02\0\0\0", 4)},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> value;
        EXPECT_EQ(registry.ReadValue(c.key, c.name, &value), DeviceError::None) << c.key << " " << c.name;
        EXPECT_EQ(Text(value), c.value) << c.key << " " << c.name;
    }

    const Case absent[] = {
        {"SYSTEM\\CurrentControlSet\\Services\\usbprint\\Enum", "2", ""},
        {usb + "VPRINTER-USB2", "ParentIdPrefix", ""},
        {usb + "VPRINTER-USB1", "SymbolicName", ""},
        {"SYSTEM\\CurrentControlSet\\Enum\\USBPRINT", "PortName", ""},
        {"", "", ""},
    };
    for (const Case& c : absent) {
        std::vector<std::uint8_t> value{1};
        EXPECT_EQ(registry.ReadValue(c.key, c.name, &value), DeviceError::NotFound) << c.key << " " << c.name;
        EXPECT_TRUE(value.empty());
    }
}

TEST(VirtualUsbRegistry, ListsThePrinterClassKeysUnderTheirParents) {
    const VirtualUsbRegistry registry({1, 11});
    const auto subkeys = [&registry](const std::string& key) {
        std::vector<std::string> names;
        std::string name;
        for (std::uint32_t index = 0; registry.EnumSubkey(key, index, &name) == DeviceError::None; ++index) {
            names.push_back(name);
        }
        return names;
    };
    EXPECT_EQ(subkeys("SYSTEM\\CurrentControlSet\\Enum\\USBPRINT"),
              std::vector<std::string>{"VIRTUAL_PRINTER"});
    // Each name carries its printer's parent-id prefix, and no other printer's: "7&vprt&1&0" is not
    // part of "7&vprt&11&0&0".
    EXPECT_EQ(subkeys("SYSTEM\\CurrentControlSet\\Enum\\USBPRINT\\VIRTUAL_PRINTER"),
              (std::vector<std::string>{"7&vprt&1&0&0", "7&vprt&11&0&0"}));
    EXPECT_EQ(std::string("7&vprt&11&0&0").find("7&vprt&1&0"), std::string::npos);
    EXPECT_EQ(subkeys("SYSTEM\\CurrentControlSet\\Enum\\USBPRINT\\VIRTUAL_PRINTER\\7&vprt&1&0&0"),
              std::vector<std::string>{"Device Parameters"});
    EXPECT_TRUE(subkeys("SYSTEM\\CurrentControlSet\\Enum\\USBPRINT\\OTHER").empty());

    std::string name = "left over";
    EXPECT_EQ(registry.EnumSubkey("SYSTEM\\CurrentControlSet\\Enum\\USBPRINT", 1, &name),
              DeviceError::NotFound);
    EXPECT_TRUE(name.empty());
}

TEST(VirtualUsbRegistry, WithoutUsbPrintersCountsNone) {
    const VirtualUsbRegistry registry({});
    std::vector<std::uint8_t> count;
    EXPECT_EQ(registry.ReadValue("SYSTEM\\CurrentControlSet\\Services\\usbprint\\Enum", "Count", &count),
              DeviceError::None);
    EXPECT_EQ(count, (std::vector<std::uint8_t>{0, 0, 0, 0}));
    std::string name;
    EXPECT_EQ(registry.EnumSubkey("SYSTEM\\CurrentControlSet\\Enum\\USBPRINT", 0, &name),
              DeviceError::NotFound);
}

}  // namespace
}  // namespace platform
