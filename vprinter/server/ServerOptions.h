// The vprinter command line, parsed without side effects.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vprinter {

struct PrinterOption {
    std::string port;     // "USB1", "LPT2", "COM1", or any name a client opens by path
    std::string profile;  // "VK-572D"
};

struct FaultOption {
    std::string port;
    std::string words;  // control words, "paper-out=1 latency-ms=200"
};

struct ServerOptions {
    std::string host = "127.0.0.1";
    std::uint16_t port = 9555;
    std::vector<PrinterOption> printers;
    std::vector<FaultOption> faults;
    std::string stateFolder;  // empty: nothing is kept between runs
    std::string printFolder;  // empty: print data is discarded
    bool help = false;
};

extern const char kServerUsage[];

// False with a sentence in *error for any mistake; an address outside the loopback range is one.
bool ParseServerOptions(const std::vector<std::string>& arguments, ServerOptions* options,
                        std::string* error);

}  // namespace vprinter
