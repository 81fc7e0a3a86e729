#include "InProcessPrinterPorts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <span>

#include "platform/VirtualDevice.h"
#include "vprinter/model/ControlVerb.h"
#include "vprinter/model/ModelProfile.h"

namespace printertest {
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
};

vprinter::VirtualPrinter& PrinterOf(platform::DevicePort& port) {
    return static_cast<ModelPort&>(port).printer;
}

}  // namespace

InProcessPrinterPorts::InProcessPrinterPorts() : installed_(*this) {}
InProcessPrinterPorts::~InProcessPrinterPorts() = default;

vprinter::VirtualPrinter& InProcessPrinterPorts::AddPrinter(const std::string& portName,
                                                            const std::string& profile) {
    vprinter::ModelProfile model;
    std::string error;
    EXPECT_TRUE(vprinter::LoadModelProfile(profile, &model, &error)) << error;
    auto& slot = printers_[portName];
    slot = std::make_unique<vprinter::VirtualPrinter>(std::move(model), portName);
    return *slot;
}

void InProcessPrinterPorts::Control(const std::string& portName, const std::string& words) {
    ASSERT_TRUE(printers_.count(portName)) << portName;
    ASSERT_TRUE(vprinter::ApplyControl(*printers_[portName], words).ok) << words;
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
    const auto found = printers_.find(name);
    if (found == printers_.end() || !found->second->Open()) {
        return DeviceError::NotFound;
    }
    auto opened = std::make_unique<ModelPort>(*found->second, openNow_[name]);
    opened->kind = address.kind;
    *port = std::move(opened);
    return DeviceError::None;
}

DeviceError InProcessPrinterPorts::Write(platform::DevicePort& port, const std::uint8_t* data,
                                         std::uint32_t count, std::uint32_t* written) {
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
    vprinter::VirtualPrinter& printer = PrinterOf(port);
    if (printer.Disconnected()) {
        return DeviceError::Disconnected;
    }
    *received = static_cast<std::uint32_t>(printer.Read(buffer, capacity));
    return DeviceError::None;
}

DeviceError InProcessPrinterPorts::GetTimeouts(platform::DevicePort& port, platform::PortTimeouts* timeouts) {
    *timeouts = static_cast<ModelPort&>(port).timeouts;
    return DeviceError::None;
}

DeviceError InProcessPrinterPorts::SetTimeouts(platform::DevicePort& port,
                                               const platform::PortTimeouts& timeouts) {
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
    PrinterOf(port).SoftReset();
    return DeviceError::None;
}

DeviceError InProcessPrinterPorts::ListInterfaces(const std::string&,
                                                  std::vector<platform::DeviceInterfaceEntry>*) {
    return DeviceError::NotSupported;
}

DeviceError InProcessPrinterPorts::QueryDosAlias(const std::string&, std::string*) {
    return DeviceError::NotSupported;
}

DeviceError InProcessPrinterPorts::DefineDosAlias(const std::string&, const std::string&) {
    return DeviceError::NotSupported;
}

}  // namespace printertest
