#include "render/HeadPass.h"

#include "render/Geometry.h"

namespace vprinter::render {

void PrintPass(const std::vector<Stroke>& strokes, int top, bool rightToLeft, const PassShifts& shifts,
               PageRaster& page) {
    for (const Stroke& stroke : strokes) {
        const int shift = rightToLeft ? shifts[static_cast<std::size_t>(stroke.mode)] : 0;
        // Round to the nearest pixel; positions are never negative here, shifts may be.
        const int position = stroke.position + shift;
        const int x =
            kSideMarginPixels +
            (position >= 0 ? (position + kHorizontalUnitsPerPixel / 2) / kHorizontalUnitsPerPixel
                           : -((-position + kHorizontalUnitsPerPixel / 2) / kHorizontalUnitsPerPixel));
        for (int needle = 0; needle < kNeedles; ++needle) {
            if ((stroke.needles >> needle) & 1U) {
                page.StrikeDot(x, top + needle * kNeedlePitch);
            }
        }
    }
}

}  // namespace vprinter::render
