#include "printer/EepromImage.h"

namespace printer {

EepromImage BlankEepromImage() {
    EepromImage image;
    image.fill(kNotRead);
    return image;
}

EepromImage RangeMask(int from, int to) {
    EepromImage mask = BlankEepromImage();
    for (int address = from < 0 ? 0 : from; address <= to && address < kEepromImageEntries; ++address) {
        mask[static_cast<std::size_t>(address)] = 1;
    }
    return mask;
}

}  // namespace printer
