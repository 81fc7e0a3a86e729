// The win32 device back-end: ports opened by the Win32 procedures of each driver family, requests
// sent with DeviceIoControl, serial lines through DCB and COMMTIMEOUTS. Written for real Windows: the
// maker's parallel and USB class drivers answer the request codes that the driver passes in.
#include <windows.h>

#include <cstdio>
#include <string>

#include "../device/DeviceBackendRegistry.h"
#include "DeviceWin32Enumeration.h"
#include "DeviceWin32Registry.h"
#include "platform/DebugOutput.h"

namespace platform {
namespace {

class Win32Port final : public DevicePort {
public:
    explicit Win32Port(HANDLE opened) : handle(opened) {}
    ~Win32Port() override { CloseHandle(handle); }
    HANDLE handle;
};

DeviceError Report(const char* step, const std::string& what, DeviceError result) {
    char code[32];
    std::snprintf(code, sizeof code, ": error %lu\n", GetLastError());
    DebugOutput(("win32 device: " + std::string(step) + " " + what + code).c_str());
    return result;
}

DeviceError FromLastError(DWORD error) {
    switch (error) {
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_BUSY:
            return DeviceError::AccessDenied;
        case ERROR_DEVICE_NOT_CONNECTED:
        case ERROR_DEV_NOT_EXIST:
        case ERROR_BAD_COMMAND:
            return DeviceError::Disconnected;
        default:
            return DeviceError::Io;
    }
}

HANDLE OpenComPort(std::uint32_t n) {
    // The device namespace reaches COM10 to COM256 as well, which the bare name "COM10" does not.
    char name[32];
    std::snprintf(name, sizeof name, "\\\\.\\COM%u", n);
    return CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
}

// The NT family's parallel port: DOS alias kxparpN.4 onto the ECP-capable device first, then kxparpN
// onto the plain one. An alias that already names its target is left as it is; aliases stay defined.
HANDLE OpenParallelByAlias(std::uint32_t n, DeviceError* error) {
    const char* const suffixes[] = {".4", ""};
    for (const char* suffix : suffixes) {
        char alias[32];
        char target[64];
        std::snprintf(alias, sizeof alias, "kxparp%u%s", n, suffix);
        std::snprintf(target, sizeof target, "\\Device\\Parallel%u%s", n - 1, suffix);
        char current[257] = {};
        if (QueryDosDeviceA(alias, current, 256) == 0 || std::string(current) != target) {
            if (!DefineDosDeviceA(DDD_RAW_TARGET_PATH, alias, target)) {
                *error = Report("define alias", alias, DeviceError::AccessDenied);
                return INVALID_HANDLE_VALUE;
            }
        }
        HANDLE handle = detail::OpenShared(std::string("\\\\.\\") + alias);
        if (handle != INVALID_HANDLE_VALUE) {
            return handle;
        }
    }
    *error = Report("open", "parallel port", DeviceError::NotFound);
    return INVALID_HANDLE_VALUE;
}

HANDLE OpenParallelByName(std::uint32_t n) {
    char name[16];
    std::snprintf(name, sizeof name, "LPT%u", n);
    return detail::OpenShared(name);
}

class Win32Backend final : public DeviceBackend {
public:
    const char* Name() const override { return "win32"; }

    DeviceError Open(const PortAddress& address, DevicePortPtr* port) override {
        if (address.kind != PortKind::Path && address.number == 0) {
            return DeviceError::InvalidArgument;
        }
        DeviceError error = DeviceError::NotFound;
        HANDLE handle = INVALID_HANDLE_VALUE;
        switch (address.kind) {
            case PortKind::Com:
                handle = OpenComPort(address.number);
                break;
            case PortKind::Parallel:
                if (address.procedure == OpenProcedure::ParallelDosAlias) {
                    handle = OpenParallelByAlias(address.number, &error);
                } else {
                    handle = OpenParallelByName(address.number);
                }
                break;
            case PortKind::Usb:
                handle = address.procedure == OpenProcedure::UsbMakerClass
                             ? detail::OpenMakerClassPort(address.number)
                             : detail::OpenUsbPrinterClassPort(address.number);
                break;
            case PortKind::Path:
                handle = detail::OpenShared(address.path);
                break;
        }
        if (handle == INVALID_HANDLE_VALUE) {
            if (GetLastError() == ERROR_ACCESS_DENIED || GetLastError() == ERROR_SHARING_VIOLATION) {
                error = DeviceError::AccessDenied;
            }
            return Report("open", "port " + std::to_string(address.number), error);
        }
        auto opened = std::make_unique<Win32Port>(handle);
        opened->kind = address.kind;
        *port = std::move(opened);
        return DeviceError::None;
    }

    DeviceError Write(DevicePort& port, const std::uint8_t* data, std::uint32_t count,
                      std::uint32_t* written) override {
        DWORD done = 0;
        BOOL ok = WriteFile(Handle(port), data, count, &done, nullptr);
        *written = done;
        return ok ? DeviceError::None : Report("write", "", FromLastError(GetLastError()));
    }

    DeviceError Read(DevicePort& port, std::uint8_t* buffer, std::uint32_t capacity,
                     std::uint32_t* received) override {
        DWORD done = 0;
        BOOL ok = ReadFile(Handle(port), buffer, capacity, &done, nullptr);
        *received = done;
        return ok ? DeviceError::None : Report("read", "", FromLastError(GetLastError()));
    }

    DeviceError GetTimeouts(DevicePort& port, PortTimeouts* timeouts) override {
        COMMTIMEOUTS record{};
        if (!GetCommTimeouts(Handle(port), &record)) {
            return Report("GetCommTimeouts", "", DeviceError::NotSupported);
        }
        *timeouts = {record.ReadIntervalTimeout, record.ReadTotalTimeoutMultiplier,
                     record.ReadTotalTimeoutConstant, record.WriteTotalTimeoutMultiplier,
                     record.WriteTotalTimeoutConstant};
        return DeviceError::None;
    }

    DeviceError SetTimeouts(DevicePort& port, const PortTimeouts& timeouts) override {
        COMMTIMEOUTS record{timeouts.readInterval, timeouts.readTotalMultiplier, timeouts.readTotalConstant,
                            timeouts.writeTotalMultiplier, timeouts.writeTotalConstant};
        return SetCommTimeouts(Handle(port), &record)
                   ? DeviceError::None
                   : Report("SetCommTimeouts", "", DeviceError::NotSupported);
    }

    DeviceError GetLineSettings(DevicePort& port, LineSettings* settings) override {
        DCB dcb{};
        dcb.DCBlength = sizeof dcb;
        if (!GetCommState(Handle(port), &dcb)) {
            return Report("GetCommState", "", DeviceError::NotSupported);
        }
        *settings = {dcb.BaudRate, dcb.ByteSize, dcb.fParity != 0, dcb.StopBits};
        return DeviceError::None;
    }

    // Read, change the four fields, write back: the parity mode and every other field stay as they were.
    DeviceError SetLineSettings(DevicePort& port, const LineSettings& settings) override {
        DCB dcb{};
        dcb.DCBlength = sizeof dcb;
        if (!GetCommState(Handle(port), &dcb)) {
            return Report("GetCommState", "", DeviceError::NotSupported);
        }
        dcb.BaudRate = settings.baudRate;
        dcb.ByteSize = settings.byteSize;
        dcb.fParity = settings.parityCheck ? 1 : 0;
        dcb.StopBits = settings.stopBits;
        return SetCommState(Handle(port), &dcb) ? DeviceError::None
                                                : Report("SetCommState", "", DeviceError::InvalidArgument);
    }

    DeviceError GetComStatus(DevicePort& port, ComStatus* status) override {
        DWORD errors = 0;
        COMSTAT queue{};
        if (!ClearCommError(Handle(port), &errors, &queue)) {
            return Report("ClearCommError", "", DeviceError::NotSupported);
        }
        status->lineError = errors != 0;
        status->queuedInput = queue.cbInQue;
        return DeviceError::None;
    }

    DeviceError GetDeviceId(DevicePort& port, const DeviceRequest& request, std::uint8_t* buffer,
                            std::uint32_t capacity, DeviceIdReply* reply) override {
        *reply = DeviceIdReply{};
        if (port.kind == PortKind::Com) {
            return DeviceError::NotSupported;
        }
        DWORD returned = 0;
        if (!DeviceIoControl(Handle(port), request.controlCode, nullptr, 0, buffer, capacity, &returned,
                             nullptr)) {
            return Report("device ID request", "", DeviceError::Io);
        }
        reply->received = returned < capacity ? returned : capacity;
        // The USB printer classes deliver the ID with its two-byte length; the parallel class strips it.
        reply->lengthPrefixed = port.kind != PortKind::Parallel;
        return DeviceError::None;
    }

    DeviceError SoftReset(DevicePort& port, const DeviceRequest& request) override {
        if (port.kind == PortKind::Com) {
            return DeviceError::NotSupported;
        }
        DWORD returned = 0;
        void* input = request.input.empty() ? nullptr : const_cast<std::uint8_t*>(request.input.data());
        return DeviceIoControl(Handle(port), request.controlCode, input,
                               static_cast<DWORD>(request.input.size()), nullptr, 0, &returned, nullptr)
                   ? DeviceError::None
                   : Report("reset request", "", DeviceError::Io);
    }

    DeviceError ListInterfaces(const std::string& interfaceClass,
                               std::vector<DeviceInterfaceEntry>* entries) override {
        entries->clear();
        GUID guid;
        if (!detail::ParseGuid(interfaceClass, &guid)) {
            return DeviceError::InvalidArgument;
        }
        return detail::EnumerateInterfaces(guid, entries);
    }

    DeviceError QueryDosAlias(const std::string& alias, std::string* target) override {
        char current[257] = {};
        if (QueryDosDeviceA(alias.c_str(), current, 256) == 0) {
            return DeviceError::NotFound;
        }
        *target = current;
        return DeviceError::None;
    }

    DeviceError DefineDosAlias(const std::string& alias, const std::string& target) override {
        return DefineDosDeviceA(DDD_RAW_TARGET_PATH, alias.c_str(), target.c_str())
                   ? DeviceError::None
                   : Report("define alias", alias, DeviceError::AccessDenied);
    }

    DeviceError DeviceControl(DevicePort& port, const DeviceRequest& request, std::uint8_t* output,
                              std::uint32_t capacity, std::uint32_t* returned) override {
        *returned = 0;
        DWORD done = 0;
        void* input = request.input.empty() ? nullptr : const_cast<std::uint8_t*>(request.input.data());
        if (!DeviceIoControl(Handle(port), request.controlCode, input,
                             static_cast<DWORD>(request.input.size()), capacity == 0 ? nullptr : output,
                             capacity, &done, nullptr)) {
            const DWORD error = GetLastError();
            char code[16];
            std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(request.controlCode));
            // A driver without the request says so with one of these; any other refusal is an I/O error.
            const bool unknown = error == ERROR_INVALID_FUNCTION || error == ERROR_NOT_SUPPORTED;
            return Report("device request", code, unknown ? DeviceError::NotSupported : DeviceError::Io);
        }
        *returned = done < capacity ? done : capacity;
        return DeviceError::None;
    }

    DeviceError ReadRegistryValue(const std::string& key, const std::string& name,
                                  std::vector<std::uint8_t>* value) override {
        return detail::ReadRegistryValue(key, name, value);
    }
    DeviceError EnumRegistrySubkey(const std::string& key, std::uint32_t index, std::string* name) override {
        return detail::EnumRegistrySubkey(key, index, name);
    }
    DeviceError WriteRegistryBinary(const std::string& key, const std::string& name,
                                    const std::vector<std::uint8_t>& value) override {
        return detail::WriteRegistryBinary(key, name, value);
    }
    DeviceError QueryFileVersion(const std::string& fileName, std::string* version) override {
        return detail::QueryFileVersion(fileName, version);
    }

private:
    static HANDLE Handle(DevicePort& port) { return static_cast<Win32Port&>(port).handle; }
};

}  // namespace

DeviceBackend& detail::PlatformDeviceBackend() {
    static Win32Backend backend;
    return backend;
}

}  // namespace platform
