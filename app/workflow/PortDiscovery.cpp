#include "workflow/PortDiscovery.h"

#include <cstring>

#include "portselect/ImportedSelector.h"

namespace workflow {
namespace {

bool Succeeded(std::uint32_t result) {
    return (result & 0xFFFF) == portselect::kPlexerSuccess;
}

}  // namespace

PortDiscovery::PortDiscovery(const portselect::PlexerPortFunctions* selector)
    : imported_(false), selector_(selector) {}

DiscoveredPrinters PortDiscovery::Discover() const {
    DiscoveredPrinters found;
    const portselect::PlexerPortFunctions* selector = imported_ ? portselect::ImportedSelector() : selector_;
    if (selector == nullptr) {
        return found;
    }
    for (int number = kFirstPortNumber; number <= kLastPortNumber; ++number) {
        if (!Succeeded(selector->portOpen(static_cast<std::uint32_t>(number)))) {
            continue;
        }
        // The driver copies the name without a terminator: the buffer is zero-filled, and its last
        // byte is never read as part of the name, whatever the printer sent.
        char model[portselect::kModelNameBufferSize] = {};
        if (Succeeded(selector->getModelName(model))) {
            found[PortNameOfNumber(number)] = std::string(model, strnlen(model, sizeof model - 1));
        }
        selector->portClose();
    }
    return found;
}

std::string PortDiscovery::PortNameOfNumber(int number) {
    if (number >= kFirstPortNumber && number <= kLastUsbPortNumber) {
        return "USB" + std::to_string(number - 1024);
    }
    if (number > kLastUsbPortNumber && number <= kLastPortNumber) {
        return "LPT" + std::to_string(number - kLastUsbPortNumber);
    }
    return {};
}

}  // namespace workflow
