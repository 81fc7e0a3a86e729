#include <algorithm>

#include "PatternTestSupport.h"

namespace {

// The column of needle 1 .. 24: bit 7 of the first byte is needle 1, bit 0 of the third needle 24.
const int kNeedleColumns[24][3] = {
    {0x80, 0, 0}, {0x40, 0, 0}, {0x20, 0, 0}, {0x10, 0, 0}, {0x08, 0, 0}, {0x04, 0, 0},
    {0x02, 0, 0}, {0x01, 0, 0}, {0, 0x80, 0}, {0, 0x40, 0}, {0, 0x20, 0}, {0, 0x10, 0},
    {0, 0x08, 0}, {0, 0x04, 0}, {0, 0x02, 0}, {0, 0x01, 0}, {0, 0, 0x80}, {0, 0, 0x40},
    {0, 0, 0x20}, {0, 0, 0x10}, {0, 0, 0x08}, {0, 0, 0x04}, {0, 0, 0x02}, {0, 0, 0x01},
};

Bytes NeedleDefinitions() {
    Bytes bytes = B({0x1B, '&', 0, 'A', 'X'});
    for (const auto& column : kNeedleColumns) {
        bytes = bytes + B({0, 12, 0});
        for (int i = 0; i < 12; ++i) {
            bytes = bytes + B({column[0], column[1], column[2]});
        }
    }
    return bytes;
}

const Bytes kTail = B({0x0D, 0x0A, 0x1B, '%', 0, 0x0D, 0x0A, 0x1B, 'C', 70});

TEST(NeedleCheck, DefinesTwentyFourNeedleCharactersAndPrintsEachThreeTimes) {
    CPattern pattern(TestModel());
    EXPECT_TRUE(pattern.NeedleCheck());
    Bytes line;
    for (char code = 'A'; code <= 'X'; ++code) {
        line = line + Repeat(static_cast<std::uint8_t>(code), 3);
    }
    const Bytes expected =
        B({0x1B, '3', 30, 0x1B, 'x', 0, 0x1B, 'y', 0, 0x1B, '%', 0, 0x1B, 'P', 0x12, 0x1B, 'F'}) +
        ModeFlag(0) + TextNul("Needle check\r\n") +
        TextNul(" 1  2  3  4  5  6  7  8  9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24\r\n") +
        B({0x1B, 'x', 0, 0x1B, '%', 1, 0x1B, 'P', 0x12, 0x1B, 'F', 0x1B, 'C', 70, 0x1B, ':', 0, 0, 0}) +
        NeedleDefinitions() + line + kTail;
    EXPECT_EQ(Contents(pattern), expected);
}

TEST(NeedleCheck, ReverseOrderPrintsNeedle24First) {
    CPattern pattern(TestModel(136));
    EXPECT_TRUE(pattern.NeedleCheckReverse());
    Bytes line;
    for (char code = 'X'; code >= 'A'; --code) {
        line = line + Repeat(static_cast<std::uint8_t>(code), 3);
    }
    const Bytes expected =
        B({0x1B, 'C', 70, 0x1B, '3', 30, 0x1B, 'x', 0, 0x1B, '%', 0, 0x1B, 'P', 0x12, 0x1B, 'F'}) +
        ModeFlag(0) + TextNul("Needle check\r\n") +
        TextNul(" 1  2  3  4  5  6  7  8  9  10 11 12 13 14 15 16 17 18 19 20 21 22 23 24\r\n") +
        B({0x1B, 'x', 0, 0x1B, '%', 1, 0x1B, 'P', 0x12, 0x1B, 'F', 0x1B, 'C', 70}) + ModeFlag(0) +
        B({0x1B, ':', 0, 0, 0}) + NeedleDefinitions() + line + kTail;
    EXPECT_EQ(Contents(pattern), expected);
}

// What the printer makes of a needle check: the characters it defines and the line it prints with
// them, read back from the bytes.
struct PrintedNeedleCheck {
    std::vector<std::uint32_t> needlesOfCharacter;  // per code from 'A': the needles any column fires
    bool columnsAlike = true;                       // every column of a character is the same
    Bytes line;                                     // the codes printed after the definitions
};

PrintedNeedleCheck ReadNeedleCheck(const Bytes& bytes) {
    PrintedNeedleCheck printed;
    const Bytes define = B({0x1B, '&', 0});
    auto at = std::search(bytes.begin(), bytes.end(), define.begin(), define.end());
    if (bytes.end() - at < 5) {
        return printed;
    }
    const int first = at[3];
    const int last = at[4];
    at += 5;
    for (int code = first; code <= last; ++code) {
        if (bytes.end() - at < 3) {
            return printed;
        }
        const int width = at[1];
        at += 3;
        if (bytes.end() - at < width * 3) {
            return printed;
        }
        std::uint32_t needles = 0;
        for (int column = 0; column < width; ++column, at += 3) {
            // Bit 7 of the first byte fires needle 1, bit 0 of the third needle 24: needle n is bit 24 - n.
            const std::uint32_t fired = (std::uint32_t{at[0]} << 16) | (std::uint32_t{at[1]} << 8) | at[2];
            printed.columnsAlike = printed.columnsAlike && (column == 0 || fired == needles);
            needles |= fired;
        }
        printed.needlesOfCharacter.push_back(needles);
    }
    const Bytes lineEnd = B({0x0D, 0x0A});
    printed.line.assign(at, std::search(at, bytes.end(), lineEnd.begin(), lineEnd.end()));
    return printed;
}

TEST(NeedleCheck, EachCharacterFiresOnlyItsOwnNeedleAndEveryNeedlePrintsThreeTimes) {
    for (const int columns : {80, 106, 136}) {
        SCOPED_TRACE(columns);
        CPattern forward(TestModel(columns));
        ASSERT_TRUE(forward.NeedleCheck());
        CPattern reverse(TestModel(columns));
        ASSERT_TRUE(reverse.NeedleCheckReverse());

        for (CPattern* pattern : {&forward, &reverse}) {
            const PrintedNeedleCheck printed = ReadNeedleCheck(Contents(*pattern));
            ASSERT_EQ(printed.needlesOfCharacter.size(), 24u);
            EXPECT_TRUE(printed.columnsAlike);
            for (int needle = 1; needle <= 24; ++needle) {
                EXPECT_EQ(printed.needlesOfCharacter[static_cast<std::size_t>(needle - 1)],
                          std::uint32_t{1} << (24 - needle))
                    << "character " << static_cast<char>('A' + needle - 1);
            }
            ASSERT_EQ(printed.line.size(), 72u);
            for (std::size_t place = 0; place < 72; ++place) {
                const int needle = static_cast<int>(place / 3) + 1;
                const int code = pattern == &forward ? 'A' + needle - 1 : 'X' - needle + 1;
                EXPECT_EQ(printed.line[place], code) << "place " << place;
            }
        }
    }
}

}  // namespace
