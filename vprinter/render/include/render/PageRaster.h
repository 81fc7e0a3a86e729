// One sheet of paper as the head left it: one bit per pixel, 360 dots per inch both ways, 1 where ink
// is. Rows are kept only down to the lowest one that was printed or asked for, so a page costs memory
// in proportion to how far down it was used.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/Clock.h"

namespace vprinter::render {

class PageRaster {
public:
    PageRaster(int widthPixels, int tallestRows, platform::LocalTime started);

    int Width() const { return width_; }
    // The rows the page image has: the page length, at least every row that was printed.
    int Height() const;
    int BytesPerRow() const { return bytesPerRow_; }
    const platform::LocalTime& Started() const { return started_; }

    // A needle's dot, as wide as the needle (a disc about three pixels across), centred on the
    // pixel. Dots off the paper are dropped.
    void StrikeDot(int x, int y);
    bool Inked(int x, int y) const;
    bool Blank() const { return blank_; }

    // The length of the sheet in rows, at most the tallest image.
    void SetLength(int rows);
    // Row y of the image (1 = ink, most significant bit first); rows never printed are blank.
    std::span<const std::uint8_t> Row(int y) const;

private:
    void Set(int x, int y);

    int width_;
    int bytesPerRow_;
    int tallest_;
    int length_ = 0;
    bool blank_ = true;
    platform::LocalTime started_;
    std::vector<std::uint8_t> bits_;  // rows 0 .. bits_.size() / bytesPerRow_ - 1
    std::vector<std::uint8_t> blankRow_;
};

}  // namespace vprinter::render
