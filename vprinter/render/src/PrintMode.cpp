#include "render/PrintMode.h"

namespace vprinter::render {

PrintMode TextPrintMode(Quality quality) {
    return quality == Quality::LetterQuality ? PrintMode::LetterQuality : PrintMode::Draft;
}

PrintMode BitImagePrintMode(int dotsPerInch, std::uint8_t modeFlag) {
    if (modeFlag == 1 || (dotsPerInch >= 90 && dotsPerInch <= 180)) {
        return PrintMode::BitImage;
    }
    return dotsPerInch < 90 || dotsPerInch == 120 ? PrintMode::Draft : PrintMode::LetterQuality;
}

const char* PrintModeName(PrintMode mode) {
    switch (mode) {
        case PrintMode::Draft:
            return "Draft";
        case PrintMode::BitImage:
            return "Bit Image";
        case PrintMode::LetterQuality:
            return "LQ";
    }
    return "?";
}

}  // namespace vprinter::render
