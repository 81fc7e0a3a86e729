// The icon file the executable carries: its layout, and that the shipped file is the program's icon.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>

#include "res/IconFile.h"
#include "res/ResourceIds.h"

namespace {

std::uint32_t Read32(const std::string& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 3])) << 24;
}

std::uint32_t TwoColours(char letter) {
    return letter == 'r' ? 0x112233 : 0xFFFFFF;
}

TEST(IconFileTest, OneImageBottomUpWithItsMask) {
    // Top row: red, transparent; bottom row: white, red.
    static const char* const kRows[] = {"r.", "wr"};
    const res::IconImage icon{1, 2, kRows, &TwoColours};
    const std::string file = res::EncodeIconFile(icon);
    const std::string expected =
        std::string("\0\0\1\0\1\0", 6) +
        // 2 x 2, no palette, 1 plane, 32 bits, 40 + 16 + 8 bytes at offset 22.
        std::string("\2\2\0\0\1\0\x20\0\x40\0\0\0\x16\0\0\0", 16) +
        std::string("\x28\0\0\0\2\0\0\0\4\0\0\0\1\0\x20\0\0\0\0\0\x18\0\0\0", 24) + std::string(16, '\0') +
        // Bottom row first, blue green red alpha.
        std::string("\xFF\xFF\xFF\xFF\x33\x22\x11\xFF", 8) + std::string("\x33\x22\x11\xFF\0\0\0\0", 8) +
        // Mask rows of one 32-bit word each: only the top right pixel is transparent.
        std::string("\0\0\0\0\x40\0\0\0", 8);
    EXPECT_EQ(file, expected);
}

TEST(IconFileTest, ShippedIconIsTheProgramsIcon) {
    const res::IconImage* icon = res::FindIcon(res::kIconMain);
    ASSERT_NE(icon, nullptr);
    std::ifstream in(TOLVANE_ICON_FILE, std::ios::binary);
    ASSERT_TRUE(in.good()) << TOLVANE_ICON_FILE;
    const std::string shipped{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(shipped, res::EncodeIconFile(*icon))
        << "the icon of the program changed: write app/res/Tolvane.ico again from res::EncodeIconFile";
    EXPECT_EQ(Read32(shipped, 14), 40u + 32u * 32u * 4u + 32u * 4u);
}

}  // namespace
