// A character as the head prints it: dot columns of 24 needles.
#pragma once

#include <cstdint>
#include <vector>

namespace vprinter::render {

struct CharacterImage {
    // Columns across a 10-cpi cell in the quality the character was made for: 12 in draft (120 dpi),
    // 36 in letter quality (360 dpi). At other pitches the columns close up in proportion.
    int cellColumns = 12;
    // Empty columns before the first one.
    int leftSpace = 0;
    // Needles per column: bit 0 is needle 1 (top), bit 23 needle 24.
    std::vector<std::uint32_t> columns;
};

// The column bytes of the printer's data: three per column, bit 7 of the first fires needle 1 and
// bit 0 of the third needle 24.
constexpr std::uint32_t NeedlesOfColumn(std::uint8_t first, std::uint8_t second, std::uint8_t third) {
    const std::uint32_t bits =
        (static_cast<std::uint32_t>(first) << 16) | (static_cast<std::uint32_t>(second) << 8) | third;
    std::uint32_t needles = 0;
    for (int needle = 0; needle < 24; ++needle) {
        if (bits & (0x800000U >> needle)) {
            needles |= 1U << needle;
        }
    }
    return needles;
}

}  // namespace vprinter::render
