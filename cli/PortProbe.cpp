#include "PortProbe.h"

#include <cstdint>
#include <cstdio>
#include <string>

#include "portselect/PlexerBinding.h"
#include "portselect/PortNumbers.h"
#include "portselect/PrinterPorts.h"

namespace tolvane_cli {

int WritePorts(std::ostream& out, std::ostream& errors) {
    const portselect::PlexerBinding plexer(errors);
    if (!plexer.Bound()) {
        return 1;
    }
    int found = 0;
    portselect::ForEachPrinterPort(plexer, [&](const portselect::PortAnswer& answer) {
        char code[8];
        std::snprintf(code, sizeof code, "0x%04X", static_cast<unsigned>(answer.number));
        out << portselect::PortName(static_cast<std::uint32_t>(answer.number)) << "\t" << code << "\t"
            << (portselect::Succeeded(answer.modelStatus) ? std::string(answer.model) : "(no device ID)")
            << "\n";
        ++found;
        return portselect::AfterAnswer::CloseAndGoOn;
    });
    if (found == 0) {
        out << "no printer answered on USB1-USB127 or LPT1-LPT3\n";
    }
    return 0;
}

}  // namespace tolvane_cli
