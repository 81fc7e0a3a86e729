// Where each command ends: one line per input, incomplete inputs included.
#include "RenderTestSupport.h"
#include "render/CommandFraming.h"

using vprinter::render::FrameCommand;

namespace {

struct Case {
    const char* what;
    Bytes bytes;
    bool twoByteAddress;
    bool complete;
    std::size_t length;
};

TEST(CommandFraming, FramesEachCommandByItsDocumentedLength) {
    const std::vector<Case> cases = {
        {"ESC @", B({0x1B, '@', 'x'}), false, true, 2},
        {"ESC U n", B({0x1B, 'U', 1}), false, true, 3},
        {"ESC U without argument", B({0x1B, 'U'}), false, false, 0},
        {"ESC : 0 n 0", B({0x1B, ':', 0, 0, 0, 'A'}), false, true, 5},
        {"ESC C n", B({0x1B, 'C', 70, 'A'}), false, true, 3},
        {"ESC C 0 n (inches)", B({0x1B, 'C', 0, 11, 'A'}), false, true, 4},
        {"ESC ( C 2 0 mL mH", B({0x1B, '(', 'C', 2, 0, 0x78, 0x0F, 'A'}), false, true, 7},
        {"ESC ( t 3 0 a b c", B({0x1B, '(', 't', 3, 0, 1, 1, 0}), false, true, 8},
        {"ESC ( cut in its parameters", B({0x1B, '(', 't', 3, 0, 1}), false, false, 0},
        {"ESC D list ended by NUL", B({0x1B, 'D', 2, 78, 0, 'A'}), false, true, 5},
        {"ESC D without NUL stops at 32 stops", B({0x1B, 'D'}) + Repeat(1, 40), false, true, 34},
        {"ESC * 32 two columns", B({0x1B, '*', 32, 2, 0, 1, 2, 3, 4, 5, 6, 'A'}), false, true, 11},
        {"ESC * 38 cut in its data", B({0x1B, '*', 38, 2, 0, 1, 2, 3}), false, false, 0},
        {"ESC * 0 (8 needles, one byte a column)", B({0x1B, '*', 0, 3, 0, 1, 2, 3}), false, true, 8},
        {"ESC & one character of two columns", B({0x1B, '&', 0, 'A', 'A', 0, 2, 0, 1, 2, 3, 4, 5, 6}), false,
         true, 14},
        {"ESC & first code above last", B({0x1B, '&', 0, 'B', 'A', 'x'}), false, true, 5},
        {"ESC & cut in the second header", B({0x1B, '&', 0, 'A', 'B', 0, 0, 0, 0}), false, false, 0},
        {"ESC K (8-needle graphics)", B({0x1B, 'K', 2, 0, 9, 9}), false, true, 6},
        {"ESC $ nL nH", B({0x1B, '$', 1, 0}), false, true, 4},
        {"unknown ESC letter", B({0x1B, 'Z' + 1, 5}), false, true, 2},
        {"FS &", B({0x1C, '&', 'A'}), false, true, 2},
        {"FS ( E 1 0 1", B({0x1C, '(', 'E', 1, 0, 1}), false, true, 6},
        {"set mode flag", B({0x1B, '|', 0, 6, 0, 0x57, 0x2D, 0x03, 0xFC, 0x81, 1}), false, true, 11},
        {"set bi-directional value", B({0x1B, '|', 0, 7, 0, 0x57, 0x2D, 0x00, 0xFF, 0x00, 0, 0xFD}), false,
         true, 12},
        {"EEPROM write, one-byte address", B({0x1B, '|', 0, 7, 0, 0x41, 0x42, 0x04, 0xFB, 0x02, 0x23, 0x5A}),
         false, true, 12},
        // The firmware of a two-byte model reads one more byte than the write's length field says.
        {"EEPROM write, two-byte address",
         B({0x1B, '|', 0, 7, 0, 0x41, 0x42, 0x04, 0xFB, 0x02, 0x23, 0x01, 0x5A}), true, true, 13},
        {"print EEPROM byte, two-byte address",
         B({0x1B, '|', 0, 7, 0, 0x41, 0x42, 0x01, 0xFE, 0x80, 0x23, 0x00}), true, true, 12},
        {"EEPROM read request, skipped by its length",
         B({0x1B, '|', 0, 6, 0, 0x41, 0x42, 0x10, 0xEF, 0x08, 0xA2}), false, true, 11},
        {"factory block with a wrong complement", B({0x1B, '|', 0, 6, 0, 0x41, 0x42, 0x03, 0x00, 0x81, 1}),
         false, true, 11},
        {"factory block cut in its head", B({0x1B, '|', 0, 6, 0, 0x41, 0x42}), false, false, 0},
    };
    for (const auto& testCase : cases) {
        const auto frame = FrameCommand(testCase.bytes, testCase.twoByteAddress);
        EXPECT_EQ(frame.complete, testCase.complete) << testCase.what;
        if (testCase.complete) {
            EXPECT_EQ(frame.length, testCase.length) << testCase.what;
        }
    }
}

TEST(CommandFraming, AbsurdCountsNeedOnlyTheirOwnLength) {
    // 65535 columns of three bytes: the frame asks for exactly that much and no more.
    Bytes image = B({0x1B, '*', 39, 0xFF, 0xFF});
    EXPECT_FALSE(FrameCommand(image, false).complete);
    image.resize(5 + 3 * 65535);
    const auto frame = FrameCommand(image, false);
    EXPECT_TRUE(frame.complete);
    EXPECT_EQ(frame.length, 5u + 3u * 65535u);
}

}  // namespace
