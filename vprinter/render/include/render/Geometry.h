// The units of the paper and the head. Horizontal positions are kept in 1/1440 inch, which holds every
// dot pitch of the printer exactly (360, 180, 120, 90 and 60 dpi, and the condensed cells of 84 and 72
// units); vertical positions in 1/360 inch, the finest line spacing (ESC '+'). The page image has 360
// dots per inch both ways, so one raster row is one vertical unit and one raster column four
// horizontal units.
#pragma once

namespace vprinter::render {

inline constexpr int kHorizontalUnitsPerInch = 1440;
inline constexpr int kVerticalUnitsPerInch = 360;
inline constexpr int kRasterDotsPerInch = 360;
inline constexpr int kHorizontalUnitsPerPixel = kHorizontalUnitsPerInch / kRasterDotsPerInch;

// The head: 24 needles in one column, 1/180 inch apart.
inline constexpr int kNeedles = 24;
inline constexpr int kNeedlePitch = kVerticalUnitsPerInch / 180;

// Blank paper left of the first printable column. The printable width is the model's column count at
// 10 cpi; the paper is as wide as that plus both margins.
inline constexpr int kSideMarginPixels = kRasterDotsPerInch / 4;

// The fanfold form the printer assumes until the data sets a page length: 11 inches.
inline constexpr int kDefaultPageLength = 11 * kVerticalUnitsPerInch;
// The longest page length the commands can set (22 inches); a page image is never taller than two of
// them, however often the data moves the top of form.
inline constexpr int kLongestPageLength = 22 * kVerticalUnitsPerInch;
inline constexpr int kTallestPageImage = 2 * kLongestPageLength;

// One character cell at 10 cpi.
inline constexpr int kTenCpiCell = kHorizontalUnitsPerInch / 10;

constexpr int PrintableWidth(int columnsAtTenCpi) {
    return columnsAtTenCpi * kTenCpiCell;
}
constexpr int PaperWidthPixels(int columnsAtTenCpi) {
    return PrintableWidth(columnsAtTenCpi) / kHorizontalUnitsPerPixel + 2 * kSideMarginPixels;
}

}  // namespace vprinter::render
