// Figures drawn with lines and filled boxes, for the pages that guide a mechanical adjustment. Every
// UI back-end draws them the same way: the figure is scaled from its design box into its window.
#pragma once

#include <cstdint>
#include <span>

namespace res {

struct FigureShape {
    enum Kind { Line, Box } kind;
    short x0, y0, x1, y1;  // a line's ends, or a box's top-left and bottom-right corners
    short width;           // a line's width in design units; unused for a box
    std::uint32_t colour;  // 0xRRGGBB
};

struct Figure {
    short width, height;  // the design box
    std::span<const FigureShape> shapes;
};

// The steps of a platen gap adjustment, in the order a technician takes them: loosen the lever's
// screw, lay the thickness gauge between the head and the platen, set the lever until the gauge
// drags and tighten the screw.
std::span<const Figure> PlatenGapFigures();

}  // namespace res
