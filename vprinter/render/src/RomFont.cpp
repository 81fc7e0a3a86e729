#include "render/RomFont.h"

#include <array>
#include <string_view>

namespace vprinter::render {

namespace {

// Five columns by nine rows per glyph: seven rows of capital height, then two of descender. '#' is a
// dot. Each glyph dot becomes two needles high; in draft two dot columns at 120 dpi wide, in letter
// quality three overlapping columns at 180 dpi.
constexpr std::array<std::string_view, 95> kGlyphs = {
    "..... ..... ..... ..... ..... ..... ..... ..... .....",  // space
    "..#.. ..#.. ..#.. ..#.. ..#.. ..... ..#.. ..... .....",  // !
    ".#.#. .#.#. ..... ..... ..... ..... ..... ..... .....",  // "
    ".#.#. .#.#. ##### .#.#. ##### .#.#. .#.#. ..... .....",  // #
    "..#.. .#### #.#.. .###. ..#.# ####. ..#.. ..... .....",  // $
    "##... ##..# ...#. ..#.. .#... #..## ...## ..... .....",  // %
    ".##.. #..#. #.#.. .#... #.#.# #..#. .##.# ..... .....",  // &
    "..#.. ..#.. .#... ..... ..... ..... ..... ..... .....",  // '
    "...#. ..#.. .#... .#... .#... ..#.. ...#. ..... .....",  // (
    ".#... ..#.. ...#. ...#. ...#. ..#.. .#... ..... .....",  // )
    "..... ..#.. #.#.# .###. #.#.# ..#.. ..... ..... .....",  // *
    "..... ..#.. ..#.. ##### ..#.. ..#.. ..... ..... .....",  // +
    "..... ..... ..... ..... ..... .##.. .##.. ..#.. .#...",  // ,
    "..... ..... ..... ##### ..... ..... ..... ..... .....",  // -
    "..... ..... ..... ..... ..... .##.. .##.. ..... .....",  // .
    "..... ....# ...#. ..#.. .#... #.... ..... ..... .....",  // /
    ".###. #...# #..## #.#.# ##..# #...# .###. ..... .....",  // 0
    "..#.. .##.. ..#.. ..#.. ..#.. ..#.. .###. ..... .....",  // 1
    ".###. #...# ....# ...#. ..#.. .#... ##### ..... .....",  // 2
    "##### ...#. ..#.. ...#. ....# #...# .###. ..... .....",  // 3
    "...#. ..##. .#.#. #..#. ##### ...#. ...#. ..... .....",  // 4
    "##### #.... ####. ....# ....# #...# .###. ..... .....",  // 5
    "..##. .#... #.... ####. #...# #...# .###. ..... .....",  // 6
    "##### ....# ...#. ..#.. .#... .#... .#... ..... .....",  // 7
    ".###. #...# #...# .###. #...# #...# .###. ..... .....",  // 8
    ".###. #...# #...# .#### ....# ...#. .##.. ..... .....",  // 9
    "..... .##.. .##.. ..... .##.. .##.. ..... ..... .....",  // :
    "..... .##.. .##.. ..... .##.. .##.. ..#.. .#... .....",  // ;
    "...#. ..#.. .#... #.... .#... ..#.. ...#. ..... .....",  // <
    "..... ..... ##### ..... ##### ..... ..... ..... .....",  // =
    ".#... ..#.. ...#. ....# ...#. ..#.. .#... ..... .....",  // >
    ".###. #...# ....# ...#. ..#.. ..... ..#.. ..... .....",  // ?
    ".###. #...# ....# .##.# #.#.# #.#.# .###. ..... .....",  // @
    ".###. #...# #...# ##### #...# #...# #...# ..... .....",  // A
    "####. #...# #...# ####. #...# #...# ####. ..... .....",  // B
    ".###. #...# #.... #.... #.... #...# .###. ..... .....",  // C
    "###.. #..#. #...# #...# #...# #..#. ###.. ..... .....",  // D
    "##### #.... #.... ####. #.... #.... ##### ..... .....",  // E
    "##### #.... #.... ####. #.... #.... #.... ..... .....",  // F
    ".###. #...# #.... #.### #...# #...# .#### ..... .....",  // G
    "#...# #...# #...# ##### #...# #...# #...# ..... .....",  // H
    ".###. ..#.. ..#.. ..#.. ..#.. ..#.. .###. ..... .....",  // I
    "..### ...#. ...#. ...#. ...#. #..#. .##.. ..... .....",  // J
    "#...# #..#. #.#.. ##... #.#.. #..#. #...# ..... .....",  // K
    "#.... #.... #.... #.... #.... #.... ##### ..... .....",  // L
    "#...# ##.## #.#.# #.#.# #...# #...# #...# ..... .....",  // M
    "#...# #...# ##..# #.#.# #..## #...# #...# ..... .....",  // N
    ".###. #...# #...# #...# #...# #...# .###. ..... .....",  // O
    "####. #...# #...# ####. #.... #.... #.... ..... .....",  // P
    ".###. #...# #...# #...# #.#.# #..#. .##.# ..... .....",  // Q
    "####. #...# #...# ####. #.#.. #..#. #...# ..... .....",  // R
    ".#### #.... #.... .###. ....# ....# ####. ..... .....",  // S
    "##### ..#.. ..#.. ..#.. ..#.. ..#.. ..#.. ..... .....",  // T
    "#...# #...# #...# #...# #...# #...# .###. ..... .....",  // U
    "#...# #...# #...# #...# #...# .#.#. ..#.. ..... .....",  // V
    "#...# #...# #...# #.#.# #.#.# #.#.# .#.#. ..... .....",  // W
    "#...# #...# .#.#. ..#.. .#.#. #...# #...# ..... .....",  // X
    "#...# #...# .#.#. ..#.. ..#.. ..#.. ..#.. ..... .....",  // Y
    "##### ....# ...#. ..#.. .#... #.... ##### ..... .....",  // Z
    ".###. .#... .#... .#... .#... .#... .###. ..... .....",  // [
    "..... #.... .#... ..#.. ...#. ....# ..... ..... .....",  // backslash
    ".###. ...#. ...#. ...#. ...#. ...#. .###. ..... .....",  // ]
    "..#.. .#.#. #...# ..... ..... ..... ..... ..... .....",  // ^
    "..... ..... ..... ..... ..... ..... ..... ##### .....",  // _
    ".#... ..#.. ...#. ..... ..... ..... ..... ..... .....",  // `
    "..... ..... .###. ....# .#### #...# .#### ..... .....",  // a
    "#.... #.... #.##. ##..# #...# #...# ####. ..... .....",  // b
    "..... ..... .###. #.... #.... #...# .###. ..... .....",  // c
    "....# ....# .##.# #..## #...# #...# .#### ..... .....",  // d
    "..... ..... .###. #...# ##### #.... .###. ..... .....",  // e
    "..##. .#..# .#... ###.. .#... .#... .#... ..... .....",  // f
    "..... ..... .#### #...# #...# .#### ....# #...# .###.",  // g
    "#.... #.... #.##. ##..# #...# #...# #...# ..... .....",  // h
    "..#.. ..... .##.. ..#.. ..#.. ..#.. .###. ..... .....",  // i
    "...#. ..... ..##. ...#. ...#. ...#. ...#. #..#. .##..",  // j
    "#.... #.... #..#. #.#.. ##... #.#.. #..#. ..... .....",  // k
    ".##.. ..#.. ..#.. ..#.. ..#.. ..#.. .###. ..... .....",  // l
    "..... ..... ##.#. #.#.# #.#.# #.#.# #.#.# ..... .....",  // m
    "..... ..... #.##. ##..# #...# #...# #...# ..... .....",  // n
    "..... ..... .###. #...# #...# #...# .###. ..... .....",  // o
    "..... ..... ####. #...# #...# ####. #.... #.... #....",  // p
    "..... ..... .#### #...# #...# .#### ....# ....# ....#",  // q
    "..... ..... #.##. ##..# #.... #.... #.... ..... .....",  // r
    "..... ..... .###. #.... .###. ....# ####. ..... .....",  // s
    ".#... .#... ###.. .#... .#... .#..# ..##. ..... .....",  // t
    "..... ..... #...# #...# #...# #..## .##.# ..... .....",  // u
    "..... ..... #...# #...# #...# .#.#. ..#.. ..... .....",  // v
    "..... ..... #...# #...# #.#.# #.#.# .#.#. ..... .....",  // w
    "..... ..... #...# .#.#. ..#.. .#.#. #...# ..... .....",  // x
    "..... ..... #...# #...# #...# .#### ....# #...# .###.",  // y
    "..... ..... ##### ...#. ..#.. .#... ##### ..... .....",  // z
    "...#. ..#.. ..#.. .#... ..#.. ..#.. ...#. ..... .....",  // {
    "..#.. ..#.. ..#.. ..#.. ..#.. ..#.. ..#.. ..... .....",  // |
    ".#... ..#.. ..#.. ...#. ..#.. ..#.. .#... ..... .....",  // }
    "..... ..... .#... #.#.# ...#. ..... ..... ..... .....",  // ~
};

constexpr int kGlyphColumns = 5;
constexpr int kGlyphRows = 9;
constexpr std::uint8_t kFirstGlyph = 0x20;

// Glyph row r covers needles 2r + 2 and 2r + 3 (needles counted from 1); the top needle stays clear
// for accents and the bottom ones for the underline and descending strokes of the user's characters.
std::uint32_t NeedlesOfGlyphRow(int row) {
    return 3U << (2 * row + 1);
}

// Needles fired by one glyph column.
std::uint32_t GlyphColumn(std::string_view glyph, int column) {
    std::uint32_t needles = 0;
    for (int row = 0; row < kGlyphRows; ++row) {
        if (glyph[static_cast<std::size_t>(row * (kGlyphColumns + 1) + column)] == '#') {
            needles |= NeedlesOfGlyphRow(row);
        }
    }
    return needles;
}

CharacterImage Draw(const std::array<std::uint32_t, kGlyphColumns>& glyphColumns, Quality quality) {
    CharacterImage image;
    if (quality == Quality::Draft) {
        // Twelve columns per cell: two per glyph column from column 1, a blank column either side.
        image.cellColumns = 12;
        image.leftSpace = 1;
        for (const std::uint32_t needles : glyphColumns) {
            image.columns.push_back(needles);
            image.columns.push_back(needles);
        }
    } else {
        // Thirty-six columns per cell: every other column, three per glyph column, from column 3.
        image.cellColumns = 36;
        image.leftSpace = 3;
        for (const std::uint32_t needles : glyphColumns) {
            for (int repeat = 0; repeat < 3; ++repeat) {
                image.columns.push_back(needles);
                image.columns.push_back(0);
            }
        }
    }
    return image;
}

CharacterImage Glyph(std::uint8_t code, Quality quality) {
    std::array<std::uint32_t, kGlyphColumns> columns{};
    for (int column = 0; column < kGlyphColumns; ++column) {
        columns[static_cast<std::size_t>(column)] = GlyphColumn(kGlyphs[code - kFirstGlyph], column);
    }
    return Draw(columns, quality);
}

// A hollow box of capital height, cells wide.
CharacterImage Box(int cells, Quality quality) {
    std::uint32_t side = 0;
    for (int row = 0; row < 7; ++row) {
        side |= NeedlesOfGlyphRow(row);
    }
    const std::uint32_t edges = NeedlesOfGlyphRow(0) | NeedlesOfGlyphRow(6);
    CharacterImage image;
    image.cellColumns = quality == Quality::Draft ? 12 : 36;
    image.leftSpace = image.cellColumns / 12;
    const int width = cells * image.cellColumns - 2 * image.leftSpace;
    for (int column = 0; column < width; ++column) {
        image.columns.push_back(column < image.leftSpace || column >= width - image.leftSpace ? side : edges);
    }
    return image;
}

struct Font {
    std::array<CharacterImage, 256> draft;
    std::array<CharacterImage, 256> letterQuality;
    CharacterImage kanjiDraft;
    CharacterImage kanjiLetterQuality;

    Font() {
        for (int code = 0; code < 256; ++code) {
            const auto byte = static_cast<std::uint8_t>(code);
            const bool drawn = byte >= kFirstGlyph && byte < kFirstGlyph + kGlyphs.size();
            draft[byte] = drawn ? Glyph(byte, Quality::Draft) : Box(1, Quality::Draft);
            letterQuality[byte] =
                drawn ? Glyph(byte, Quality::LetterQuality) : Box(1, Quality::LetterQuality);
        }
        kanjiDraft = Box(2, Quality::Draft);
        kanjiLetterQuality = Box(2, Quality::LetterQuality);
    }
};

const Font& TheFont() {
    static const Font font;
    return font;
}

}  // namespace

const CharacterImage& RomCharacter(std::uint8_t code, Quality quality) {
    return quality == Quality::Draft ? TheFont().draft[code] : TheFont().letterQuality[code];
}

const CharacterImage& KanjiPlaceholder(Quality quality) {
    return quality == Quality::Draft ? TheFont().kanjiDraft : TheFont().kanjiLetterQuality;
}

}  // namespace vprinter::render
