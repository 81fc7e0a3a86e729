// The print line: what the printer has collected for the head's next pass, and the pass itself.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "render/PageRaster.h"
#include "render/PrintMode.h"

namespace vprinter::render {

// One firing of the head: the needles (bit 0 is needle 1 at the top, bit 23 needle 24) at a horizontal
// position measured in 1/1440 inch from the first printable column.
struct Stroke {
    int position = 0;
    std::uint32_t needles = 0;
    PrintMode mode = PrintMode::Draft;
};

// The strokes of one print line. The firmware's line buffer is finite; when it is full the line is
// printed and collection goes on, so a line never holds more than kCapacity strokes.
class LineBuffer {
public:
    static constexpr std::size_t kCapacity = 1 << 16;

    void Add(const Stroke& stroke) { strokes_.push_back(stroke); }
    bool Full() const { return strokes_.size() >= kCapacity; }
    bool Empty() const { return strokes_.empty(); }
    void Clear() { strokes_.clear(); }
    const std::vector<Stroke>& Strokes() const { return strokes_; }

private:
    std::vector<Stroke> strokes_;
};

// How far each mode's dots land off their place on a right-to-left pass, in 1/1440 inch.
using PassShifts = std::array<int, kPrintModes>;

// Fires the strokes with needle 1 on raster row top. Left-to-right passes land where the data put
// them; right-to-left passes are off by the shift of each stroke's mode.
void PrintPass(const std::vector<Stroke>& strokes, int top, bool rightToLeft, const PassShifts& shifts,
               PageRaster& page);

}  // namespace vprinter::render
