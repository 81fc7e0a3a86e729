// tolvane-render: prints files of print data on a virtual printer and leaves its pages as PNG files in
// a folder, e.g.
//   tolvane-patterns --profile VK-572D mode1-bar > mode1.prn
//   tolvane-render --out pages --timing-errors 5,-3,7 --corrections 0,0,0 mode1.prn
// Each file is one job; the page still in the printer after the last file is written as far as it is
// printed, so a second file can print over the first (reverse feeds).
#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "render/VirtualPrintout.h"

namespace {

using vprinter::render::IPrinterMechanics;
using vprinter::render::PrintMode;

constexpr const char* kUsage =
    "usage: tolvane-render --out FOLDER [--columns N] [--printer NAME] [--two-byte-address]\n"
    "                      [--timing-errors D,B,L] [--corrections D,B,L] [--eeprom FILE] FILE...\n"
    "Renders each FILE of print data as one job and writes the pages as PNG files into FOLDER.\n"
    "  --columns N          printable width in characters at 10 cpi (default 80)\n"
    "  --timing-errors D,B,L  hidden bi-directional timing errors of the Draft, Bit Image and LQ\n"
    "                       modes, in 1/360 inch (default 0,0,0)\n"
    "  --corrections D,B,L  the corrections stored at EEPROM 0xA2-0xA4 (default 0,0,0)\n"
    "  --eeprom FILE        a raw EEPROM image (up to 512 bytes) for the print-EEPROM-byte command\n";

class ToolMechanics : public IPrinterMechanics {
public:
    std::vector<int> eeprom = std::vector<int>(512, 0);
    std::array<int, 3> errors{};

    int EepromByte(int address) override {
        return address >= 0 && address < static_cast<int>(eeprom.size())
                   ? eeprom[static_cast<std::size_t>(address)]
                   : -1;
    }
    int TimingError(PrintMode mode) override { return errors[static_cast<std::size_t>(mode)]; }
};

bool ParseTriple(const std::string& text, std::array<int, 3>& values) {
    int first = 0;
    int second = 0;
    int third = 0;
    char end = 0;
    if (std::sscanf(text.c_str(), "%d,%d,%d%c", &first, &second, &third, &end) != 3) {
        return false;
    }
    values = {first, second, third};
    return true;
}

bool ReadFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return false;
    }
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return true;
}

int Usage(const std::string& problem) {
    std::cerr << "tolvane-render: " << problem << "\n" << kUsage;
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    vprinter::render::PrinterSettings settings;
    settings.printerName = "vprinter";
    ToolMechanics mechanics;
    std::array<int, 3> corrections{};
    std::string folder;
    std::vector<std::string> inputs;
    for (int index = 1; index < argc; ++index) {
        const std::string argument = argv[index];
        const bool hasValue = index + 1 < argc;
        if (argument == "--help") {
            std::cout << kUsage;
            return 0;
        } else if (argument == "--out" && hasValue) {
            folder = argv[++index];
        } else if (argument == "--columns" && hasValue) {
            settings.columns = std::atoi(argv[++index]);
            if (settings.columns < 1 || settings.columns > 255) {
                return Usage("the column count must be 1-255");
            }
        } else if (argument == "--printer" && hasValue) {
            settings.printerName = argv[++index];
        } else if (argument == "--two-byte-address") {
            settings.twoByteEepromAddress = true;
        } else if (argument == "--timing-errors" && hasValue) {
            if (!ParseTriple(argv[++index], mechanics.errors)) {
                return Usage("--timing-errors takes three numbers, e.g. 5,-3,7");
            }
        } else if (argument == "--corrections" && hasValue) {
            if (!ParseTriple(argv[++index], corrections)) {
                return Usage("--corrections takes three numbers, e.g. 5,-3,7");
            }
        } else if (argument == "--eeprom" && hasValue) {
            std::vector<std::uint8_t> image;
            if (!ReadFile(argv[++index], image)) {
                return Usage(std::string("cannot read ") + argv[index]);
            }
            for (std::size_t address = 0; address < image.size() && address < mechanics.eeprom.size();
                 ++address) {
                mechanics.eeprom[address] = image[address];
            }
        } else if (!argument.empty() && argument[0] == '-') {
            return Usage("unknown option " + argument);
        } else {
            inputs.push_back(argument);
        }
    }
    if (folder.empty() || inputs.empty()) {
        return Usage("name the output folder and at least one file");
    }
    for (std::size_t row = 0; row < corrections.size(); ++row) {
        mechanics.eeprom[vprinter::render::kFirstCorrectionAddress + row] = corrections[row] & 0xFF;
    }

    vprinter::render::VirtualPrintout printout(settings, mechanics, folder);
    for (const auto& input : inputs) {
        std::vector<std::uint8_t> bytes;
        if (!ReadFile(input, bytes)) {
            std::cerr << "tolvane-render: cannot read " << input << "\n";
            return 1;
        }
        printout.Receive(bytes);
        printout.EndJob();
    }
    for (const auto& file : printout.Folder().Files()) {
        std::cout << file << "\n";
    }
    return 0;
}
