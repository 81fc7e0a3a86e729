// vprinter: virtual printers of the family on loopback TCP.
#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "vprinter/server/ServerOptions.h"
#include "vprinter/server/VirtualPrinterServer.h"

namespace {

vprinter::VirtualPrinterServer* running = nullptr;

extern "C" void OnStopSignal(int) {
    if (running != nullptr) {
        running->RequestStop();
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    vprinter::ServerOptions options;
    std::string error;
    if (!vprinter::ParseServerOptions(arguments, &options, &error)) {
        std::cerr << "vprinter: " << error << "\n" << vprinter::kServerUsage;
        return 2;
    }
    if (options.help) {
        std::cout << vprinter::kServerUsage;
        return 0;
    }
    vprinter::VirtualPrinterServer server;
    if (!server.Start(options, std::cout, std::cerr)) {
        return 1;
    }
    running = &server;
    std::signal(SIGINT, OnStopSignal);
    std::signal(SIGTERM, OnStopSignal);
    server.Run();
    running = nullptr;
    std::cout << "vprinter: stopped, state saved\n";
    return 0;
}
