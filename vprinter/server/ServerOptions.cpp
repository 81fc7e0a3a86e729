#include "vprinter/server/ServerOptions.h"

#include <algorithm>
#include <cctype>

#include "platform/LoopbackSocket.h"

namespace vprinter {

const char kServerUsage[] =
    "usage: vprinter [--listen HOST:PORT] --printer PORT=PROFILE [--printer PORT=PROFILE ...]\n"
    "                [--state DIR] [--print-dir DIR] [--fault PORT:WORDS ...]\n"
    "\n"
    "Virtual printers of the family on loopback TCP, for Tolvane with TOLVANE_VPRINTER=HOST:PORT.\n"
    "\n"
    "  --listen HOST:PORT      where to listen; HOST is 127.x.y.z or [::1] (default 127.0.0.1:9555;\n"
    "                          port 0 lets the system choose and the ready lines tell it)\n"
    "  --printer PORT=PROFILE  a printer of the model profile PROFILE (a folder of Parameter/) at the\n"
    "                          port name PORT (USB1..USB127, LPT1..LPT3, COM1..); repeat for more\n"
    "  --state DIR             keep each printer's EEPROM, counters and history in\n"
    "                          DIR/printer-PORT.state, loaded at start and saved at every close\n"
    "                          and at the end\n"
    "  --print-dir DIR         print on paper: each page a PNG image in DIR, each job a text log\n"
    "  --fault PORT:WORDS      set faults at start with control words, e.g. USB1:paper-out=1 or\n"
    "                          \"USB1:latency-ms=200 busy-polls=3\"; USB1:eeprom-stuck=0xA2,0x10\n"
    "                          answers writes to those EEPROM addresses as done but keeps the old\n"
    "                          bytes (none, all or addresses; vprinter/README.md lists every word)\n"
    "  --help                  this text\n"
    "\n"
    "One line per printer is written when it is ready. SIGINT or SIGTERM ends the server after\n"
    "saving the state. Exit status 0 after a clean end, 1 when the server cannot start, 2 for a\n"
    "wrong command line.\n";

namespace {

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

bool IsPortName(const std::string& name) {
    return !name.empty() && name.size() <= 32 &&
           std::all_of(name.begin(), name.end(), [](unsigned char c) { return std::isalnum(c) != 0; });
}

}  // namespace

bool ParseServerOptions(const std::vector<std::string>& arguments, ServerOptions* options,
                        std::string* error) {
    *options = ServerOptions{};
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            options->help = true;
            return true;
        }
        const bool takesValue = argument == "--listen" || argument == "--printer" || argument == "--state" ||
                                argument == "--print-dir" || argument == "--fault";
        if (!takesValue) {
            *error = "unknown argument '" + argument + "'";
            return false;
        }
        if (i + 1 >= arguments.size()) {
            *error = argument + " needs a value";
            return false;
        }
        const std::string& value = arguments[++i];
        if (argument == "--listen") {
            if (!platform::ParseHostAndPort(value, &options->host, &options->port)) {
                *error = "--listen wants HOST:PORT, not '" + value + "'";
                return false;
            }
            if (!platform::IsLoopbackAddress(options->host)) {
                *error = options->host +
                         " is not a loopback address: the virtual printer listens on 127.0.0.0/8 or ::1 only";
                return false;
            }
        } else if (argument == "--printer") {
            const std::size_t equals = value.find('=');
            PrinterOption printer{Upper(value.substr(0, equals)),
                                  equals == std::string::npos ? std::string() : value.substr(equals + 1)};
            if (!IsPortName(printer.port) || printer.profile.empty()) {
                *error = "--printer wants PORT=PROFILE, not '" + value + "'";
                return false;
            }
            for (const PrinterOption& other : options->printers) {
                if (other.port == printer.port) {
                    *error = "two printers at " + printer.port;
                    return false;
                }
            }
            options->printers.push_back(printer);
        } else if (argument == "--fault") {
            const std::size_t colon = value.find(':');
            if (colon == std::string::npos || colon == 0) {
                *error = "--fault wants PORT:WORDS, not '" + value + "'";
                return false;
            }
            options->faults.push_back({Upper(value.substr(0, colon)), value.substr(colon + 1)});
        } else if (argument == "--state") {
            options->stateFolder = value;
        } else {
            options->printFolder = value;
        }
    }
    if (options->printers.empty()) {
        *error = "name at least one printer with --printer PORT=PROFILE";
        return false;
    }
    for (const FaultOption& fault : options->faults) {
        const bool known =
            std::any_of(options->printers.begin(), options->printers.end(),
                        [&](const PrinterOption& printer) { return printer.port == fault.port; });
        if (!known) {
            *error = "--fault names " + fault.port + ", where no printer is";
            return false;
        }
    }
    return true;
}

}  // namespace vprinter
