#include "PortSend.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "portselect/PlexerBinding.h"
#include "portselect/PortNumbers.h"

namespace tolvane_cli {

using portselect::PlexerBinding;
using portselect::Succeeded;

namespace {

// The driver takes a block of this size at most per call, as the program's raw stream sends it.
constexpr std::size_t kBlock = 4096;

std::string Hex(std::uint32_t status) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(portselect::LowWord(status)));
    return text;
}

}  // namespace

int PortNumberOfName(const std::string& name) {
    for (const portselect::PortRange& range : {portselect::kUsbPorts, portselect::kParallelPorts}) {
        if (const int number = portselect::PortNumberOfName(range, name); number >= 0) {
            return number;
        }
    }
    return -1;
}

int SendFile(const std::string& portName, const std::string& path, std::ostream& out, std::ostream& errors) {
    const int number = PortNumberOfName(portName);
    if (number < 0) {
        errors << "tolvane: no port named \"" << portName << "\" (LPT1-LPT3, USB1-USB127)\n";
        return 2;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        errors << "tolvane: cannot read " << path << "\n";
        return 2;
    }
    const std::vector<std::uint8_t> data((std::istreambuf_iterator<char>(file)),
                                         std::istreambuf_iterator<char>());
    const PlexerBinding plexer(errors);
    if (!plexer.Bound()) {
        return 1;
    }
    int outcome = 1;
    if (const std::uint32_t opened =
            plexer.portOpen(portselect::PortArgument(static_cast<std::int16_t>(number)));
        !Succeeded(opened)) {
        errors << "tolvane: cannot open " << portName << " (status " << Hex(opened) << ", I/O error "
               << plexer.IoError() << ")\n";
    } else {
        const std::uint8_t notCancelled = 0;
        std::size_t sent = 0;
        outcome = 0;
        while (sent < data.size()) {
            const auto count = static_cast<std::uint32_t>(std::min(kBlock, data.size() - sent));
            if (const std::uint32_t status = plexer.send(data.data() + sent, count, &notCancelled);
                !Succeeded(status)) {
                errors << "tolvane: sending to " << portName << " failed after " << sent << " bytes (status "
                       << Hex(status) << ", I/O error " << plexer.IoError() << ")\n";
                outcome = 1;
                break;
            }
            sent += count;
        }
        plexer.portClose();
        if (outcome == 0) {
            out << portName << ": " << sent << " bytes sent\n";
        }
    }
    return outcome;
}

}  // namespace tolvane_cli
