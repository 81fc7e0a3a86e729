// Virtual printers of a server in this process on 127.0.0.1 (a free port), for the tests and the
// benchmarks that reach them over loopback TCP as the program does. The server runs on a thread of
// its own from construction to destruction.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/Device.h"
#include "platform/VirtualPrinterClient.h"
#include "vprinter/server/VirtualPrinterServer.h"

namespace vprinter {

class LoopbackPrinters {
public:
    // `printers` as the server's --printer takes them ("USB1=VK-572D"); an empty `stateFolder` keeps
    // nothing between runs; `extraOptions` are further server options ("--fault", "USB1:paper-out=1").
    LoopbackPrinters(const std::vector<std::string>& printers, const std::string& stateFolder,
                     const std::vector<std::string>& extraOptions = {});
    // Puts back the back-end it replaced, then stops the server.
    ~LoopbackPrinters();
    LoopbackPrinters(const LoopbackPrinters&) = delete;
    LoopbackPrinters& operator=(const LoopbackPrinters&) = delete;

    // False when the server did not start; Error() then says why.
    bool Ok() const { return backend_ != nullptr; }
    const std::string& Error() const { return error_; }
    // "127.0.0.1:port" of the running server; empty when it did not start.
    const std::string& Address() const { return address_; }

    // The virtual device back-end for the server. Only when Ok().
    platform::DeviceBackend& Backend() { return *backend_; }
    // Makes Backend() the process's device back-end until destruction, which then installs
    // `afterwards` (null: the one the process would choose).
    void InstallAsDeviceBackend(platform::DeviceBackend* afterwards = nullptr);

    // Sends control words to one printer ("USB1", "paper-out=1") on a connection of its own. When the
    // server cannot be reached, Unreachable with the reason in *answer.
    platform::VirtualPrinterClient::Result Control(const std::string& printer, const std::string& words,
                                                   std::string* answer);

    // The server's VirtualPrinterServer::ObserveFirstFrames.
    void ObserveFirstFrames(VirtualPrinterServer::FirstFrameObserver observer) {
        server_.ObserveFirstFrames(std::move(observer));
    }

private:
    VirtualPrinterServer server_;
    std::unique_ptr<platform::DeviceBackend> backend_;
    std::string address_;
    std::string error_;
    bool installed_ = false;
    platform::DeviceBackend* afterwards_ = nullptr;
};

}  // namespace vprinter
