// The `virtual` back-end: each open port is one connection to the vprinter server, which holds the
// printer. The server answers for the drivers: device ID, soft reset, the enumeration steps of the
// Win32 procedures. The maker's ECP driver runs here, on the server's parallel printers
// (platform/VirtualEcpDriver.h). Printer ports read what is there at once, as the drivers poll them;
// serial ports wait by their COMMTIMEOUTS.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "DeviceBackendRegistry.h"
#include "platform/DebugOutput.h"
#include "platform/EcpDriverRequests.h"
#include "platform/LoopbackSocket.h"
#include "platform/VirtualDevice.h"
#include "platform/VirtualEcpDriver.h"
#include "platform/VirtualPrinterClient.h"
#include "platform/VirtualRegistry.h"
#include "protocol/PrinterCommandCodes.h"

namespace platform {
namespace {

constexpr char kUsbPrinterClass[] = "{28D78FAD-5A12-11D1-AE5B-0000F803A8C2}";
constexpr char kMakerUsbClass[] = "{3F81C6D2-2E57-4A90-9B1D-6C0E84A7F215}";
// The vendor id the port driver looks for in a USB device path.
constexpr char kUsbPathPrefix[] = "\\\\?\\usb#vid_1d6f&pid_0005#vprinter-";
// An IEEE 1394 unit's interface path; the unit's port name and the interface class follow.
constexpr char kIeee1394PathPrefix[] = "\\\\?\\1394#vid_1d6f&pid_0005#vprinter-";
constexpr std::uint32_t kNoLimitStepMilliseconds = 1000;

using Result = VirtualPrinterClient::Result;

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The decimal number at `at` in text, or 0.
std::uint32_t NumberAt(const std::string& text, std::size_t at) {
    std::uint32_t value = 0;
    while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])) && value < 100000) {
        value = value * 10 + static_cast<std::uint32_t>(text[at] - '0');
        ++at;
    }
    return value;
}

std::string PathPortName(const std::string& path) {
    const std::string lower = Lower(path);
    struct Form {
        const char* marker;
        const char* name;
        int offset;  // added to the number found after the marker
    };
    // Device paths of every back-end that name a port; the Linux ones count from 0.
    const Form forms[] = {
        {"vprinter-1394-", kIeee1394PortPrefix, 0},
        {"vprinter-usb", "USB", 0},
        {"kxparp", "LPT", 0},
        {"kxusb", "USB", 0},
        {"/dev/usb/lp", "USB", 1},
        {"/dev/parport", "LPT", 1},
        {"/dev/ttys", "COM", 1},
        {"\\\\.\\com", "COM", 0},
        {"\\\\.\\lpt", "LPT", 0},
        {"\\\\.\\usb", "USB", 0},
    };
    for (const Form& form : forms) {
        const std::size_t at = lower.find(form.marker);
        if (at != std::string::npos) {
            const std::size_t digits = at + std::strlen(form.marker);
            if (digits < lower.size() && std::isdigit(static_cast<unsigned char>(lower[digits]))) {
                return form.name +
                       std::to_string(NumberAt(lower, digits) + static_cast<std::uint32_t>(form.offset));
            }
        }
    }
    const std::size_t slash = path.find_last_of("\\/");
    std::string last = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string name;
    for (char c : last) {
        if (std::isalnum(static_cast<unsigned char>(c))) {
            name.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
        }
    }
    return name;
}

DeviceError FromResult(Result result) {
    switch (result) {
        case Result::Ok:
            return DeviceError::None;
        case Result::NoSuchPort:
        case Result::PortUnavailable:
        case Result::Unreachable:
            return DeviceError::NotFound;
        case Result::PortBusy:
            return DeviceError::AccessDenied;
        case Result::Disconnected:
        case Result::NotOpen:
            return DeviceError::Disconnected;
        default:
            return DeviceError::Io;
    }
}

class VirtualPort final : public DevicePort {
public:
    // Closing a device handle frees the port at once; so the port is closed on the server before the
    // connection goes, and the next open, from any process, finds it free.
    ~VirtualPort() override {
        if (client) {
            client->Close();
        }
    }
    std::unique_ptr<VirtualPrinterClient> client;
    PortTimeouts timeouts;
    LineSettings line{9600, 8, false, 0};
    std::vector<std::uint8_t> queued;  // bytes a serial status query took from the server
};

// A printer's port, or null for the ECP driver's device, which carries driver requests only.
VirtualPort* PrinterPort(DevicePort& port) {
    return dynamic_cast<VirtualPort*>(&port);
}

class VirtualBackend final : public DeviceBackend {
public:
    explicit VirtualBackend(std::string hostAndPort) : hostAndPort_(std::move(hostAndPort)) {}

    const char* Name() const override { return "virtual"; }

    DeviceError Open(const PortAddress& address, DevicePortPtr* port) override {
        // The maker's ECP driver is installed: its ports are the server's parallel printers.
        if (address.kind == PortKind::Path && ecp::IsDevicePath(address.path)) {
            *port = std::make_unique<VirtualEcpDevice>(*this);
            return DeviceError::None;
        }
        const std::string name = VirtualPortName(address);
        if (name.empty()) {
            return DeviceError::InvalidArgument;
        }
        std::string error;
        auto client = VirtualPrinterClient::Connect(hostAndPort_, &error);
        if (!client) {
            DebugOutput(("virtual device: " + error + "\n").c_str());
            return DeviceError::NotFound;
        }
        const Result result = client->Open(name);
        if (result != Result::Ok) {
            DebugOutput(("virtual device: open " + name + ": answer " +
                         std::to_string(static_cast<int>(result)) + "\n")
                            .c_str());
            return FromResult(result);
        }
        auto opened = std::make_unique<VirtualPort>();
        opened->kind = address.kind;
        opened->client = std::move(client);
        *port = std::move(opened);
        return DeviceError::None;
    }

    DeviceError Write(DevicePort& port, const std::uint8_t* data, std::uint32_t count,
                      std::uint32_t* written) override {
        *written = 0;
        if (PrinterPort(port) == nullptr) {
            return DeviceError::NotSupported;
        }
        return FromResult(static_cast<VirtualPort&>(port).client->Write(data, count, written));
    }

    DeviceError Read(DevicePort& port, std::uint8_t* buffer, std::uint32_t capacity,
                     std::uint32_t* received) override {
        *received = 0;
        if (PrinterPort(port) == nullptr) {
            return DeviceError::NotSupported;
        }
        auto& own = static_cast<VirtualPort&>(port);
        if (!own.queued.empty()) {
            const std::uint32_t count =
                std::min<std::uint32_t>(capacity, static_cast<std::uint32_t>(own.queued.size()));
            std::memcpy(buffer, own.queued.data(), count);
            own.queued.erase(own.queued.begin(), own.queued.begin() + count);
            *received = count;
            return DeviceError::None;
        }
        if (own.kind != PortKind::Com) {
            return FromResult(own.client->Read(buffer, capacity, 0, received));
        }
        const PortTimeouts& t = own.timeouts;
        const bool immediate =
            t.readInterval == 0xFFFFFFFFu && t.readTotalMultiplier == 0 && t.readTotalConstant == 0;
        const bool unlimited = t.readInterval == 0 && t.readTotalMultiplier == 0 && t.readTotalConstant == 0;
        const std::uint64_t total =
            immediate ? 0 : std::uint64_t{t.readTotalMultiplier} * capacity + t.readTotalConstant;
        for (;;) {
            const std::uint32_t wait =
                unlimited ? kNoLimitStepMilliseconds
                          : static_cast<std::uint32_t>(std::min<std::uint64_t>(total, 0xFFFFFFFFu));
            const DeviceError error = FromResult(own.client->Read(buffer, capacity, wait, received));
            if (error != DeviceError::None || *received > 0 || !unlimited) {
                return error;
            }
        }
    }

    // The server holds the read until the printer answers or the wait is over, so the answer is
    // taken the moment it is due instead of at the end of the wait. A serial port keeps its own
    // time-outs.
    DeviceError ReadAfterWait(DevicePort& port, std::uint8_t* buffer, std::uint32_t capacity,
                              std::uint32_t milliseconds, std::uint32_t* received) override {
        if (PrinterPort(port) == nullptr) {
            *received = 0;
            return DeviceError::NotSupported;
        }
        auto& own = static_cast<VirtualPort&>(port);
        if (own.kind == PortKind::Com || !own.queued.empty()) {
            return DeviceBackend::ReadAfterWait(port, buffer, capacity, milliseconds, received);
        }
        *received = 0;
        return FromResult(own.client->Read(buffer, capacity, milliseconds, received));
    }

    DeviceError GetTimeouts(DevicePort& port, PortTimeouts* timeouts) override {
        if (PrinterPort(port) == nullptr) {
            return DeviceError::NotSupported;
        }
        *timeouts = static_cast<VirtualPort&>(port).timeouts;
        return DeviceError::None;
    }
    DeviceError SetTimeouts(DevicePort& port, const PortTimeouts& timeouts) override {
        if (PrinterPort(port) == nullptr) {
            return DeviceError::NotSupported;
        }
        static_cast<VirtualPort&>(port).timeouts = timeouts;
        return DeviceError::None;
    }

    DeviceError GetLineSettings(DevicePort& port, LineSettings* settings) override {
        if (port.kind != PortKind::Com) {
            return DeviceError::NotSupported;
        }
        *settings = static_cast<VirtualPort&>(port).line;
        return DeviceError::None;
    }
    DeviceError SetLineSettings(DevicePort& port, const LineSettings& settings) override {
        if (port.kind != PortKind::Com) {
            return DeviceError::NotSupported;
        }
        if (settings.byteSize < 5 || settings.byteSize > 8 || settings.stopBits > 2 ||
            settings.baudRate == 0) {
            return DeviceError::InvalidArgument;
        }
        static_cast<VirtualPort&>(port).line = settings;
        return DeviceError::None;
    }

    DeviceError GetComStatus(DevicePort& port, ComStatus* status) override {
        if (port.kind != PortKind::Com) {
            return DeviceError::NotSupported;
        }
        auto& own = static_cast<VirtualPort&>(port);
        // What the server has for us now moves into our queue, as into a UART's input buffer.
        std::uint8_t buffer[1024];
        std::uint32_t received = 0;
        const DeviceError error = FromResult(own.client->Read(buffer, sizeof buffer, 0, &received));
        own.queued.insert(own.queued.end(), buffer, buffer + received);
        *status = ComStatus{false, static_cast<std::uint32_t>(own.queued.size())};
        return error;
    }

    DeviceError GetDeviceId(DevicePort& port, const DeviceRequest&, std::uint8_t* buffer,
                            std::uint32_t capacity, DeviceIdReply* reply) override {
        *reply = DeviceIdReply{};
        if (port.kind == PortKind::Com || PrinterPort(port) == nullptr) {
            return DeviceError::NotSupported;
        }
        std::string id;
        const DeviceError error = FromResult(static_cast<VirtualPort&>(port).client->DeviceId(&id));
        if (error != DeviceError::None) {
            return error;
        }
        // The USB printer class delivers the ID behind its two-byte big-endian length (counting
        // itself); the Windows parallel class strips it.
        std::string bytes;
        if (port.kind != PortKind::Parallel) {
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

    DeviceError SoftReset(DevicePort& port, const DeviceRequest&) override {
        if (port.kind == PortKind::Com || PrinterPort(port) == nullptr) {
            return DeviceError::NotSupported;
        }
        return FromResult(static_cast<VirtualPort&>(port).client->SoftReset());
    }

    DeviceError ListInterfaces(const std::string& interfaceClass,
                               std::vector<DeviceInterfaceEntry>* entries) override {
        entries->clear();
        const bool printerClass = Lower(interfaceClass) == Lower(kUsbPrinterClass);
        const bool makerClass = Lower(interfaceClass) == Lower(kMakerUsbClass);
        // The IEEE 1394 class is not found here: the server's protocol carries none of the 1394
        // driver's requests, so its printers have no units (the in-process printers do).
        if (!printerClass && !makerClass) {
            return DeviceError::NotFound;
        }
        std::vector<std::string> names;
        if (!ServerPortNames(&names)) {
            return DeviceError::NotFound;
        }
        for (const std::string& name : names) {
            if (name.rfind("USB", 0) != 0 || name.size() < 4) {
                continue;
            }
            const std::uint32_t k = NumberAt(name, 3);
            DeviceInterfaceEntry entry;
            entry.devicePath = kUsbPathPrefix + Lower(name) + "#" + Lower(interfaceClass);
            entry.portNumber = printerClass ? k : 0;
            entry.portName = makerClass ? "KXUSB" + std::to_string(k) + ":" : "";
            entries->push_back(entry);
        }
        return DeviceError::None;
    }

    DeviceError QueryDosAlias(const std::string& alias, std::string* target) override {
        // kxparpN.4 and kxparpN map onto the parallel device N-1, present when the server has LPTN.
        const std::string name = PathPortName(alias);
        if (name.rfind("LPT", 0) != 0) {
            return DeviceError::NotFound;
        }
        const std::uint32_t n = NumberAt(name, 3);
        *target = "\\Device\\Parallel" + std::to_string(n - 1) +
                  (alias.find(".4") != std::string::npos ? ".4" : "");
        return DeviceError::None;
    }

    DeviceError DefineDosAlias(const std::string&, const std::string&) override { return DeviceError::None; }

    // The ECP driver's device carries the driver's requests; on a printer's port the init signal of
    // the maker's USB driver resets the printer. No other request has a driver behind it here.
    DeviceError DeviceControl(DevicePort& port, const DeviceRequest& request, std::uint8_t* output,
                              std::uint32_t capacity, std::uint32_t* returned) override {
        *returned = 0;
        if (VirtualEcpDriver* driver = EcpDriverOf(port)) {
            return driver->Carry(request, output, capacity, returned);
        }
        if (port.kind == PortKind::Com || request.controlCode != kUsbInitSignalRequest) {
            return DeviceError::NotSupported;
        }
        const DeviceError error = FromResult(static_cast<VirtualPort&>(port).client->SoftReset());
        if (error == DeviceError::None && capacity > 0) {
            output[0] = 0;
            *returned = 1;
        }
        return error;
    }

    // The registry of the USB printer-class driver as it would be with the server's USB printers
    // plugged in; an unreachable server has none.
    DeviceError ReadRegistryValue(const std::string& key, const std::string& name,
                                  std::vector<std::uint8_t>* value) override {
        return ServerRegistry().ReadValue(key, name, value);
    }
    DeviceError EnumRegistrySubkey(const std::string& key, std::uint32_t index, std::string* name) override {
        return ServerRegistry().EnumSubkey(key, index, name);
    }

    // No driver file of the maker is installed.
    DeviceError QueryFileVersion(const std::string&, std::string* version) override {
        version->clear();
        return DeviceError::NotFound;
    }

private:
    // The server's port names ("USB1", "LPT1"), in its order; false when it cannot be asked.
    bool ServerPortNames(std::vector<std::string>* names) const {
        names->clear();
        std::string error;
        auto client = VirtualPrinterClient::Connect(hostAndPort_, &error);
        std::string list;
        if (!client || client->ListPorts(&list) != Result::Ok) {
            return false;
        }
        for (std::size_t at = 0; at < list.size();) {
            const std::size_t end = std::min(list.find('\n', at), list.size());
            names->push_back(list.substr(at, std::min(list.find(' ', at), end) - at));
            at = end + 1;
        }
        return true;
    }

    VirtualUsbRegistry ServerRegistry() const {
        std::vector<std::string> names;
        ServerPortNames(&names);
        return VirtualUsbRegistry(VirtualUsbPortNumbers(names));
    }

    std::string hostAndPort_;
};

}  // namespace

std::string VirtualPortName(const PortAddress& address) {
    switch (address.kind) {
        case PortKind::Parallel:
            return address.number == 0 ? std::string() : "LPT" + std::to_string(address.number);
        case PortKind::Usb:
            return address.number == 0 ? std::string() : "USB" + std::to_string(address.number);
        case PortKind::Com:
            return address.number == 0 ? std::string() : "COM" + std::to_string(address.number);
        case PortKind::Path:
            return PathPortName(address.path);
    }
    return {};
}

std::string VirtualIeee1394Path(std::uint32_t unit) {
    return kIeee1394PathPrefix + Lower(kIeee1394PortPrefix + std::to_string(unit)) + "#" +
           Lower(protocol::ieee1394::kInterfaceClass);
}

std::unique_ptr<DeviceBackend> MakeVirtualDeviceBackend(const std::string& hostAndPort) {
    std::string host;
    std::uint16_t port = 0;
    if (!ParseHostAndPort(hostAndPort, &host, &port) || !IsLoopbackAddress(host) || port == 0) {
        return nullptr;
    }
    return std::make_unique<VirtualBackend>(hostAndPort);
}

namespace detail {

DeviceBackend* VirtualDeviceBackend(const std::string& hostAndPort) {
    static std::unique_ptr<DeviceBackend> backend = MakeVirtualDeviceBackend(hostAndPort);
    if (!backend) {
        DebugOutput(("Device back-end: " + std::string(kVirtualPrinterVariable) + "=" + hostAndPort +
                     " is not a loopback HOST:PORT\n")
                        .c_str());
    }
    return backend.get();
}

}  // namespace detail
}  // namespace platform
