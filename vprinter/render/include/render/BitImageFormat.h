// What the page makes of an ESC '*' density: the bytes per column (from the framing the printer model
// shares) and the horizontal resolution its columns print at.
#pragma once

#include <cstdint>

namespace vprinter::render {

struct BitImageFormat {
    bool known = false;  // a density the printer draws; other images are passed by
    int bytesPerColumn = 3;
    int dotsPerInch = 60;
};
BitImageFormat BitImageFormatOf(std::uint8_t density);

}  // namespace vprinter::render
