// A printer on the test bench: the interpreter and its paper with fake mechanics, pages kept in memory.
// Expected pixels in the tests are worked out from the commands: a dot at horizontal position p (in
// 1/1440 inch from the first printable column) is centred on pixel column kSideMarginPixels + p / 4;
// needle n (1-24) of a pass at vertical position y is centred on raster row y + 2 (n - 1).
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "render/Geometry.h"
#include "render/IPageSink.h"
#include "render/IPrinterMechanics.h"
#include "render/JobLog.h"
#include "render/Paper.h"
#include "render/PrintDataInterpreter.h"

using Bytes = std::vector<std::uint8_t>;

Bytes B(std::initializer_list<int> values);
Bytes Text(std::string_view text);
Bytes Repeat(std::uint8_t byte, std::size_t count);
Bytes operator+(Bytes left, const Bytes& right);

// ESC '*' density with the given columns of three bytes each.
Bytes BitImage(int density, const std::vector<std::array<int, 3>>& columns);

class FakeMechanics : public vprinter::render::IPrinterMechanics {
public:
    std::vector<int> eeprom = std::vector<int>(512, 0);
    std::array<int, 3> errors{};

    int EepromByte(int address) override;
    int TimingError(vprinter::render::PrintMode mode) override {
        return errors[static_cast<std::size_t>(mode)];
    }
    void StoreCorrection(vprinter::render::PrintMode mode, int value);
};

class CapturedPages : public vprinter::render::IPageSink {
public:
    struct Page {
        vprinter::render::PageRaster image;
        int number;
        bool finished;
    };
    std::vector<Page> pages;
    void WritePage(const vprinter::render::PageRaster& page, int pageNumber, bool finished) override {
        pages.push_back({page, pageNumber, finished});
    }
    std::size_t Finished() const;
};

struct TestPrinter {
    explicit TestPrinter(int columns = 80, bool twoByteAddress = false);
    void Print(const Bytes& bytes) { interpreter.Receive(bytes); }
    // The end of the job: what is cut short is carried out, the sheet so far is shown.
    void End() {
        interpreter.EndJob();
        paper.ShowSheetSoFar();
    }
    const vprinter::render::PageRaster& Sheet() { return paper.Sheet(); }

    FakeMechanics mechanics;
    vprinter::render::JobLog log;
    CapturedPages pages;
    vprinter::render::Paper paper;
    vprinter::render::PrintDataInterpreter interpreter;
};

// Pixel column of a horizontal position, and raster row of a needle of a pass at vertical position top.
constexpr int Column(int horizontalUnits) {
    return vprinter::render::kSideMarginPixels + horizontalUnits / vprinter::render::kHorizontalUnitsPerPixel;
}
constexpr int NeedleRow(int top, int needle) {
    return top + (needle - 1) * vprinter::render::kNeedlePitch;
}

// Pixel columns where a run of ink starts on a raster row (the left edge of each dot or line).
std::vector<int> InkStarts(const vprinter::render::PageRaster& page, int row);
// Centres of the runs of ink on a raster row.
std::vector<int> InkCentres(const vprinter::render::PageRaster& page, int row);
std::size_t InkedPixels(const vprinter::render::PageRaster& page);
