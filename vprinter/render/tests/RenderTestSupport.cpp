#include "RenderTestSupport.h"

#include <algorithm>

using namespace vprinter::render;

Bytes B(std::initializer_list<int> values) {
    Bytes bytes;
    for (const int value : values) {
        bytes.push_back(static_cast<std::uint8_t>(value));
    }
    return bytes;
}

Bytes Text(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

Bytes Repeat(std::uint8_t byte, std::size_t count) {
    return Bytes(count, byte);
}

Bytes operator+(Bytes left, const Bytes& right) {
    left.insert(left.end(), right.begin(), right.end());
    return left;
}

Bytes BitImage(int density, const std::vector<std::array<int, 3>>& columns) {
    Bytes bytes = B(
        {0x1B, '*', density, static_cast<int>(columns.size() & 0xFF), static_cast<int>(columns.size() >> 8)});
    for (const auto& column : columns) {
        bytes = bytes + B({column[0], column[1], column[2]});
    }
    return bytes;
}

int FakeMechanics::EepromByte(int address) {
    return address >= 0 && address < static_cast<int>(eeprom.size())
               ? eeprom[static_cast<std::size_t>(address)]
               : -1;
}

void FakeMechanics::StoreCorrection(PrintMode mode, int value) {
    eeprom[static_cast<std::size_t>(CorrectionAddress(mode))] = value & 0xFF;
}

std::size_t CapturedPages::Finished() const {
    return static_cast<std::size_t>(
        std::count_if(pages.begin(), pages.end(), [](const Page& page) { return page.finished; }));
}

namespace {
PrinterSettings SettingsFor(int columns, bool twoByteAddress) {
    PrinterSettings settings;
    settings.printerName = "test";
    settings.columns = columns;
    settings.twoByteEepromAddress = twoByteAddress;
    return settings;
}
}  // namespace

TestPrinter::TestPrinter(int columns, bool twoByteAddress)
    : paper(PaperWidthPixels(columns), pages, log),
      interpreter(SettingsFor(columns, twoByteAddress), mechanics, paper, log) {}

std::vector<int> InkStarts(const PageRaster& page, int row) {
    std::vector<int> starts;
    for (int x = 0; x < page.Width(); ++x) {
        if (page.Inked(x, row) && !page.Inked(x - 1, row)) {
            starts.push_back(x);
        }
    }
    return starts;
}

std::vector<int> InkCentres(const PageRaster& page, int row) {
    std::vector<int> centres;
    for (int x = 0; x < page.Width(); ++x) {
        if (page.Inked(x, row) && !page.Inked(x - 1, row)) {
            int end = x;
            while (page.Inked(end + 1, row)) {
                ++end;
            }
            centres.push_back((x + end) / 2);
            x = end;
        }
    }
    return centres;
}

std::size_t InkedPixels(const PageRaster& page) {
    std::size_t count = 0;
    for (int y = 0; y < page.Height(); ++y) {
        for (const std::uint8_t byte : page.Row(y)) {
            count += static_cast<std::size_t>(__builtin_popcount(byte));
        }
    }
    return count;
}
