#include "PortSend.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "portselect/PlexerBinding.h"

namespace tolvane_cli {

using portselect::kPlexerSuccess;
using portselect::PlexerBinding;

namespace {

constexpr int kFirstUsbPort = 0x0400;
constexpr int kFirstParallelPort = 0x0480;
constexpr int kUsbPrinters = 127;
constexpr int kParallelPorts = 3;
// The driver takes a block of this size at most per call, as the program's raw stream sends it.
constexpr std::size_t kBlock = 4096;

// The number after a prefix, from 1 to largest; -1 otherwise.
int NumberAfter(const std::string& name, const std::string& prefix, int largest) {
    if (name.size() <= prefix.size() || name.size() > prefix.size() + 3 ||
        name.compare(0, prefix.size(), prefix) != 0) {
        return -1;
    }
    int number = 0;
    for (std::size_t i = prefix.size(); i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9') {
            return -1;
        }
        number = number * 10 + (name[i] - '0');
    }
    return number >= 1 && number <= largest ? number : -1;
}

std::string Hex(std::uint32_t status) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(status & 0xFFFF));
    return text;
}

}  // namespace

int PortNumberOfName(const std::string& name) {
    if (const int usb = NumberAfter(name, "USB", kUsbPrinters); usb > 0) {
        return kFirstUsbPort + usb;
    }
    if (const int lpt = NumberAfter(name, "LPT", kParallelPorts); lpt > 0) {
        return kFirstParallelPort + lpt - 1;
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
    if (const std::uint32_t opened = plexer.portOpen(static_cast<std::uint32_t>(number));
        (opened & 0xFFFF) != kPlexerSuccess) {
        errors << "tolvane: cannot open " << portName << " (status " << Hex(opened) << ", I/O error "
               << plexer.IoError() << ")\n";
    } else {
        const std::uint8_t notCancelled = 0;
        std::size_t sent = 0;
        outcome = 0;
        while (sent < data.size()) {
            const auto count = static_cast<std::uint32_t>(std::min(kBlock, data.size() - sent));
            if (const std::uint32_t status = plexer.send(data.data() + sent, count, &notCancelled);
                (status & 0xFFFF) != kPlexerSuccess) {
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
