#include "vprinter/server/LoopbackPrinters.h"

#include <sstream>

#include "platform/VirtualDevice.h"
#include "vprinter/server/ServerOptions.h"

namespace vprinter {

LoopbackPrinters::LoopbackPrinters(const std::vector<std::string>& printers, const std::string& stateFolder,
                                   const std::vector<std::string>& extraOptions) {
    std::vector<std::string> arguments{"--listen", "127.0.0.1:0"};
    for (const std::string& printer : printers) {
        arguments.push_back("--printer");
        arguments.push_back(printer);
    }
    if (!stateFolder.empty()) {
        arguments.push_back("--state");
        arguments.push_back(stateFolder);
    }
    arguments.insert(arguments.end(), extraOptions.begin(), extraOptions.end());
    ServerOptions options;
    if (!ParseServerOptions(arguments, &options, &error_)) {
        return;
    }
    std::ostringstream out;
    std::ostringstream report;
    if (!server_.Start(options, out, report)) {
        error_ = report.str();
        return;
    }
    server_.RunInBackground();
    address_ = "127.0.0.1:" + std::to_string(server_.Port());
    backend_ = platform::MakeVirtualDeviceBackend(address_);
    if (backend_ == nullptr) {
        error_ = "no virtual device back-end for " + address_;
        server_.Stop();
        address_.clear();
    }
}

LoopbackPrinters::~LoopbackPrinters() {
    if (installed_) {
        platform::InstallDeviceBackend(afterwards_);
    }
    server_.Stop();
}

void LoopbackPrinters::InstallAsDeviceBackend(platform::DeviceBackend* afterwards) {
    if (backend_ == nullptr) {
        return;
    }
    platform::InstallDeviceBackend(backend_.get());
    installed_ = true;
    afterwards_ = afterwards;
}

platform::VirtualPrinterClient::Result LoopbackPrinters::Control(const std::string& printer,
                                                                 const std::string& words,
                                                                 std::string* answer) {
    std::string error;
    auto client = platform::VirtualPrinterClient::Connect(address_, &error);
    if (client == nullptr) {
        *answer = error;
        return platform::VirtualPrinterClient::Result::Unreachable;
    }
    return client->Control(printer + " " + words, answer);
}

}  // namespace vprinter
