#include "PortProbe.h"

#include <cstdint>
#include <cstdio>
#include <string>

#include "portselect/PlexerBinding.h"

namespace tolvane_cli {

using portselect::kPlexerSuccess;
using portselect::PlexerBinding;

namespace {

std::string PortName(int number) {
    if (number >= 0x0480) {
        return "LPT" + std::to_string(number - 0x047F);
    }
    return "USB" + std::to_string(number - 0x0400);
}

}  // namespace

int WritePorts(std::ostream& out, std::ostream& errors) {
    const PlexerBinding plexer(errors);
    if (!plexer.Bound()) {
        return 1;
    }
    int found = 0;
    for (int number = kFirstProbedPort; number <= kLastProbedPort; ++number) {
        if ((plexer.portOpen(static_cast<std::uint32_t>(number)) & 0xFFFF) != kPlexerSuccess) {
            continue;
        }
        char model[portselect::kModelNameBufferSize] = {};
        std::uint32_t status = plexer.getModelName(model);
        plexer.portClose();
        char code[8];
        std::snprintf(code, sizeof code, "0x%04X", number);
        out << PortName(number) << "\t" << code << "\t"
            << ((status & 0xFFFF) == kPlexerSuccess ? model : "(no device ID)") << "\n";
        ++found;
    }
    if (found == 0) {
        out << "no printer answered on USB1-USB127 or LPT1-LPT3\n";
    }
    return 0;
}

}  // namespace tolvane_cli
