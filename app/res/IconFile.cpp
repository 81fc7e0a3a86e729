#include "res/IconFile.h"

#include <cstdint>

namespace res {
namespace {

void Put16(std::string& out, std::uint32_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void Put32(std::string& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

}  // namespace

std::string EncodeIconFile(const IconImage& icon) {
    const auto size = static_cast<std::uint32_t>(icon.size);
    // Mask rows are padded to whole 32-bit words.
    const std::uint32_t maskRow = (size + 31) / 32 * 4;
    const std::uint32_t pixelBytes = size * size * 4;
    const std::uint32_t imageBytes = 40 + pixelBytes + maskRow * size;
    constexpr std::uint32_t kHeaderBytes = 6 + 16;

    std::string out;
    // The directory: one image.
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, 1);
    out.push_back(static_cast<char>(size >= 256 ? 0 : size));
    out.push_back(static_cast<char>(size >= 256 ? 0 : size));
    out.push_back(0);  // no palette
    out.push_back(0);
    Put16(out, 1);   // planes
    Put16(out, 32);  // bits per pixel
    Put32(out, imageBytes);
    Put32(out, kHeaderBytes);

    // The bitmap header counts the colour image and the mask as one image of twice the height.
    Put32(out, 40);
    Put32(out, size);
    Put32(out, size * 2);
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, 0);
    Put32(out, pixelBytes + maskRow * size);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);

    for (std::uint32_t row = size; row-- > 0;) {
        for (std::uint32_t column = 0; column < size; ++column) {
            const char letter = icon.rows[row][column];
            const std::uint32_t colour = letter == '.' ? 0 : icon.colourOf(letter);
            out.push_back(static_cast<char>(colour & 0xFF));
            out.push_back(static_cast<char>((colour >> 8) & 0xFF));
            out.push_back(static_cast<char>((colour >> 16) & 0xFF));
            out.push_back(static_cast<char>(letter == '.' ? 0 : 0xFF));
        }
    }
    for (std::uint32_t row = size; row-- > 0;) {
        std::string bits(maskRow, '\0');
        for (std::uint32_t column = 0; column < size; ++column) {
            if (icon.rows[row][column] == '.') {
                bits[column / 8] = static_cast<char>(bits[column / 8] | (0x80 >> (column % 8)));
            }
        }
        out += bits;
    }
    return out;
}

}  // namespace res
