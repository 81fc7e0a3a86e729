// The device seam: every printer port (LPT n, USB k, COM n, an explicit device path) is reached
// through one table of operations, DeviceBackend. One back-end per world:
//   win32    the Win32 procedures (DOS aliases, SetupDi, DeviceIoControl, DCB and COMMTIMEOUTS);
//   linux    /dev/usb/lp(k-1), /dev/parport(n-1) through ppdev, /dev/ttyS(n-1) with termios;
//   virtual  the virtual printer over loopback TCP (TOLVANE_VPRINTER=host:port);
//   scripted a conversation of expected operations and replies, for the tests (DeviceScript.h);
//   null     every port absent; the template for a new back-end.
// The back-end is chosen once per process (ActiveDeviceBackend) and the choice is written to the debug
// output. Tests install their own with ScopedDeviceBackend.
//
// Every operation translates the OS error once, where the OS call is made, into DeviceError, and writes
// the raw OS code to the debug output. No operation throws. A port is used from one thread at a time.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

enum class DeviceError : std::uint8_t {
    None = 0,
    NotFound,         // no such port or device, or an enumeration found nothing that matches
    AccessDenied,     // the device exists but the OS refuses it (permissions, held by another)
    InvalidArgument,  // a value the device or OS rejects (a baud rate the port cannot run)
    NotSupported,     // the operation does not exist for this kind of port on this back-end
    Io,               // the OS reported a failed read, write or request
    LineError,        // a serial line error (framing, parity, overrun) was pending
    Disconnected,     // the device went away while open (USB unplugged, peer closed)
};

// A short English name of the error, for debug texts ("not found").
const char* DeviceErrorName(DeviceError error);

enum class PortKind : std::uint8_t {
    Parallel,  // LPT n, n from 1
    Usb,       // USB printer k, k from 1
    Com,       // COM n, n from 1
    Path,      // an explicit device path
};

// How a Windows build finds and opens a port of a kind. The driver picks the procedure of its variant;
// back-ends other than win32 open the port the same way for every procedure of a kind.
enum class OpenProcedure : std::uint8_t {
    Default,           // the back-end's own way; COM n through "COM%d", exclusive
    ParallelDosAlias,  // DOS aliases kxparpN.4 then kxparpN onto the parallel device, shared
    ParallelDosName,   // "LPTn" opened directly, shared
    UsbPrinterClass,   // SetupDi over the USB printer interface class, maker's vid, "Port Number"
    UsbMakerClass,     // SetupDi over the maker's class driver, "PortName" KXUSBk:, then \\.\KXUSBk:
};

struct PortAddress {
    PortKind kind = PortKind::Parallel;
    std::uint32_t number = 0;  // from 1; unused for PortKind::Path
    std::string path;          // PortKind::Path only
    OpenProcedure procedure = OpenProcedure::Default;

    friend bool operator==(const PortAddress&, const PortAddress&) = default;
};

// The five time-outs of the Win32 COMMTIMEOUTS record, in its order, in milliseconds.
// A read of n bytes ends when no byte follows the last for readInterval ms, or after
// readTotalMultiplier * n + readTotalConstant ms. readInterval 0xFFFFFFFF with both read totals 0
// returns at once with what is queued; all three read values 0 waits without limit.
struct PortTimeouts {
    std::uint32_t readInterval = 0;
    std::uint32_t readTotalMultiplier = 0;
    std::uint32_t readTotalConstant = 0;
    std::uint32_t writeTotalMultiplier = 0;
    std::uint32_t writeTotalConstant = 0;

    friend bool operator==(const PortTimeouts&, const PortTimeouts&) = default;
};

// The serial line fields the port driver touches (Win32 DCB: BaudRate, ByteSize, fParity, StopBits).
// The parity mode itself (none/odd/even) is never changed by writing these.
struct LineSettings {
    std::uint32_t baudRate = 0;
    std::uint8_t byteSize = 8;  // data bits, 5 to 8
    bool parityCheck = false;   // check the parity of received bytes
    std::uint8_t stopBits = 0;  // 0 = 1, 1 = 1.5, 2 = 2 stop bits

    friend bool operator==(const LineSettings&, const LineSettings&) = default;
};

// What ClearCommError tells: a pending line error (cleared by asking) and the queued input.
struct ComStatus {
    bool lineError = false;
    std::uint32_t queuedInput = 0;

    friend bool operator==(const ComStatus&, const ComStatus&) = default;
};

// A device request in the Win32 form (DeviceIoControl code and optional input bytes). Only the win32
// back-end sends the code; the others recognise the request by the operation it is passed to.
struct DeviceRequest {
    std::uint32_t controlCode = 0;
    std::vector<std::uint8_t> input;

    friend bool operator==(const DeviceRequest&, const DeviceRequest&) = default;
};

struct DeviceIdReply {
    std::uint32_t received = 0;  // bytes stored, never more than the capacity asked with
    // The reply begins with the two-byte big-endian length of the IEEE 1284 device ID, as the USB
    // printer class and the 1284 nibble-mode read deliver it; the Windows parallel class strips it.
    bool lengthPrefixed = false;
};

// One present device interface of a device-interface class (the SetupDi enumeration step).
struct DeviceInterfaceEntry {
    std::string devicePath;        // as the OS gives it; opened with PortKind::Path
    std::uint32_t portNumber = 0;  // the interface key's "Port Number", 0 when it has none
    std::string portName;          // the device key's "PortName", empty when it has none
};

// An open port, owned by the caller through a unique_ptr; destroying it closes it. Each back-end
// derives its own.
class DevicePort {
public:
    virtual ~DevicePort() = default;
    PortKind kind = PortKind::Parallel;
};

using DevicePortPtr = std::unique_ptr<DevicePort>;

// The table of operations. "Blocks" says whether a call can wait on the device; every call returns at
// once when it does not. The errors listed are all a back-end returns from that entry.
class DeviceBackend {
public:
    virtual ~DeviceBackend() = default;

    // "win32", "linux", "virtual", "scripted", "null".
    virtual const char* Name() const = 0;

    // Opens the port. Blocks: briefly, while the OS opens the device. Errors: NotFound, AccessDenied,
    // InvalidArgument (a number the back-end has no device for), NotSupported (a procedure or kind this
    // back-end lacks). On success *port is set; on failure it stays null.
    virtual DeviceError Open(const PortAddress& address, DevicePortPtr* port) = 0;

    // Writes count bytes; *written gets the bytes taken by the device. Blocks: up to the write
    // time-outs. Errors: Io, Disconnected. A time-out is not an error: *written is then short.
    virtual DeviceError Write(DevicePort& port, const std::uint8_t* data, std::uint32_t count,
                              std::uint32_t* written) = 0;

    // Reads up to capacity bytes; *received gets the count, 0 when nothing came within the read
    // time-outs (not an error). Blocks: up to the read time-outs. Errors: Io, Disconnected.
    virtual DeviceError Read(DevicePort& port, std::uint8_t* buffer, std::uint32_t capacity,
                             std::uint32_t* received) = 0;

    // Gives the printer up to `milliseconds` to answer, then reads as Read does. It returns as soon as
    // bytes are there; with none by the end of the wait *received is 0 (not an error). Blocks: up to
    // the wait, then as Read. Errors: as Read. This form waits the whole time on the process clock and
    // then reads, for back-ends that cannot tell when bytes arrive.
    virtual DeviceError ReadAfterWait(DevicePort& port, std::uint8_t* buffer, std::uint32_t capacity,
                                      std::uint32_t milliseconds, std::uint32_t* received);

    // The port's time-outs. Does not block. Errors: NotSupported (a port without time-outs).
    virtual DeviceError GetTimeouts(DevicePort& port, PortTimeouts* timeouts) = 0;
    virtual DeviceError SetTimeouts(DevicePort& port, const PortTimeouts& timeouts) = 0;

    // Serial line settings. Does not block. Errors: NotSupported (not a serial port), InvalidArgument
    // (a value the line cannot take), Io.
    virtual DeviceError GetLineSettings(DevicePort& port, LineSettings* settings) = 0;
    virtual DeviceError SetLineSettings(DevicePort& port, const LineSettings& settings) = 0;

    // Line errors and queued input of a serial port; asking clears the error. Does not block.
    // Errors: NotSupported, Io.
    virtual DeviceError GetComStatus(DevicePort& port, ComStatus* status) = 0;

    // The IEEE 1284 device ID into buffer (capacity bytes at most; nothing is terminated). Blocks:
    // while the printer answers (a parallel nibble-mode read takes tens of milliseconds).
    // Errors: NotSupported (no device ID on this kind of port), Io.
    virtual DeviceError GetDeviceId(DevicePort& port, const DeviceRequest& request, std::uint8_t* buffer,
                                    std::uint32_t capacity, DeviceIdReply* reply) = 0;

    // Resets the printer (USB class soft reset, or a pulse on the parallel init line). Blocks: briefly.
    // Errors: NotSupported, Io.
    virtual DeviceError SoftReset(DevicePort& port, const DeviceRequest& request) = 0;

    // Enumeration steps of the Win32 procedures, for the device-driver library's port discovery.
    // Present interfaces of a device-interface class ("{28D78FAD-...}"), in index order. Blocks:
    // briefly. Errors: NotFound (the class set cannot be had), NotSupported.
    virtual DeviceError ListInterfaces(const std::string& interfaceClass,
                                       std::vector<DeviceInterfaceEntry>* entries) = 0;
    // The target of a DOS device alias. Does not block. Errors: NotFound, NotSupported.
    virtual DeviceError QueryDosAlias(const std::string& alias, std::string* target) = 0;
    // Defines an alias onto a raw target path. Does not block. Errors: AccessDenied, NotSupported.
    virtual DeviceError DefineDosAlias(const std::string& alias, const std::string& target) = 0;

    // The device-driver library's requests to the maker's drivers (the ECP driver, the IEEE 1394
    // driver, the USB driver's init signal): the request's code and input block; up to capacity bytes
    // of output, *returned the count. Blocks: while the driver carries the request out.
    // Errors: NotSupported (a request this back-end does not know), Io (the driver refused it).
    virtual DeviceError DeviceControl(DevicePort& port, const DeviceRequest& request, std::uint8_t* output,
                                      std::uint32_t capacity, std::uint32_t* returned);

    // Registry reads and the one write of the port discovery, below the local-machine root; keys are
    // paths with backslashes. A value as its bytes (text without its terminating NUL; a DWORD as four
    // bytes, low byte first). Does not block. Errors: NotFound (no such key or value), NotSupported.
    virtual DeviceError ReadRegistryValue(const std::string& key, const std::string& name,
                                          std::vector<std::uint8_t>* value);
    // The name of the subkey at index; NotFound past the last one.
    virtual DeviceError EnumRegistrySubkey(const std::string& key, std::uint32_t index, std::string* name);
    // Writes a binary value. Errors: NotFound (no such key), AccessDenied, NotSupported.
    virtual DeviceError WriteRegistryBinary(const std::string& key, const std::string& name,
                                            const std::vector<std::uint8_t>& value);
    // The "FileVersion" text of a file found on the system's search path ("KXUSB.SYS"), read from its
    // version resource under its first translation. Does not block. Errors: NotFound, NotSupported.
    virtual DeviceError QueryFileVersion(const std::string& fileName, std::string* version);
};

// The back-end of this process, chosen at the first call: the installed one (tests), else `virtual`
// when TOLVANE_VPRINTER=host:port is set, else the platform's own. Never fails: when nothing fits,
// the null back-end.
DeviceBackend& ActiveDeviceBackend();

// A back-end whose every port is absent and whose every operation reports NotSupported.
DeviceBackend& NullDeviceBackend();

// Installs a back-end for the process; null returns to the chosen one. The caller keeps ownership.
void InstallDeviceBackend(DeviceBackend* backend);

class ScopedDeviceBackend {
public:
    explicit ScopedDeviceBackend(DeviceBackend& backend) { InstallDeviceBackend(&backend); }
    ~ScopedDeviceBackend() { InstallDeviceBackend(nullptr); }
    ScopedDeviceBackend(const ScopedDeviceBackend&) = delete;
    ScopedDeviceBackend& operator=(const ScopedDeviceBackend&) = delete;
};

// Environment variable that names the virtual printer's server, "host:port".
inline constexpr const char* kVirtualPrinterVariable = "TOLVANE_VPRINTER";

// Environment variable that replaces the folder "/dev/" of the linux back-end, so that tests can put
// pseudo-terminals and plain files where the device nodes would be ("usb/lp0", "ttyS0", "parport0").
// Its folder "sys/" then replaces "/sys/": a USB printer node that does not answer the device ID
// request (a pseudo-terminal) gives the ID of "sys/class/usbmisc/lp0/device/ieee1284_id" there, as
// usblp publishes it (the text without its length).
inline constexpr const char* kDeviceFolderVariable = "TOLVANE_DEVICE_DIR";

}  // namespace platform
