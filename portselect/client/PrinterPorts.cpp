#include "portselect/PrinterPorts.h"

#include <array>
#include <cstring>

#include "portselect/PortNumbers.h"

namespace portselect {
namespace {

// The driver copies the name without a terminator: the buffer is zero-filled, and its last byte is
// never read as part of the name, whatever the printer sent.
std::uint32_t AskModel(const PlexerPortFunctions& plexer, std::array<char, kModelNameBufferSize>* name,
                       std::string_view* model) {
    name->fill('\0');
    const std::uint32_t result = plexer.getModelName(name->data());
    *model = Succeeded(result) ? std::string_view(name->data(), strnlen(name->data(), name->size() - 1))
                               : std::string_view();
    return result;
}

}  // namespace

std::optional<std::int16_t> ForEachPrinterPort(const PlexerPortFunctions& plexer,
                                               const std::function<AfterAnswer(const PortAnswer&)>& visit) {
    std::array<char, kModelNameBufferSize> name;
    for (int number = kFirstDiscoveredPort; number <= kLastDiscoveredPort; ++number) {
        const auto port = static_cast<std::int16_t>(number);
        if (!Succeeded(plexer.portOpen(PortArgument(port)))) {
            continue;
        }
        PortAnswer answer{port, 0, {}};
        answer.modelStatus = AskModel(plexer, &name, &answer.model);
        if (visit(answer) == AfterAnswer::KeepOpenAndStop) {
            return port;
        }
        plexer.portClose();
    }
    return std::nullopt;
}

std::uint32_t AskModel(const PlexerPortFunctions& plexer, std::string* model) {
    std::array<char, kModelNameBufferSize> name;
    std::string_view answer;
    const std::uint32_t result = AskModel(plexer, &name, &answer);
    if (Succeeded(result)) {
        *model = answer;
    }
    return result;
}

}  // namespace portselect
