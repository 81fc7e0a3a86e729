#include "render/PageRaster.h"

#include <algorithm>

namespace vprinter::render {

PageRaster::PageRaster(int widthPixels, int tallestRows, platform::LocalTime started)
    : width_(std::max(1, widthPixels)),
      bytesPerRow_((width_ + 7) / 8),
      tallest_(std::max(1, tallestRows)),
      started_(started),
      blankRow_(static_cast<std::size_t>(bytesPerRow_), 0) {}

int PageRaster::Height() const {
    const int used = static_cast<int>(bits_.size() / static_cast<std::size_t>(bytesPerRow_));
    return std::max({length_, used, 1});
}

void PageRaster::SetLength(int rows) {
    length_ = std::clamp(rows, 0, tallest_);
}

void PageRaster::Set(int x, int y) {
    if (x < 0 || x >= width_ || y < 0 || y >= tallest_) {
        return;
    }
    const std::size_t rowStart = static_cast<std::size_t>(y) * static_cast<std::size_t>(bytesPerRow_);
    if (rowStart >= bits_.size()) {
        bits_.resize(rowStart + static_cast<std::size_t>(bytesPerRow_), 0);
    }
    bits_[rowStart + static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    blank_ = false;
}

void PageRaster::StrikeDot(int x, int y) {
    // A needle is about 0.2 mm across, three pixels at 360 dpi: a plus-shaped disc.
    Set(x, y - 1);
    Set(x - 1, y);
    Set(x, y);
    Set(x + 1, y);
    Set(x, y + 1);
}

bool PageRaster::Inked(int x, int y) const {
    if (x < 0 || x >= width_ || y < 0) {
        return false;
    }
    const auto row = Row(y);
    return (row[static_cast<std::size_t>(x / 8)] & (0x80 >> (x % 8))) != 0;
}

std::span<const std::uint8_t> PageRaster::Row(int y) const {
    const std::size_t rowStart =
        static_cast<std::size_t>(std::max(0, y)) * static_cast<std::size_t>(bytesPerRow_);
    if (y < 0 || rowStart >= bits_.size()) {
        return blankRow_;
    }
    return {bits_.data() + rowStart, static_cast<std::size_t>(bytesPerRow_)};
}

}  // namespace vprinter::render
