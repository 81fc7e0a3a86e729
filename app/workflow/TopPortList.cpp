#include "workflow/TopPortList.h"

namespace workflow {
namespace {

constexpr std::size_t kMakerPrefixLength = 6;

}  // namespace

const std::array<const char*, kPortRowCount>& PortRowNames() {
    static constexpr std::array<const char*, kPortRowCount> kNames = {
        "LPT1", "LPT2", "LPT3", "",     "USB1", "USB2", "USB3",
        "USB4", "USB5", "USB6", "USB7", "USB8", "USB9", "USB10",
    };
    return kNames;
}

std::string PortRowText(const std::string& portName, const DiscoveredPrinters& printers) {
    if (portName.empty()) {
        return "---";
    }
    const auto printer = printers.find(portName);
    return printer == printers.end() ? portName + ":" : portName + ": " + printer->second;
}

int PreselectedPortRow(const DiscoveredPrinters& printers, const std::string& customerDeviceId) {
    if (customerDeviceId.size() <= kMakerPrefixLength) {
        return -1;
    }
    const std::string model = customerDeviceId.substr(kMakerPrefixLength);
    for (int row = 0; row < kPortRowCount; ++row) {
        const auto printer = printers.find(PortRowNames()[static_cast<std::size_t>(row)]);
        if (printer != printers.end() && printer->second == model) {
            return row;
        }
    }
    return -1;
}

}  // namespace workflow
