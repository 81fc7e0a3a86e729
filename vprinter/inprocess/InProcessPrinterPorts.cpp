#include "vprinter/inprocess/InProcessPrinterPorts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>
#include <span>

#include "platform/EcpDriverRequests.h"
#include "platform/VirtualDevice.h"
#include "platform/VirtualEcpDriver.h"
#include "protocol/PrinterCommandCodes.h"
#include "vprinter/model/ControlVerb.h"
#include "vprinter/model/Ieee1394Unit.h"
#include "vprinter/model/ModelProfile.h"

namespace vprinter {
namespace {

using platform::DeviceError;

class ModelPort final : public platform::DevicePort {
public:
    ModelPort(vprinter::VirtualPrinter& modelPrinter, int& openCount)
        : printer(modelPrinter), openNow(openCount) {
        ++openNow;
    }
    // Pulling the cable: the printer ends its session.
    ~ModelPort() override {
        printer.Close();
        --openNow;
    }
    vprinter::VirtualPrinter& printer;
    int& openNow;
    platform::PortTimeouts timeouts;
    // The maker's 1394 driver's side of a port opened as an IEEE 1394 unit; null on other ports.
    std::unique_ptr<Ieee1394Unit> unit;
};

// The ECP driver's device, counted among the ports open now.
class EcpDevicePort final : public platform::VirtualEcpDevice {
public:
    EcpDevicePort(platform::DeviceBackend& printers, int& openCount)
        : VirtualEcpDevice(printers), openNow(openCount) {
        ++openNow;
    }
    ~EcpDevicePort() override { --openNow; }
    int& openNow;
};

vprinter::VirtualPrinter& PrinterOf(platform::DevicePort& port) {
    return static_cast<ModelPort&>(port).printer;
}

Ieee1394Unit* UnitOf(platform::DevicePort& port) {
    auto* modelPort = dynamic_cast<ModelPort*>(&port);
    return modelPort != nullptr ? modelPort->unit.get() : nullptr;
}

// The unit number k of a port name "1394-k", or 0 when the name is not a unit's.
std::uint32_t Ieee1394UnitNumber(const std::string& portName) {
    const std::string prefix = platform::kIeee1394PortPrefix;
    if (portName.size() <= prefix.size() || portName.size() > prefix.size() + 4 ||
        portName.compare(0, prefix.size(), prefix) != 0 ||
        !std::all_of(portName.begin() + static_cast<std::ptrdiff_t>(prefix.size()), portName.end(),
                     [](unsigned char c) { return std::isdigit(c) != 0; })) {
        return 0;
    }
    return static_cast<std::uint32_t>(std::stoul(portName.substr(prefix.size())));
}

bool SameText(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// The ECP driver's device carries driver requests only; the printers' operations refuse it.
bool IsPrinterPort(platform::DevicePort& port) {
    return dynamic_cast<ModelPort*>(&port) != nullptr;
}

}  // namespace

InProcessPrinterPorts::InProcessPrinterPorts() : installed_(*this) {}
InProcessPrinterPorts::~InProcessPrinterPorts() = default;

vprinter::VirtualPrinter& InProcessPrinterPorts::AddPrinter(const std::string& portName,
                                                            const std::string& profile) {
    vprinter::ModelProfile model;
    std::string error;
    EXPECT_TRUE(LoadModelProfile(profile, &model, &error)) << error;
    auto& slot = printers_[portName];
    slot = std::make_unique<vprinter::VirtualPrinter>(std::move(model), portName);
    return *slot;
}

void InProcessPrinterPorts::Control(const std::string& portName, const std::string& words) {
    ASSERT_TRUE(printers_.count(portName)) << portName;
    ASSERT_TRUE(ApplyControl(*printers_[portName], words).ok) << words;
}

int InProcessPrinterPorts::OpenCount(const std::string& portName) const {
    const auto found = opens_.find(portName);
    return found == opens_.end() ? 0 : found->second;
}

int InProcessPrinterPorts::OpenNow(const std::string& portName) const {
    const auto found = openNow_.find(portName);
    return found == openNow_.end() ? 0 : found->second;
}

DeviceError InProcessPrinterPorts::Open(const platform::PortAddress& address, platform::DevicePortPtr* port) {
    const std::string name = platform::VirtualPortName(address);
    ++opens_[name];
    if (address.kind == platform::PortKind::Path && platform::ecp::IsDevicePath(address.path)) {
        if (!ecpDriverInstalled_) {
            return DeviceError::NotFound;
        }
        *port = std::make_unique<EcpDevicePort>(*this, openNow_[name]);
        return DeviceError::None;
    }
    const auto found = printers_.find(name);
    if (found == printers_.end() || !found->second->Open()) {
        return DeviceError::NotFound;
    }
    auto opened = std::make_unique<ModelPort>(*found->second, openNow_[name]);
    opened->kind = address.kind;
    if (Ieee1394UnitNumber(name) != 0) {
        opened->unit = std::make_unique<Ieee1394Unit>(found->second->Core());
    }
    *port = std::move(opened);
    return DeviceError::None;
}

DeviceError InProcessPrinterPorts::Write(platform::DevicePort& port, const std::uint8_t* data,
                                         std::uint32_t count, std::uint32_t* written) {
    *written = 0;
    if (!IsPrinterPort(port)) {
        return DeviceError::NotSupported;
    }
    vprinter::VirtualPrinter& printer = PrinterOf(port);
    const auto result = printer.Write(std::span<const std::uint8_t>(data, count));
    auto& record = written_[printer.Core().PortName()];
    record.insert(record.end(), data, data + result.taken);
    *written = result.taken;
    return result.disconnected ? DeviceError::Disconnected : DeviceError::None;
}

DeviceError InProcessPrinterPorts::Read(platform::DevicePort& port, std::uint8_t* buffer,
                                        std::uint32_t capacity, std::uint32_t* received) {
    *received = 0;
    if (!IsPrinterPort(port)) {
        return DeviceError::NotSupported;
    }
    vprinter::VirtualPrinter& printer = PrinterOf(port);
    if (printer.Disconnected()) {
        return DeviceError::Disconnected;
    }
    *received = static_cast<std::uint32_t>(printer.Read(buffer, capacity));
    return DeviceError::None;
}

DeviceError InProcessPrinterPorts::GetTimeouts(platform::DevicePort& port, platform::PortTimeouts* timeouts) {
    if (!IsPrinterPort(port)) {
        return DeviceError::NotSupported;
    }
    *timeouts = static_cast<ModelPort&>(port).timeouts;
    return DeviceError::None;
}

DeviceError InProcessPrinterPorts::SetTimeouts(platform::DevicePort& port,
                                               const platform::PortTimeouts& timeouts) {
    if (!IsPrinterPort(port)) {
        return DeviceError::NotSupported;
    }
    static_cast<ModelPort&>(port).timeouts = timeouts;
    return DeviceError::None;
}

DeviceError InProcessPrinterPorts::GetLineSettings(platform::DevicePort&, platform::LineSettings*) {
    return DeviceError::NotSupported;
}

DeviceError InProcessPrinterPorts::SetLineSettings(platform::DevicePort&, const platform::LineSettings&) {
    return DeviceError::NotSupported;
}

DeviceError InProcessPrinterPorts::GetComStatus(platform::DevicePort&, platform::ComStatus*) {
    return DeviceError::NotSupported;
}

DeviceError InProcessPrinterPorts::GetDeviceId(platform::DevicePort& port, const platform::DeviceRequest&,
                                               std::uint8_t* buffer, std::uint32_t capacity,
                                               platform::DeviceIdReply* reply) {
    *reply = platform::DeviceIdReply{};
    if (!IsPrinterPort(port)) {
        return DeviceError::NotSupported;
    }
    vprinter::VirtualPrinter& printer = PrinterOf(port);
    if (printer.Disconnected()) {
        return DeviceError::Disconnected;
    }
    const std::string id = printer.DeviceId();
    // As the USB printer class delivers it: behind its two-byte big-endian length, which counts
    // itself; the Windows parallel class strips the length.
    std::string bytes;
    if (port.kind != platform::PortKind::Parallel) {
        const std::size_t length = std::min<std::size_t>(id.size() + 2, 0xFFFF);
        bytes.push_back(static_cast<char>(length >> 8));
        bytes.push_back(static_cast<char>(length & 0xFF));
        reply->lengthPrefixed = true;
    }
    bytes += id;
    reply->received = static_cast<std::uint32_t>(std::min<std::size_t>(bytes.size(), capacity));
    std::memcpy(buffer, bytes.data(), reply->received);
    return DeviceError::None;
}

DeviceError InProcessPrinterPorts::SoftReset(platform::DevicePort& port, const platform::DeviceRequest&) {
    if (!IsPrinterPort(port)) {
        return DeviceError::NotSupported;
    }
    PrinterOf(port).SoftReset();
    return DeviceError::None;
}

// The IEEE 1394 interface class lists one unit per printer at a port named "1394-k", with the
// "PortName" the maker's driver gives unit k; other classes are not enumerated here.
DeviceError InProcessPrinterPorts::ListInterfaces(const std::string& interfaceClass,
                                                  std::vector<platform::DeviceInterfaceEntry>* entries) {
    entries->clear();
    if (!SameText(interfaceClass, protocol::ieee1394::kInterfaceClass)) {
        return DeviceError::NotSupported;
    }
    for (const auto& [name, printer] : printers_) {
        const std::uint32_t unit = Ieee1394UnitNumber(name);
        if (unit != 0) {
            platform::DeviceInterfaceEntry entry;
            entry.devicePath = platform::VirtualIeee1394Path(unit);
            entry.portName = protocol::ieee1394::kPortNamePrefix + std::to_string(unit);
            entries->push_back(entry);
        }
    }
    return DeviceError::None;
}

DeviceError InProcessPrinterPorts::QueryDosAlias(const std::string&, std::string*) {
    return DeviceError::NotSupported;
}

// As the virtual back-end: an alias is taken, and a path opens by the port it names.
DeviceError InProcessPrinterPorts::DefineDosAlias(const std::string&, const std::string&) {
    return DeviceError::None;
}

DeviceError InProcessPrinterPorts::DeviceControl(platform::DevicePort& port,
                                                 const platform::DeviceRequest& request, std::uint8_t* output,
                                                 std::uint32_t capacity, std::uint32_t* returned) {
    *returned = 0;
    if (platform::VirtualEcpDriver* driver = platform::EcpDriverOf(port)) {
        return driver->Carry(request, output, capacity, returned);
    }
    if (Ieee1394Unit* unit = UnitOf(port)) {
        if (PrinterOf(port).Disconnected()) {
            return DeviceError::Disconnected;
        }
        switch (unit->Request(request.controlCode, request.input, output, capacity, returned)) {
            case Ieee1394Unit::Outcome::Done:
                return DeviceError::None;
            case Ieee1394Unit::Outcome::Refused:
                return DeviceError::Io;
            case Ieee1394Unit::Outcome::Unknown:
                break;  // a request of another driver, below
        }
    }
    if (request.controlCode != platform::kUsbInitSignalRequest || !IsPrinterPort(port)) {
        return DeviceError::NotSupported;
    }
    vprinter::VirtualPrinter& printer = PrinterOf(port);
    if (printer.Disconnected()) {
        return DeviceError::Disconnected;
    }
    printer.SoftReset();
    if (capacity > 0) {
        output[0] = 0;
        *returned = 1;
    }
    return DeviceError::None;
}

platform::VirtualUsbRegistry InProcessPrinterPorts::Registry() const {
    std::vector<std::string> names;
    for (const auto& [name, printer] : printers_) {
        names.push_back(name);
    }
    return platform::VirtualUsbRegistry(platform::VirtualUsbPortNumbers(names));
}

DeviceError InProcessPrinterPorts::ReadRegistryValue(const std::string& key, const std::string& name,
                                                     std::vector<std::uint8_t>* value) {
    return Registry().ReadValue(key, name, value);
}

DeviceError InProcessPrinterPorts::EnumRegistrySubkey(const std::string& key, std::uint32_t index,
                                                      std::string* name) {
    return Registry().EnumSubkey(key, index, name);
}

DeviceError InProcessPrinterPorts::QueryFileVersion(const std::string&, std::string* version) {
    version->clear();
    return DeviceError::NotFound;
}

}  // namespace vprinter
