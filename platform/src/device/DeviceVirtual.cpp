// The `virtual` back-end: each open port is one connection to the vprinter server, which holds the
// printer. The server answers for the drivers: device ID, soft reset, the enumeration steps of the
// Win32 procedures. Printer ports read what is there at once, as the drivers poll them; serial ports
// wait by their COMMTIMEOUTS.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

#include "DeviceBackendRegistry.h"
#include "platform/DebugOutput.h"
#include "platform/LoopbackSocket.h"
#include "platform/VirtualDevice.h"
#include "platform/VirtualPrinterClient.h"

namespace platform {
namespace {

constexpr char kUsbPrinterClass[] = "{28D78FAD-5A12-11D1-AE5B-0000F803A8C2}";
constexpr char kMakerUsbClass[] = "{3F81C6D2-2E57-4A90-9B1D-6C0E84A7F215}";
// The vendor id the port driver looks for in a USB device path.
constexpr char kUsbPathPrefix[] = "\\\\?\\usb#vid_1d6f&pid_0005#vprinter-";
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
        {"vprinter-usb", "USB", 0}, {"kxparp", "LPT", 0},       {"kxusb", "USB", 0},
        {"/dev/usb/lp", "USB", 1},  {"/dev/parport", "LPT", 1}, {"/dev/ttys", "COM", 1},
        {"\\\\.\\com", "COM", 0},   {"\\\\.\\lpt", "LPT", 0},   {"\\\\.\\usb", "USB", 0},
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

class VirtualBackend final : public DeviceBackend {
public:
    explicit VirtualBackend(std::string hostAndPort) : hostAndPort_(std::move(hostAndPort)) {}

    const char* Name() const override { return "virtual"; }

    DeviceError Open(const PortAddress& address, DevicePortPtr* port) override {
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
        return FromResult(static_cast<VirtualPort&>(port).client->Write(data, count, written));
    }

    DeviceError Read(DevicePort& port, std::uint8_t* buffer, std::uint32_t capacity,
                     std::uint32_t* received) override {
        auto& own = static_cast<VirtualPort&>(port);
        *received = 0;
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
        auto& own = static_cast<VirtualPort&>(port);
        if (own.kind == PortKind::Com || !own.queued.empty()) {
            return DeviceBackend::ReadAfterWait(port, buffer, capacity, milliseconds, received);
        }
        *received = 0;
        return FromResult(own.client->Read(buffer, capacity, milliseconds, received));
    }

    DeviceError GetTimeouts(DevicePort& port, PortTimeouts* timeouts) override {
        *timeouts = static_cast<VirtualPort&>(port).timeouts;
        return DeviceError::None;
    }
    DeviceError SetTimeouts(DevicePort& port, const PortTimeouts& timeouts) override {
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
        if (port.kind == PortKind::Com) {
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
        if (port.kind == PortKind::Com) {
            return DeviceError::NotSupported;
        }
        return FromResult(static_cast<VirtualPort&>(port).client->SoftReset());
    }

    DeviceError ListInterfaces(const std::string& interfaceClass,
                               std::vector<DeviceInterfaceEntry>* entries) override {
        entries->clear();
        const bool printerClass = Lower(interfaceClass) == Lower(kUsbPrinterClass);
        const bool makerClass = Lower(interfaceClass) == Lower(kMakerUsbClass);
        if (!printerClass && !makerClass) {
            return DeviceError::NotFound;
        }
        std::string error;
        auto client = VirtualPrinterClient::Connect(hostAndPort_, &error);
        std::string list;
        if (!client || client->ListPorts(&list) != Result::Ok) {
            return DeviceError::NotFound;
        }
        for (std::size_t at = 0; at < list.size();) {
            const std::size_t end = std::min(list.find('\n', at), list.size());
            const std::string name = list.substr(at, list.find(' ', at) - at);
            at = end + 1;
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

private:
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
