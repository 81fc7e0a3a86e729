#include "workflow/PortDiscovery.h"

#include "portselect/ImportedSelector.h"
#include "portselect/PortNumbers.h"
#include "portselect/PrinterPorts.h"

namespace workflow {

PortDiscovery::PortDiscovery(const portselect::PlexerPortFunctions* selector)
    : imported_(false), selector_(selector) {}

DiscoveredPrinters PortDiscovery::Discover() const {
    DiscoveredPrinters found;
    const portselect::PlexerPortFunctions* selector = imported_ ? &portselect::ImportedSelector() : selector_;
    if (selector == nullptr) {
        return found;
    }
    portselect::ForEachPrinterPort(*selector, [&](const portselect::PortAnswer& answer) {
        if (portselect::Succeeded(answer.modelStatus)) {
            found[PortNameOfNumber(answer.number)] = std::string(answer.model);
        }
        return portselect::AfterAnswer::CloseAndGoOn;
    });
    return found;
}

std::string PortDiscovery::PortNameOfNumber(int number) {
    return portselect::IsDiscoveredPort(number) ? portselect::PortName(static_cast<std::uint32_t>(number))
                                                : std::string();
}

}  // namespace workflow
