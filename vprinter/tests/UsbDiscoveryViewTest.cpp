// What the device-driver library's USB port discovery sees of the virtual printers, on both back-ends
// that carry them (the server's over loopback TCP and the in-process one): the registry walk from the
// printer-class service to the port names and symbolic links, the device paths it opens, and the one
// device request the virtual drivers answer.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/Device.h"
#include "platform/VirtualDevice.h"
#include "vprinter/inprocess/InProcessPrinterPorts.h"
#include "vprinter/server/LoopbackPrinters.h"

namespace {

using platform::DeviceError;

std::string Text(const std::vector<std::uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// The walk of the discovery: every port name "USB00k" found, with the device path of its printer as
// the discovery opens it (the second character of the symbolic name made a backslash).
std::map<std::string, std::string> DiscoverUsbPorts(platform::DeviceBackend& backend) {
    const std::string service = "SYSTEM\\CurrentControlSet\\Services\\usbprint\\Enum";
    const std::string enumRoot = "SYSTEM\\CurrentControlSet\\Enum\\";
    std::map<std::string, std::string> found;
    std::vector<std::uint8_t> value;
    EXPECT_EQ(backend.ReadRegistryValue(service, "Count", &value), DeviceError::None);
    EXPECT_EQ(value.size(), 4u);
    const std::uint32_t count =
        value.size() == 4 ? value[0] | value[1] << 8 | value[2] << 16 | value[3] << 24 : 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        EXPECT_EQ(backend.ReadRegistryValue(service, std::to_string(i), &value), DeviceError::None);
        const std::string instance = Text(value);
        EXPECT_EQ(backend.ReadRegistryValue(enumRoot + instance, "ParentIdPrefix", &value),
                  DeviceError::None);
        const std::string prefix = Text(value);
        std::string hardwareId;
        for (std::uint32_t first = 0;
             backend.EnumRegistrySubkey(enumRoot + "USBPRINT", first, &hardwareId) == DeviceError::None;
             ++first) {
            std::string device;
            const std::string hardwareKey = enumRoot + "USBPRINT\\" + hardwareId;
            for (std::uint32_t second = 0;
                 backend.EnumRegistrySubkey(hardwareKey, second, &device) == DeviceError::None; ++second) {
                if (device.find(prefix) == std::string::npos) {
                    continue;
                }
                EXPECT_EQ(backend.ReadRegistryValue(hardwareKey + "\\" + device + "\\Device Parameters",
                                                    "PortName", &value),
                          DeviceError::None);
                const std::string portName = Text(value);
                EXPECT_EQ(backend.ReadRegistryValue(enumRoot + instance + "\\Device Parameters",
                                                    "SymbolicName", &value),
                          DeviceError::None);
                std::string path = Text(value);
                if (path.size() > 1) {
                    path[1] = '\\';
                }
                EXPECT_TRUE(found.emplace(portName, path).second) << portName << " found twice";
            }
        }
    }
    return found;
}

void ExpectDiscoveryReachesEachPrinter(platform::DeviceBackend& backend) {
    const std::map<std::string, std::string> found = DiscoverUsbPorts(backend);
    ASSERT_EQ(found.size(), 2u);
    const struct {
        const char* portName;
        const char* path;
        const char* model;
    } expected[] = {
        {"USB001", "\\\\?\\USB#VID_1D6F&PID_0005#VPRINTER-USB1#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}",
         "MDL:VK-572D;"},
        {"USB003", "\\\\?\\USB#VID_1D6F&PID_0005#VPRINTER-USB3#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}",
         "MDL:VK-2240II;"},
    };
    for (const auto& printer : expected) {
        ASSERT_EQ(found.count(printer.portName), 1u) << printer.portName;
        EXPECT_EQ(found.at(printer.portName), printer.path);

        platform::DevicePortPtr port;
        ASSERT_EQ(backend.Open({platform::PortKind::Path, 0, printer.path, {}}, &port), DeviceError::None)
            << printer.path;
        std::uint8_t id[256] = {};
        platform::DeviceIdReply reply;
        ASSERT_EQ(backend.GetDeviceId(*port, {0x0016000C, {}}, id, sizeof id, &reply), DeviceError::None);
        EXPECT_NE(std::string(reinterpret_cast<const char*>(id), reply.received).find(printer.model),
                  std::string::npos);

        // The init signal: the printer resets and the driver gives back one byte, 0.
        std::uint8_t output[4] = {0xAA, 0xAA, 0xAA, 0xAA};
        std::uint32_t returned = 99;
        EXPECT_EQ(backend.DeviceControl(*port, {platform::kUsbInitSignalRequest, {}}, output, 1, &returned),
                  DeviceError::None);
        EXPECT_EQ(returned, 1u);
        EXPECT_EQ(output[0], 0);
        EXPECT_EQ(output[1], 0xAA);
        EXPECT_EQ(backend.DeviceControl(*port, {0x00221804, {}}, output, sizeof output, &returned),
                  DeviceError::NotSupported);
        EXPECT_EQ(returned, 0u);
    }

    std::string version = "left over";
    EXPECT_EQ(backend.QueryFileVersion("KXUSB.SYS", &version), DeviceError::NotFound);
    EXPECT_EQ(version, "");
}

TEST(UsbDiscoveryView, TheServersPrintersAreFoundAndOpenedByTheirDevicePaths) {
    vprinter::LoopbackPrinters printers({"USB3=VK-2240II", "LPT1=VK-572D", "USB1=VK-572D"}, "");
    ASSERT_TRUE(printers.Ok()) << printers.Error();
    ExpectDiscoveryReachesEachPrinter(printers.Backend());
}

TEST(UsbDiscoveryView, TheInProcessPrintersAreFoundAndOpenedByTheirDevicePaths) {
    vprinter::InProcessPrinterPorts ports;
    ports.AddPrinter("USB3", "VK-2240II");
    ports.AddPrinter("LPT1", "VK-572D");
    ports.AddPrinter("USB1", "VK-572D");
    ExpectDiscoveryReachesEachPrinter(ports);
    EXPECT_EQ(ports.OpenCount("USB1"), 1);
    EXPECT_EQ(ports.OpenCount("USB3"), 1);
}

}  // namespace
