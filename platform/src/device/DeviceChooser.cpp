// The choice of the device back-end, once per process.
#include <atomic>
#include <cstdlib>
#include <string>

#include "DeviceBackendRegistry.h"
#include "platform/Clock.h"
#include "platform/DebugOutput.h"
#include "platform/Device.h"

namespace platform {
namespace {

std::atomic<DeviceBackend*> installedBackend{nullptr};

DeviceBackend& ChooseBackend() {
    const char* virtualPrinter = std::getenv(kVirtualPrinterVariable);
    if (virtualPrinter != nullptr && virtualPrinter[0] != '\0') {
        if (DeviceBackend* backend = detail::VirtualDeviceBackend(virtualPrinter)) {
            DebugOutput(("Device back-end: virtual (" + std::string(kVirtualPrinterVariable) + "=" +
                         virtualPrinter + ")\n")
                            .c_str());
            return *backend;
        }
        DebugOutput("Device back-end: null (the virtual printer was asked for but cannot be reached)\n");
        return NullDeviceBackend();
    }
    DeviceBackend& own = detail::PlatformDeviceBackend();
    DebugOutput(("Device back-end: " + std::string(own.Name()) + " (the platform's own; " +
                 kVirtualPrinterVariable + " is not set)\n")
                    .c_str());
    return own;
}

}  // namespace

DeviceError DeviceBackend::DeviceControl(DevicePort&, const DeviceRequest&, std::uint8_t*, std::uint32_t,
                                         std::uint32_t* returned) {
    *returned = 0;
    return DeviceError::NotSupported;
}

DeviceError DeviceBackend::ReadRegistryValue(const std::string&, const std::string&,
                                             std::vector<std::uint8_t>* value) {
    value->clear();
    return DeviceError::NotSupported;
}

DeviceError DeviceBackend::EnumRegistrySubkey(const std::string&, std::uint32_t, std::string* name) {
    name->clear();
    return DeviceError::NotSupported;
}

DeviceError DeviceBackend::WriteRegistryBinary(const std::string&, const std::string&,
                                               const std::vector<std::uint8_t>&) {
    return DeviceError::NotSupported;
}

DeviceError DeviceBackend::QueryFileVersion(const std::string&, std::string* version) {
    version->clear();
    return DeviceError::NotSupported;
}

DeviceError DeviceBackend::ReadAfterWait(DevicePort& port, std::uint8_t* buffer, std::uint32_t capacity,
                                         std::uint32_t milliseconds, std::uint32_t* received) {
    Clock().Sleep(milliseconds);
    return Read(port, buffer, capacity, received);
}

DeviceBackend& ActiveDeviceBackend() {
    if (DeviceBackend* installed = installedBackend.load()) {
        return *installed;
    }
    static DeviceBackend& chosen = ChooseBackend();
    return chosen;
}

void InstallDeviceBackend(DeviceBackend* backend) {
    installedBackend.store(backend);
}

const char* DeviceErrorName(DeviceError error) {
    switch (error) {
        case DeviceError::None:
            return "no error";
        case DeviceError::NotFound:
            return "not found";
        case DeviceError::AccessDenied:
            return "access denied";
        case DeviceError::InvalidArgument:
            return "invalid argument";
        case DeviceError::NotSupported:
            return "not supported";
        case DeviceError::Io:
            return "I/O error";
        case DeviceError::LineError:
            return "line error";
        case DeviceError::Disconnected:
            return "disconnected";
    }
    return "unknown error";
}

}  // namespace platform
