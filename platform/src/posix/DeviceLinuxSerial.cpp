#include "DeviceLinuxSerial.h"

#include <linux/serial.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

#include "platform/Clock.h"
#include "platform/DebugOutput.h"

namespace platform::detail {
namespace {

struct BaudRate {
    std::uint32_t rate;
    speed_t speed;
};

constexpr BaudRate kBaudRates[] = {
    {50, B50},       {75, B75},         {110, B110},       {134, B134},       {150, B150},
    {200, B200},     {300, B300},       {600, B600},       {1200, B1200},     {1800, B1800},
    {2400, B2400},   {4800, B4800},     {9600, B9600},     {19200, B19200},   {38400, B38400},
    {57600, B57600}, {115200, B115200}, {230400, B230400}, {460800, B460800}, {921600, B921600},
};

constexpr tcflag_t kByteSizes[] = {CS5, CS6, CS7, CS8};  // 5 to 8 data bits

DeviceError Failed(const char* step, int error) {
    DebugOutput(("linux device: " + std::string(step) + ": " + std::strerror(error) + "\n").c_str());
    return error == ENOTTY || error == EINVAL ? DeviceError::NotSupported : DeviceError::Io;
}

}  // namespace

void MakeSerialRaw(int fd) {
    termios line{};
    if (tcgetattr(fd, &line) == 0) {
        cfmakeraw(&line);
        line.c_cflag |= CREAD | CLOCAL;
        line.c_cc[VMIN] = 0;
        line.c_cc[VTIME] = 0;
        tcsetattr(fd, TCSANOW, &line);
    }
}

SerialErrorCounts ReadSerialErrorCounts(int fd) {
    serial_icounter_struct counts{};
    if (ioctl(fd, TIOCGICOUNT, &counts) != 0) {
        return {};
    }
    return {static_cast<std::uint64_t>(counts.frame) + static_cast<std::uint64_t>(counts.parity) +
            static_cast<std::uint64_t>(counts.overrun) + static_cast<std::uint64_t>(counts.buf_overrun)};
}

DeviceError ReadLineSettings(int fd, LineSettings* settings) {
    termios line{};
    if (tcgetattr(fd, &line) != 0) {
        return Failed("reading the line settings", errno);
    }
    const speed_t speed = cfgetospeed(&line);
    settings->baudRate = 0;
    for (const BaudRate& known : kBaudRates) {
        if (known.speed == speed) {
            settings->baudRate = known.rate;
        }
    }
    const tcflag_t size = line.c_cflag & CSIZE;
    settings->byteSize = 8;
    for (std::size_t i = 0; i < std::size(kByteSizes); ++i) {
        if (kByteSizes[i] == size) {
            settings->byteSize = static_cast<std::uint8_t>(5 + i);
        }
    }
    settings->parityCheck = (line.c_iflag & INPCK) != 0;
    settings->stopBits = (line.c_cflag & CSTOPB) != 0 ? 2 : 0;
    return DeviceError::None;
}

DeviceError WriteLineSettings(int fd, const LineSettings& settings) {
    termios line{};
    if (tcgetattr(fd, &line) != 0) {
        return Failed("reading the line settings", errno);
    }
    const BaudRate* rate =
        std::find_if(std::begin(kBaudRates), std::end(kBaudRates),
                     [&](const BaudRate& known) { return known.rate == settings.baudRate; });
    // termios has no 1.5 stop bits; 5 to 8 data bits only.
    if (rate == std::end(kBaudRates) || settings.byteSize < 5 || settings.byteSize > 8 ||
        settings.stopBits == 1 || settings.stopBits > 2) {
        return DeviceError::InvalidArgument;
    }
    cfsetispeed(&line, rate->speed);
    cfsetospeed(&line, rate->speed);
    line.c_cflag = (line.c_cflag & ~CSIZE) | kByteSizes[settings.byteSize - 5];
    line.c_iflag = settings.parityCheck ? (line.c_iflag | INPCK) : (line.c_iflag & ~tcflag_t{INPCK});
    line.c_cflag = settings.stopBits == 2 ? (line.c_cflag | CSTOPB) : (line.c_cflag & ~tcflag_t{CSTOPB});
    if (tcsetattr(fd, TCSANOW, &line) != 0) {
        return Failed("writing the line settings", errno);
    }
    return DeviceError::None;
}

DeviceError ReadSerial(int fd, const PortTimeouts& timeouts, std::uint8_t* buffer, std::uint32_t capacity,
                       std::uint32_t* received) {
    *received = 0;
    constexpr std::uint32_t kNoWait = 0xFFFFFFFF;
    const bool immediate = timeouts.readInterval == kNoWait && timeouts.readTotalMultiplier == 0 &&
                           timeouts.readTotalConstant == 0;
    const std::uint64_t total =
        std::uint64_t{timeouts.readTotalMultiplier} * capacity + timeouts.readTotalConstant;
    const bool totalLimited = total != 0;
    const bool intervalLimited = timeouts.readInterval != 0 && timeouts.readInterval != kNoWait;
    const std::uint32_t start = Clock().TickCount();
    while (*received < capacity) {
        ssize_t done = read(fd, buffer + *received, capacity - *received);
        if (done > 0) {
            *received += static_cast<std::uint32_t>(done);
            continue;
        }
        if (done < 0 && errno != EAGAIN && errno != EINTR) {
            return Failed("read", errno);
        }
        if (immediate) {
            break;
        }
        // The longest this wait may last: what is left of the total, and, once a byte came, the interval.
        int wait = -1;
        if (totalLimited) {
            std::uint32_t spent = Clock().TickCount() - start;
            if (spent >= total) {
                break;
            }
            wait = static_cast<int>(std::min<std::uint64_t>(total - spent, 0x7FFFFFFF));
        }
        if (intervalLimited && *received > 0) {
            wait = wait < 0 ? static_cast<int>(timeouts.readInterval)
                            : std::min(wait, static_cast<int>(
                                                 std::min<std::uint32_t>(timeouts.readInterval, 0x7FFFFFFF)));
        }
        pollfd ready{fd, POLLIN, 0};
        if (poll(&ready, 1, wait) == 0) {
            break;
        }
    }
    return DeviceError::None;
}

}  // namespace platform::detail
