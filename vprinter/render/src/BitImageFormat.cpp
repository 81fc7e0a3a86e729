#include "render/BitImageFormat.h"

#include "protocol/PrintDataFramer.h"

namespace vprinter::render {

namespace {

int DotsPerInch(std::uint8_t density) {
    switch (density) {
        case 0:
        case 32:
            return 60;
        case 1:
        case 2:
        case 33:
            return 120;
        case 3:
            return 240;
        case 4:
            return 80;
        case 6:
        case 38:
            return 90;
        case 39:
            return 180;
        case 40:
            return 360;
        default:
            return 0;
    }
}

}  // namespace

BitImageFormat BitImageFormatOf(std::uint8_t density) {
    const int dotsPerInch = DotsPerInch(density);
    const int bytesPerColumn = static_cast<int>(protocol::framing::BitImageBytesPerColumn(density));
    return {dotsPerInch != 0, bytesPerColumn, dotsPerInch != 0 ? dotsPerInch : 60};
}

}  // namespace vprinter::render
