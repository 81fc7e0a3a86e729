#include <map>
#include <mutex>

#include "DriverModule.h"
#include "platform/DebugOutput.h"

namespace drvlib {
namespace {

struct HeldPort {
    platform::DevicePortPtr port;
    int holders = 0;
};

// Handles start well above 0 and -1 and are never reused within a process, so a stale copy of a
// handle cannot reach a later port.
struct PortTable {
    std::mutex lock;
    std::map<std::int32_t, HeldPort> ports;
    std::int32_t next = 0x100;
};

PortTable& Table() {
    static PortTable table;
    return table;
}

}  // namespace

bool IsRealHandle(std::int32_t handle) {
    return handle != kInvalidHandle && handle != 0;
}

std::int32_t AdoptPort(platform::DevicePortPtr port) {
    if (!port) {
        return kInvalidHandle;
    }
    PortTable& table = Table();
    std::lock_guard<std::mutex> guard(table.lock);
    const std::int32_t handle = table.next++;
    table.ports[handle] = HeldPort{std::move(port), 1};
    return handle;
}

platform::DevicePort* FindPort(std::int32_t handle) {
    PortTable& table = Table();
    std::lock_guard<std::mutex> guard(table.lock);
    const auto found = table.ports.find(handle);
    return found == table.ports.end() ? nullptr : found->second.port.get();
}

void RetainPort(std::int32_t handle) {
    PortTable& table = Table();
    std::lock_guard<std::mutex> guard(table.lock);
    const auto found = table.ports.find(handle);
    if (found != table.ports.end()) {
        ++found->second.holders;
    }
}

void ReleasePort(std::int32_t handle) {
    platform::DevicePortPtr closing;
    {
        PortTable& table = Table();
        std::lock_guard<std::mutex> guard(table.lock);
        const auto found = table.ports.find(handle);
        if (found == table.ports.end()) {
            return;
        }
        if (--found->second.holders > 0) {
            return;
        }
        closing = std::move(found->second.port);
        table.ports.erase(found);
    }
    // The port closes outside the lock: closing a virtual port talks to the server.
}

std::int32_t OpenPort(const platform::PortAddress& address) {
    platform::DevicePortPtr port;
    const platform::DeviceError error = platform::ActiveDeviceBackend().Open(address, &port);
    if (error != platform::DeviceError::None) {
        return kInvalidHandle;
    }
    return AdoptPort(std::move(port));
}

std::int32_t OpenPath(const std::string& path) {
    platform::PortAddress address;
    address.kind = platform::PortKind::Path;
    address.path = path;
    return OpenPort(address);
}

}  // namespace drvlib
