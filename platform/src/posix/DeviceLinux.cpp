// The own device back-end: USB printer k is /dev/usb/lp(k-1) (usblp), LPT n is /dev/parport(n-1)
// through ppdev, COM n is /dev/ttyS(n-1) through termios. TOLVANE_DEVICE_DIR replaces "/dev/", and
// its folder "sys/" then stands for "/sys/".
// The five COMMTIMEOUTS are emulated with poll on serial ports; printer ports keep them for the driver
// and read what is there at once, since the driver polls them itself.
#include <fcntl.h>
#include <linux/parport.h>
#include <linux/ppdev.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "../device/DeviceBackendRegistry.h"
#include "DeviceLinuxSerial.h"
#include "platform/Clock.h"
#include "platform/DebugOutput.h"
#include "platform/FileSearch.h"

namespace platform {
namespace {

// usblp's requests ('P', not in the kernel's exported headers): the device ID of a given buffer size,
// whose first two bytes are its big-endian length, and a class-specific soft reset.
constexpr unsigned long UsbGetDeviceId(unsigned size) {
    return _IOC(_IOC_READ, 'P', 1, size);
}
constexpr unsigned long kUsbSoftReset = _IOC(_IOC_NONE, 'P', 7, 0);

constexpr char kUsbPrinterClass[] = "{28D78FAD-5A12-11D1-AE5B-0000F803A8C2}";

class LinuxPort final : public DevicePort {
public:
    explicit LinuxPort(int descriptor) : fd(descriptor) {}
    ~LinuxPort() override {
        if (claimed) {
            ioctl(fd, PPRELEASE);
        }
        close(fd);
    }
    int fd;
    std::string node;      // the device node's name ("lp0"), which names its class device in sysfs
    bool claimed = false;  // ppdev: the parallel port is ours until closed
    PortTimeouts timeouts;
    detail::SerialErrorCounts seenErrors;
};

std::string DeviceFolder() {
    const char* folder = std::getenv(kDeviceFolderVariable);
    std::string text = folder != nullptr && folder[0] != '\0' ? folder : "/dev/";
    if (text.back() != '/') {
        text.push_back('/');
    }
    return text;
}

// sysfs, or the folder "sys/" of the device folder when TOLVANE_DEVICE_DIR names one.
std::string SystemFolder() {
    const char* folder = std::getenv(kDeviceFolderVariable);
    return folder != nullptr && folder[0] != '\0' ? DeviceFolder() + "sys/" : "/sys/";
}

// The last component of a device path ("lp0" of "/dev/usb/lp0").
std::string NodeName(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

DeviceError Report(const char* step, const std::string& what, int error, DeviceError result) {
    DebugOutput(
        ("linux device: " + std::string(step) + " " + what + ": " + std::strerror(error) + "\n").c_str());
    return result;
}

DeviceError FromErrno(int error) {
    switch (error) {
        case ENODEV:
        case ENXIO:
        case EPIPE:
            return DeviceError::Disconnected;
        default:
            return DeviceError::Io;
    }
}

std::string PathOf(const PortAddress& address) {
    const std::string index = std::to_string(address.number - 1);
    switch (address.kind) {
        case PortKind::Parallel:
            return DeviceFolder() + "parport" + index;
        case PortKind::Usb:
            return DeviceFolder() + "usb/lp" + index;
        case PortKind::Com:
            return DeviceFolder() + "ttyS" + index;
        case PortKind::Path:
            return address.path;
    }
    return {};
}

// Milliseconds still left before a deadline on the process clock, or -1 for none.
int Remaining(bool limited, std::uint32_t start, std::uint32_t total) {
    if (!limited) {
        return -1;
    }
    std::uint32_t spent = Clock().TickCount() - start;
    return spent >= total ? 0 : static_cast<int>(total - spent);
}

class LinuxBackend final : public DeviceBackend {
public:
    const char* Name() const override { return "linux"; }

    DeviceError Open(const PortAddress& address, DevicePortPtr* port) override {
        if (address.kind != PortKind::Path && address.number == 0) {
            return DeviceError::InvalidArgument;
        }
        const std::string path = PathOf(address);
        int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            int error = errno;
            DeviceError result = error == EACCES || error == EPERM || error == EBUSY
                                     ? DeviceError::AccessDenied
                                     : DeviceError::NotFound;
            return Report("open", path, error, result);
        }
        auto opened = std::make_unique<LinuxPort>(fd);
        opened->kind = address.kind;
        opened->node = NodeName(path);
        if (address.kind == PortKind::Parallel) {
            // A plain file in a test folder is no ppdev node; it stands for the port as it is.
            if (ioctl(fd, PPCLAIM) == 0) {
                opened->claimed = true;
            } else if (errno != ENOTTY && errno != EINVAL) {
                return Report("claim", path, errno, DeviceError::AccessDenied);
            }
        }
        if (address.kind == PortKind::Com) {
            detail::MakeSerialRaw(fd);
            opened->seenErrors = detail::ReadSerialErrorCounts(fd);
        }
        *port = std::move(opened);
        return DeviceError::None;
    }

    DeviceError Write(DevicePort& port, const std::uint8_t* data, std::uint32_t count,
                      std::uint32_t* written) override {
        auto& own = static_cast<LinuxPort&>(port);
        *written = 0;
        const std::uint64_t total =
            std::uint64_t{own.timeouts.writeTotalMultiplier} * count + own.timeouts.writeTotalConstant;
        const bool limited = total != 0;
        const auto limit = static_cast<std::uint32_t>(std::min<std::uint64_t>(total, 0x7FFFFFFF));
        const std::uint32_t start = Clock().TickCount();
        while (*written < count) {
            ssize_t done = write(own.fd, data + *written, count - *written);
            if (done > 0) {
                *written += static_cast<std::uint32_t>(done);
                continue;
            }
            if (done < 0 && errno != EAGAIN && errno != EINTR) {
                return Report("write", "", errno, FromErrno(errno));
            }
            int wait = Remaining(limited, start, limit);
            if (wait == 0) {
                break;  // the write time-out ran out: a short write, not an error
            }
            pollfd ready{own.fd, POLLOUT, 0};
            if (poll(&ready, 1, wait) == 0) {
                break;
            }
        }
        return DeviceError::None;
    }

    DeviceError Read(DevicePort& port, std::uint8_t* buffer, std::uint32_t capacity,
                     std::uint32_t* received) override {
        auto& own = static_cast<LinuxPort&>(port);
        *received = 0;
        if (own.kind != PortKind::Com) {
            return ReadWhatIsThere(own, buffer, capacity, received);
        }
        return detail::ReadSerial(own.fd, own.timeouts, buffer, capacity, received);
    }

    DeviceError GetTimeouts(DevicePort& port, PortTimeouts* timeouts) override {
        *timeouts = static_cast<LinuxPort&>(port).timeouts;
        return DeviceError::None;
    }
    DeviceError SetTimeouts(DevicePort& port, const PortTimeouts& timeouts) override {
        static_cast<LinuxPort&>(port).timeouts = timeouts;
        return DeviceError::None;
    }

    DeviceError GetLineSettings(DevicePort& port, LineSettings* settings) override {
        return detail::ReadLineSettings(static_cast<LinuxPort&>(port).fd, settings);
    }
    DeviceError SetLineSettings(DevicePort& port, const LineSettings& settings) override {
        return detail::WriteLineSettings(static_cast<LinuxPort&>(port).fd, settings);
    }

    DeviceError GetComStatus(DevicePort& port, ComStatus* status) override {
        auto& own = static_cast<LinuxPort&>(port);
        if (own.kind != PortKind::Com) {
            return DeviceError::NotSupported;
        }
        int queued = 0;
        if (ioctl(own.fd, FIONREAD, &queued) != 0) {
            return Report("queue size", "", errno, DeviceError::Io);
        }
        detail::SerialErrorCounts now = detail::ReadSerialErrorCounts(own.fd);
        status->lineError = now.total > own.seenErrors.total;
        own.seenErrors = now;
        status->queuedInput = static_cast<std::uint32_t>(std::max(queued, 0));
        return DeviceError::None;
    }

    DeviceError GetDeviceId(DevicePort& port, const DeviceRequest&, std::uint8_t* buffer,
                            std::uint32_t capacity, DeviceIdReply* reply) override {
        auto& own = static_cast<LinuxPort&>(port);
        *reply = DeviceIdReply{};
        if (own.kind == PortKind::Usb || own.kind == PortKind::Path) {
            return UsbDeviceId(own, buffer, capacity, reply);
        }
        if (own.kind == PortKind::Parallel) {
            return ParallelDeviceId(own, buffer, capacity, reply);
        }
        return DeviceError::NotSupported;
    }

    DeviceError SoftReset(DevicePort& port, const DeviceRequest&) override {
        auto& own = static_cast<LinuxPort&>(port);
        if (own.kind == PortKind::Usb || own.kind == PortKind::Path) {
            return ioctl(own.fd, kUsbSoftReset) == 0 ? DeviceError::None
                                                     : Report("soft reset", "", errno, DeviceError::Io);
        }
        if (own.kind == PortKind::Parallel && own.claimed) {
            // nInit is active low: drop it with select held, then raise it again.
            int asserted = PARPORT_CONTROL_SELECT;
            int released = PARPORT_CONTROL_SELECT | PARPORT_CONTROL_INIT;
            if (ioctl(own.fd, PPWCONTROL, &asserted) != 0) {
                return Report("init pulse", "", errno, DeviceError::Io);
            }
            Clock().Sleep(1);
            return ioctl(own.fd, PPWCONTROL, &released) == 0
                       ? DeviceError::None
                       : Report("init pulse", "", errno, DeviceError::Io);
        }
        return DeviceError::NotSupported;
    }

    DeviceError ListInterfaces(const std::string& interfaceClass,
                               std::vector<DeviceInterfaceEntry>* entries) override {
        entries->clear();
        if (interfaceClass != kUsbPrinterClass) {
            return DeviceError::NotSupported;
        }
        for (const FoundFile& found : FindFiles(DeviceFolder() + "usb/lp*")) {
            const char* digits = found.name.c_str() + 2;
            char* end = nullptr;
            unsigned long index = std::strtoul(digits, &end, 10);
            if (end != digits && *end == '\0' && index < 127) {
                entries->push_back(
                    {DeviceFolder() + "usb/" + found.name, static_cast<std::uint32_t>(index + 1), {}});
            }
        }
        return DeviceError::None;
    }

    DeviceError QueryDosAlias(const std::string&, std::string*) override { return DeviceError::NotSupported; }
    DeviceError DefineDosAlias(const std::string&, const std::string&) override {
        return DeviceError::NotSupported;
    }

private:
    static DeviceError ReadWhatIsThere(LinuxPort& port, std::uint8_t* buffer, std::uint32_t capacity,
                                       std::uint32_t* received) {
        ssize_t done = read(port.fd, buffer, capacity);
        if (done < 0) {
            return errno == EAGAIN || errno == EINTR ? DeviceError::None
                                                     : Report("read", "", errno, FromErrno(errno));
        }
        *received = static_cast<std::uint32_t>(done);
        return DeviceError::None;
    }

    static DeviceError UsbDeviceId(LinuxPort& port, std::uint8_t* buffer, std::uint32_t capacity,
                                   DeviceIdReply* reply) {
        if (capacity < 2) {
            return DeviceError::InvalidArgument;
        }
        std::memset(buffer, 0, capacity);
        const std::uint32_t asked = std::min<std::uint32_t>(capacity, 0x3FFF);  // the request's size field
        if (ioctl(port.fd, UsbGetDeviceId(asked), buffer) != 0) {
            const int error = errno;
            if (error == ENOTTY && PublishedDeviceId(port, buffer, asked, reply)) {
                return DeviceError::None;
            }
            return Report("device ID", "", error, FromErrno(error));
        }
        // usblp answers 0 and leaves the length in the reply's first two bytes, as the printer sent it.
        const std::uint32_t length = buffer[0] * 256u + buffer[1];
        reply->received = std::min(std::max<std::uint32_t>(length, 2), asked);
        reply->lengthPrefixed = true;
        return DeviceError::None;
    }

    // A node that is no usblp device (a terminal or another driver's node carrying a printer's
    // bytes) does not take the request. Its printer's ID may still be where usblp publishes the ID
    // of every printer it binds: the interface's ieee1284_id, the text the printer sent when it was
    // plugged in, without the length. It is given back behind its length, as the request gives it.
    static bool PublishedDeviceId(LinuxPort& port, std::uint8_t* buffer, std::uint32_t asked,
                                  DeviceIdReply* reply) {
        const std::string path = SystemFolder() + "class/usbmisc/" + port.node + "/device/ieee1284_id";
        std::ifstream file(path, std::ios::binary);
        if (port.node.empty() || !file) {
            return false;
        }
        std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        while (!text.empty() && text.back() == '\n') {
            text.pop_back();
        }
        const std::uint32_t length =
            static_cast<std::uint32_t>(std::min<std::size_t>(text.size() + 2, 0xFFFF));
        buffer[0] = static_cast<std::uint8_t>(length >> 8);
        buffer[1] = static_cast<std::uint8_t>(length & 0xFF);
        reply->received = std::min(length, asked);
        std::memcpy(buffer + 2, text.data(), reply->received - 2);
        reply->lengthPrefixed = true;
        return true;
    }

    static DeviceError ParallelDeviceId(LinuxPort& port, std::uint8_t* buffer, std::uint32_t capacity,
                                        DeviceIdReply* reply) {
        if (!port.claimed) {
            return DeviceError::NotSupported;
        }
        int mode = IEEE1284_MODE_NIBBLE | IEEE1284_DEVICEID;
        if (ioctl(port.fd, PPNEGOT, &mode) != 0) {
            return Report("nibble negotiation", "", errno, DeviceError::Io);
        }
        ssize_t done = read(port.fd, buffer, capacity);
        int error = errno;
        int compatible = IEEE1284_MODE_COMPAT;
        ioctl(port.fd, PPNEGOT, &compatible);
        if (done < 0) {
            return Report("device ID", "", error, DeviceError::Io);
        }
        reply->received = static_cast<std::uint32_t>(done);
        reply->lengthPrefixed = true;  // the 1284 reply starts with its two-byte length
        return DeviceError::None;
    }
};

}  // namespace

DeviceBackend& detail::PlatformDeviceBackend() {
    static LinuxBackend backend;
    return backend;
}

}  // namespace platform
