// The maker's ECP driver as the virtual back-ends carry it. Its ports are the parallel printers of
// the back-end it serves, opened by number through that back-end's own Open; its transfers hand the
// caller's bytes to the printer's port and take what the printer has, exactly as writes and reads on
// the port would, so the printer sees the same stream either way. The requests and their blocks are
// those of platform/EcpDriverRequests.h.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "platform/Device.h"

namespace platform {

class VirtualEcpDriver {
public:
    // `printers`: the back-end whose parallel ports the driver opens; it must outlive the driver.
    explicit VirtualEcpDriver(DeviceBackend& printers) : printers_(printers) {}
    // Ports still open close with the driver's device, as the OS closes them with its handle.
    ~VirtualEcpDriver() = default;
    VirtualEcpDriver(const VirtualEcpDriver&) = delete;
    VirtualEcpDriver& operator=(const VirtualEcpDriver&) = delete;

    // Carries out one request. Errors: NotSupported (a code the driver does not have), InvalidArgument
    // (an input block of the wrong size or an output too small), Io (an unknown port handle). An open
    // the printer refuses is not an error: the answer is a negative port handle.
    DeviceError Carry(const DeviceRequest& request, std::uint8_t* output, std::uint32_t capacity,
                      std::uint32_t* returned);

    std::size_t OpenPorts() const { return ports_.size(); }

private:
    struct Port {
        std::uint32_t number = 0;
        DevicePortPtr port;
        std::int32_t state = 0;
    };

    DeviceError OpenPort(const std::vector<std::uint8_t>& input, std::uint8_t* output, std::uint32_t capacity,
                         std::uint32_t* returned);
    DeviceError Transfer(bool write, const std::vector<std::uint8_t>& input, std::uint8_t* output,
                         std::uint32_t capacity, std::uint32_t* returned);
    Port* Find(const std::vector<std::uint8_t>& input);

    DeviceBackend& printers_;
    std::map<std::int32_t, Port> ports_;
    // Port handles count up from 1 and are not given twice, so a handle kept after its close reaches
    // no later port; 0 is left out because the library takes it for "no port".
    std::int32_t nextHandle_ = 1;
};

// A port of the device seam that is the driver's device: what the virtual back-ends open for the
// driver's path.
class VirtualEcpDevice : public DevicePort {
public:
    explicit VirtualEcpDevice(DeviceBackend& printers) : driver(printers) { kind = PortKind::Path; }
    VirtualEcpDriver driver;
};

// The driver behind a port, or null when the port is not the driver's device.
VirtualEcpDriver* EcpDriverOf(DevicePort& port);

}  // namespace platform
