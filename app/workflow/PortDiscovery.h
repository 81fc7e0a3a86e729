// Printer discovery of the top dialog: every USB and LPT port number the port driver knows is opened
// through the driver selector and asked for the model name its printer reports.
#pragma once

#include <map>
#include <string>

#include "portselect/PlexerFunctions.h"

namespace workflow {

// Port name ("USB1", "LPT2") -> the model name the printer on it reported.
using DiscoveredPrinters = std::map<std::string, std::string>;

class PortDiscovery {
public:
    // The selector the program imports, bound at the first discovery.
    PortDiscovery() = default;
    // A selector of the caller's; null finds nothing.
    explicit PortDiscovery(const portselect::PlexerPortFunctions* selector);

    // Opens each port number of discovery in turn (USB printers 1 to 127, then LPT1 to LPT3); a port
    // that opens and names its model is recorded. Every port that opened is closed again before the
    // next is tried, since the driver holds one port at a time.
    DiscoveredPrinters Discover() const;

    // "USB1" .. "USB127", "LPT1" .. "LPT3"; empty outside the probed numbers.
    static std::string PortNameOfNumber(int number);

private:
    bool imported_ = true;
    const portselect::PlexerPortFunctions* selector_ = nullptr;
};

}  // namespace workflow
