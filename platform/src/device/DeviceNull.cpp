// The null back-end: no port exists. It is also the template of a new back-end: one function per entry
// of the table, each returning what the header allows when the world has nothing to offer.
#include "platform/Device.h"

namespace platform {
namespace {

class NullBackend final : public DeviceBackend {
public:
    const char* Name() const override { return "null"; }

    DeviceError Open(const PortAddress&, DevicePortPtr*) override { return DeviceError::NotFound; }

    DeviceError Write(DevicePort&, const std::uint8_t*, std::uint32_t, std::uint32_t* written) override {
        *written = 0;
        return DeviceError::Io;
    }
    DeviceError Read(DevicePort&, std::uint8_t*, std::uint32_t, std::uint32_t* received) override {
        *received = 0;
        return DeviceError::Io;
    }
    DeviceError GetTimeouts(DevicePort&, PortTimeouts*) override { return DeviceError::NotSupported; }
    DeviceError SetTimeouts(DevicePort&, const PortTimeouts&) override { return DeviceError::NotSupported; }
    DeviceError GetLineSettings(DevicePort&, LineSettings*) override { return DeviceError::NotSupported; }
    DeviceError SetLineSettings(DevicePort&, const LineSettings&) override {
        return DeviceError::NotSupported;
    }
    DeviceError GetComStatus(DevicePort&, ComStatus*) override { return DeviceError::NotSupported; }
    DeviceError GetDeviceId(DevicePort&, const DeviceRequest&, std::uint8_t*, std::uint32_t,
                            DeviceIdReply* reply) override {
        *reply = DeviceIdReply{};
        return DeviceError::NotSupported;
    }
    DeviceError SoftReset(DevicePort&, const DeviceRequest&) override { return DeviceError::NotSupported; }
    DeviceError ListInterfaces(const std::string&, std::vector<DeviceInterfaceEntry>* entries) override {
        entries->clear();
        return DeviceError::NotSupported;
    }
    DeviceError QueryDosAlias(const std::string&, std::string*) override { return DeviceError::NotSupported; }
    DeviceError DefineDosAlias(const std::string&, const std::string&) override {
        return DeviceError::NotSupported;
    }
};

}  // namespace

DeviceBackend& NullDeviceBackend() {
    static NullBackend backend;
    return backend;
}

}  // namespace platform
