// Where each command of the print data ends: the one framing the printer model and the page renderer
// both use, so that neither ever reads image columns, dot patterns or a firmware image as commands.
// Given the bytes at a command's start it answers the command's whole length, or that it needs more
// bytes, or that the command is not one of the family's (and how many bytes to drop).
//
// One table row per letter after ESC and after FS; the lengths follow from the commands' parameters.
// Pure and constexpr: no I/O, no allocation; every length is bounded (a firmware image's 32-bit count
// at most, clamped where std::size_t is narrower).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>

#include "protocol/FirmwareImage.h"
#include "protocol/PrinterCommandCodes.h"

namespace protocol::framing {

enum class FrameStatus : std::uint8_t {
    Complete,  // the command's length is known; its bytes need not all be there yet
    NeedMore,  // the length is not known from the bytes given
    Unknown,   // not a command of the family: drop its first bytes and read on after them
};

struct CommandFrame {
    FrameStatus status = FrameStatus::NeedMore;
    // Complete: the whole command with its data. NeedMore: the bytes to hold before asking again
    // (more than were given). Unknown: the bytes to drop; a byte given after them is read again.
    std::size_t length = 0;
    // Complete: the command with its parameters. The bytes from here to length are data (image
    // columns, dot patterns, a firmware image) that a reader may pass by without holding them; equal
    // to length for a command without such data. The framer never looks past it, and a reader that
    // offers bytes only up to what NeedMore asks for holds no more than it.
    std::size_t head = 0;
};

// How the bytes after ESC or FS and the letter are laid out.
enum class Shape : std::uint8_t {
    Fixed,             // `parameters` bytes, then `data` bytes of data
    NulEndedList,      // `parameters` bytes, then up to `data` entries ended by NUL (none after a full list)
    PageLength,        // n, or 0 n (the length in inches)
    Extended,          // a letter, a 16-bit count, that many parameter bytes
    BitImage,          // density, 16-bit column count, the density's bytes per column
    EightNeedleImage,  // 16-bit column count, one byte per column
    NineNeedleImage,   // density, 16-bit column count, two bytes per column
    RasterImage,       // compression, v, h, dot rows, 16-bit dot count, then rows of ceil(dots / 8) bytes
    DefineCharacters,  // 0, first code, last code, then per character a header and its columns
    FactoryFrame,      // the factory and production frames, the packet-mode entry, the firmware download
};

struct Row {
    std::uint8_t letter;
    Shape shape;
    std::uint8_t parameters = 0;
    std::uint8_t data = 0;
};

constexpr Row Fixed(std::uint8_t letter, std::uint8_t parameters, std::uint8_t data = 0) {
    return {letter, Shape::Fixed, parameters, data};
}

// The letters after ESC. A letter not listed is not a command of the family.
// clang-format off
inline constexpr std::array kEscapeRows = {
    Fixed(control::kCondensed, 0),                        // condensed
    Fixed(0x0E, 0),                                       // SO: double width for one line
    Fixed(0x19, 1),                                       // EM n: cut-sheet feeder
    Fixed(control::kSpace, 1),                            // SP n: space after each character
    Fixed('!', 1),                                        // master select
    Fixed('#', 0),                                        // cancel the eighth-bit setting
    Fixed('$', 2),                                        // absolute position nL nH
    Fixed(esc::kUserDefinedSet, 1),                       // user-defined set n
    Row{esc::kDefineCharacters, Shape::DefineCharacters}, // 0 c1 c2, the characters
    Row{esc::kExtended, Shape::Extended},                 // letter nL nH, the parameters
    Row{esc::kBitImage, Shape::BitImage},                 // m nL nH, the columns
    Fixed(esc::kLineSpacing360, 1),                       // n/360-inch line spacing
    Fixed(esc::kUnderline, 1),                            // underline n
    Row{'.', Shape::RasterImage},                         // raster graphics
    Fixed('/', 1),                                        // vertical tab channel
    Fixed('0', 0),                                        // 1/8-inch line spacing
    Fixed('1', 0),                                        // 7/72-inch line spacing
    Fixed(esc::kLineSpacingSixthInch, 0),                 // 1/6-inch line spacing
    Fixed(esc::kLineSpacing180, 1),                       // n/180-inch line spacing
    Fixed('4', 0),                                        // italic
    Fixed('5', 0),                                        // cancel italic
    Fixed('6', 0),                                        // codes 0x80-0x9F printable
    Fixed('7', 0),                                        // codes 0x80-0x9F control codes
    Fixed('8', 0),                                        // paper-out detector off
    Fixed('9', 0),                                        // paper-out detector on
    Fixed(esc::kCopyRomToRam, 3),                         // 0 n 0
    Fixed('<', 0),                                        // one line unidirectional
    Fixed('=', 0),                                        // eighth bit 0
    Fixed('>', 0),                                        // eighth bit 1
    Fixed('?', 2),                                        // reassign a density: letter, density
    Fixed(esc::kInitialise, 0),                           // initialise
    Fixed('A', 1),                                        // n/60-inch line spacing
    Row{'B', Shape::NulEndedList, 0, 16},                 // vertical tab stops
    Row{esc::kPageLengthLines, Shape::PageLength},        // page length n lines, or 0 n inches
    Row{esc::kTabStops, Shape::NulEndedList, 0, 32},      // horizontal tab stops
    Fixed('E', 0),                                        // bold
    Fixed(esc::kCancelBold, 0),                           // cancel bold
    Fixed('G', 0),                                        // double-strike
    Fixed('H', 0),                                        // cancel double-strike
    Fixed('I', 1),                                        // control codes as characters
    Fixed(esc::kFeed, 1),                                 // feed n/180 inch
    Row{'K', Shape::EightNeedleImage},                    // 60-dpi graphics
    Row{'L', Shape::EightNeedleImage},                    // 120-dpi graphics
    Fixed(esc::kTwelveCpi, 0),                            // 12 cpi
    Fixed('N', 1),                                        // skip over perforation
    Fixed('O', 0),                                        // cancel skip over perforation
    Fixed(esc::kTenCpi, 0),                               // 10 cpi
    Fixed('Q', 1),                                        // right margin
    Fixed('R', 1),                                        // international character set
    Fixed(esc::kSuperscript, 1),                          // superscript or subscript n
    Fixed('T', 0),                                        // cancel superscript and subscript
    Fixed(esc::kUnidirectional, 1),                       // unidirectional n
    Fixed('W', 1),                                        // double width
    Fixed('X', 3),                                        // pitch and point: m nL nH
    Row{'Y', Shape::EightNeedleImage},                    // 120-dpi graphics, high speed
    Row{'Z', Shape::EightNeedleImage},                    // 240-dpi graphics
    Fixed('\\', 2),                                       // relative position nL nH
    Row{'^', Shape::NineNeedleImage},                     // nine-needle graphics
    Fixed('a', 1),                                        // justification
    Row{'b', Shape::NulEndedList, 1, 16},                 // channel n, its vertical tab stops
    Fixed('c', 2),                                        // horizontal motion index nL nH
    Fixed('e', 2),                                        // fixed tab increment: m n
    Fixed('f', 2),                                        // horizontal or vertical skip: m n
    Fixed('g', 0),                                        // 15 cpi
    Fixed('i', 1),                                        // immediate print
    Fixed(esc::kReverseFeed, 1),                          // reverse feed n/180 inch
    Fixed('k', 1),                                        // typeface
    Fixed('l', 1),                                        // left margin
    Fixed('m', 1),                                        // printing of codes 0x80-0x9F
    Fixed('p', 1),                                        // proportional
    Fixed('q', 1),                                        // character style
    Fixed('r', 1),                                        // colour
    Fixed('s', 1),                                        // half speed
    Fixed('t', 1),                                        // character table
    Fixed('w', 1),                                        // double height
    Fixed(esc::kPrintQuality, 1),                         // draft or letter quality
    Fixed(esc::kPrintMode, 1),                            // print-mode byte
    Row{esc::kFactory, Shape::FactoryFrame},              // factory, production, packet mode, firmware
};

// The letters after FS: the kanji commands. A letter not listed is not a command of the family.
inline constexpr std::array kFileSeparatorRows = {
    Fixed('!', 1),                        // kanji print mode
    Fixed(fs::kKanjiOn, 0),               // kanji mode on
    Row{fs::kExtended, Shape::Extended},  // letter nL nH, the parameters
    Fixed('-', 1),                        // kanji underline
    Fixed(fs::kKanjiOff, 0),              // kanji mode off
    Fixed('2', 2, 72),                    // a user-defined kanji: two code bytes, 72 bytes of dots
    Fixed('C', 1),                        // kanji character table
    Fixed('S', 2),                        // full-width spacing: left, right
    Fixed('T', 2),                        // half-width spacing: left, right
    Fixed('W', 1),                        // quadruple size
    Fixed('k', 1),                        // kanji typeface
    Fixed('r', 1),                        // superscript or subscript
    Fixed('x', 1),                        // kanji print quality
};
// clang-format on

// The defined characters of ESC '&': each has a header (left space, width in columns, right space) and
// three bytes per column. Its length is the longest head a reader ever holds.
inline constexpr std::size_t kCharacterHeader = 3;
inline constexpr std::size_t kLongestHead = 5 + 256 * (kCharacterHeader + 3 * 255);

// Bytes per column of an ESC '*' density. The family's densities: 0-4 and 6 (eight needles, one byte),
// 32, 33 and 38-40 (24 needles, three bytes), 71-73 (48 dots, six bytes). Any other density is framed
// by the range it lies in, so that its columns are passed by as well.
constexpr std::size_t BitImageBytesPerColumn(std::uint8_t density) {
    if (density < 32) {
        return 1;
    }
    return density < 64 ? 3 : 6;
}

namespace detail {

template <std::size_t N>
constexpr std::array<std::int16_t, 256> IndexOf(const std::array<Row, N>& rows) {
    std::array<std::int16_t, 256> index{};
    index.fill(-1);
    for (std::size_t row = 0; row < N; ++row) {
        index[rows[row].letter] = static_cast<std::int16_t>(row);
    }
    return index;
}

template <std::size_t N>
constexpr bool LettersDiffer(const std::array<Row, N>& rows) {
    for (std::size_t a = 0; a < N; ++a) {
        for (std::size_t b = a + 1; b < N; ++b) {
            if (rows[a].letter == rows[b].letter) {
                return false;
            }
        }
    }
    return true;
}
static_assert(LettersDiffer(kEscapeRows) && LettersDiffer(kFileSeparatorRows), "one row per letter");

inline constexpr std::array<std::int16_t, 256> kEscapeIndex = IndexOf(kEscapeRows);
inline constexpr std::array<std::int16_t, 256> kFileSeparatorIndex = IndexOf(kFileSeparatorRows);

constexpr std::size_t Word(std::span<const std::uint8_t> data, std::size_t at) {
    return data[at] | (static_cast<std::size_t>(data[at + 1]) << 8);
}

constexpr std::uint32_t DoubleWord(std::span<const std::uint8_t> data, std::size_t at) {
    return static_cast<std::uint32_t>(Word(data, at) | (Word(data, at + 2) << 16));
}

// head plus a count, clamped where std::size_t cannot hold the sum.
constexpr std::size_t Sum(std::size_t head, std::uint64_t count) {
    constexpr std::uint64_t kLargest = std::numeric_limits<std::size_t>::max();
    return count > kLargest - head ? static_cast<std::size_t>(kLargest)
                                   : head + static_cast<std::size_t>(count);
}

constexpr CommandFrame NeedMore(std::size_t bytes) {
    return {FrameStatus::NeedMore, bytes, 0};
}
constexpr CommandFrame Complete(std::size_t length, std::size_t head) {
    return {FrameStatus::Complete, length, head};
}
constexpr CommandFrame Complete(std::size_t length) {
    return {FrameStatus::Complete, length, length};
}
constexpr CommandFrame Unknown(std::size_t drop) {
    return {FrameStatus::Unknown, drop, 0};
}

constexpr CommandFrame NulEndedList(std::span<const std::uint8_t> data, std::size_t fixed, std::size_t most) {
    for (std::size_t entry = 0; entry < most; ++entry) {
        const std::size_t at = 2 + fixed + entry;
        if (at >= data.size()) {
            return NeedMore(at + 1);
        }
        if (data[at] == control::kNul) {
            return Complete(at + 1);
        }
    }
    return Complete(2 + fixed + most);
}

constexpr CommandFrame DefineCharacters(std::span<const std::uint8_t> data) {
    if (data.size() < 5) {
        return NeedMore(5);
    }
    // A first code above the last defines nothing.
    std::size_t at = 5;
    for (int code = data[3]; code <= data[4]; ++code) {
        if (at + kCharacterHeader > data.size()) {
            return NeedMore(at + kCharacterHeader);
        }
        at += kCharacterHeader + 3 * static_cast<std::size_t>(data[at + 1]);
    }
    return Complete(at);
}

// ESC '(' and FS '(': a letter, a 16-bit count and the parameters.
constexpr CommandFrame Extended(std::span<const std::uint8_t> data) {
    return data.size() < 5 ? NeedMore(5) : Complete(5 + Word(data, 3));
}

constexpr CommandFrame RasterImage(std::span<const std::uint8_t> data) {
    if (data.size() < 8) {
        return NeedMore(8);
    }
    // Compressed rows carry no count of their bytes: only uncompressed raster data is framed.
    if (data[2] != 0) {
        return Unknown(8);
    }
    const std::size_t rowBytes = (Word(data, 6) + 7) / 8;
    return Complete(8 + rowBytes * data[5], 8);
}

// On a model with two-byte EEPROM addresses two requests keep the length field of their one-byte
// form and carry the address's high byte after it: the EEPROM writes (length 7) and the serial-impact
// EEPROM read (length 6).
constexpr bool CarriesHighByteBeyondLength(std::span<const std::uint8_t> data) {
    const std::size_t lengthField = Word(data, 3);
    const Operation operation{data[7], data[8], data[9]};
    const auto& write1 = factory::kWriteEepromSet1;
    const auto& write2 = factory::kWriteEepromSet2;
    // The read's one-byte form: the fixed parameters and the address.
    constexpr std::size_t kReadLength = factory::kFixedParameters + 1;
    return (lengthField == write1.length && operation == write1.Names()) ||
           (lengthField == write2.length && operation == write2.Names()) ||
           (lengthField == kReadLength && operation == production::kReadEepromSerialImpact);
}

constexpr CommandFrame FactoryFrame(std::span<const std::uint8_t> data, bool twoByteEepromAddress) {
    if (data.size() < 3) {
        return NeedMore(3);
    }
    const std::uint8_t selector = data[2];
    if (selector == packetmode::kEnter[2]) {
        if (data.size() < 4) {
            return NeedMore(4);
        }
        return data[3] == packetmode::kEnter[3] ? Complete(4) : Unknown(3);
    }
    if (selector == firmware::kDownload[2]) {
        if (data.size() < 4) {
            return NeedMore(4);
        }
        if (data[3] != firmware::kDownload[3]) {
            return Unknown(3);
        }
        if (data.size() < firmware::kDownloadPrefixSize) {
            return NeedMore(firmware::kDownloadPrefixSize);
        }
        return Complete(Sum(firmware::kDownloadPrefixSize, DoubleWord(data, firmware::kDownload.size())),
                        firmware::kDownloadPrefixSize);
    }
    if (selector != production::kClassStandard && selector != production::kClassLargeEeprom) {
        return Unknown(2);
    }
    if (data.size() < 5) {
        return NeedMore(5);
    }
    const std::size_t length = 5 + Word(data, 3);
    // The operation (command, complement, sub-command) follows the two model identifier bytes.
    constexpr std::size_t kOperationEnd = 10;
    if (!twoByteEepromAddress || selector != production::kClassStandard || length < kOperationEnd) {
        return Complete(length);
    }
    if (data.size() < kOperationEnd) {
        return NeedMore(kOperationEnd);
    }
    return Complete(CarriesHighByteBeyondLength(data) ? length + 1 : length);
}

constexpr CommandFrame FrameRow(const Row& row, std::span<const std::uint8_t> data,
                                bool twoByteEepromAddress) {
    switch (row.shape) {
        case Shape::Fixed:
            return Complete(2 + static_cast<std::size_t>(row.parameters) + row.data, 2 + row.parameters);
        case Shape::NulEndedList:
            return NulEndedList(data, row.parameters, row.data);
        case Shape::PageLength:
            if (data.size() < 3) {
                return NeedMore(3);
            }
            return Complete(data[2] == 0 ? 4 : 3);
        case Shape::Extended:
            return Extended(data);
        case Shape::BitImage:
            if (data.size() < 5) {
                return NeedMore(5);
            }
            return Complete(5 + Word(data, 3) * BitImageBytesPerColumn(data[2]), 5);
        case Shape::EightNeedleImage:
            return data.size() < 4 ? NeedMore(4) : Complete(4 + Word(data, 2), 4);
        case Shape::NineNeedleImage:
            return data.size() < 5 ? NeedMore(5) : Complete(5 + 2 * Word(data, 3), 5);
        case Shape::RasterImage:
            return RasterImage(data);
        case Shape::DefineCharacters:
            return DefineCharacters(data);
        case Shape::FactoryFrame:
            return FactoryFrame(data, twoByteEepromAddress);
    }
    return Unknown(2);
}

}  // namespace detail

// The row of a letter after ESC or FS, or nullptr when the family has no such command.
constexpr const Row* EscapeRow(std::uint8_t letter) {
    const int row = detail::kEscapeIndex[letter];
    return row < 0 ? nullptr : &kEscapeRows[static_cast<std::size_t>(row)];
}
constexpr const Row* FileSeparatorRow(std::uint8_t letter) {
    const int row = detail::kFileSeparatorIndex[letter];
    return row < 0 ? nullptr : &kFileSeparatorRows[static_cast<std::size_t>(row)];
}

// The command at the front of data: ESC or FS with what follows, or a single byte (a control
// character or a character to print). twoByteEepromAddress: the printer's EEPROM needs two address
// bytes (see CarriesHighByteBeyondLength).
constexpr CommandFrame FrameCommand(std::span<const std::uint8_t> data, bool twoByteEepromAddress) {
    if (data.empty()) {
        return detail::NeedMore(1);
    }
    const bool escape = data[0] == control::kEscape;
    if (!escape && data[0] != control::kFileSeparator) {
        return detail::Complete(1);
    }
    if (data.size() < 2) {
        return detail::NeedMore(2);
    }
    const Row* row = escape ? EscapeRow(data[1]) : FileSeparatorRow(data[1]);
    return row == nullptr ? detail::Unknown(2) : detail::FrameRow(*row, data, twoByteEepromAddress);
}

// A command in remote mode: two letters, a 16-bit count and the parameters; or the four bytes that
// leave remote mode.
constexpr CommandFrame FrameRemoteCommand(std::span<const std::uint8_t> data) {
    constexpr std::size_t kHead = 4;
    if (data.size() < kHead) {
        return detail::NeedMore(kHead);
    }
    bool leave = true;
    for (std::size_t at = 0; at < kHead; ++at) {
        leave = leave && data[at] == remote::kLeave[at];
    }
    return detail::Complete(leave ? kHead : kHead + detail::Word(data, 2));
}

}  // namespace protocol::framing
