#include "render/CommandFraming.h"

#include <array>

#include "protocol/PrinterCommandCodes.h"

namespace vprinter::render {

namespace {

namespace control = protocol::control;
namespace esc = protocol::esc;
namespace fs = protocol::fs;
namespace factory = protocol::factory;

constexpr int kVariable = -1;

// Argument bytes after ESC and the letter, for the commands of fixed length; kVariable for those
// framed below. Letters not listed take none.
constexpr std::array<int, 128> EscArguments() {
    std::array<int, 128> arguments{};
    for (const char letter : {' ', '!', '%', '+', '-', '/', '3', 'A', 'I', 'J', 'N', 'Q', 'R', 'S', 'U',
                              'W', 'a', 'i', 'j', 'k', 'l', 'p', 'q', 'r', 's', 't', 'w', 'x', 'y', '\x19'}) {
        arguments[static_cast<std::uint8_t>(letter)] = 1;
    }
    for (const char letter : {'$', '\\', '?', 'c', 'e', 'f'}) {
        arguments[static_cast<std::uint8_t>(letter)] = 2;
    }
    arguments[':'] = 3;
    arguments['X'] = 3;
    for (const char letter : {'&', '(', '*', '.', 'B', 'C', 'D', 'K', 'L', 'Y', 'Z', '^', 'b', '|'}) {
        arguments[static_cast<std::uint8_t>(letter)] = kVariable;
    }
    return arguments;
}
constexpr std::array<int, 128> kEscArguments = EscArguments();

constexpr CommandFrame NeedMore() {
    return {false, 0};
}
constexpr CommandFrame Complete(std::size_t length) {
    return {true, length};
}
CommandFrame Within(std::span<const std::uint8_t> data, std::size_t length) {
    return data.size() >= length ? Complete(length) : NeedMore();
}

std::size_t Word(std::span<const std::uint8_t> data, std::size_t at) {
    return data[at] | (static_cast<std::size_t>(data[at + 1]) << 8);
}

// A list ended by NUL after `fixed` bytes, of at most `most` entries; a list that reaches its limit
// ends there without a NUL.
CommandFrame NulEndedList(std::span<const std::uint8_t> data, std::size_t fixed, std::size_t most) {
    for (std::size_t entry = 0; entry < most; ++entry) {
        if (fixed + entry >= data.size()) {
            return NeedMore();
        }
        if (data[fixed + entry] == control::kNul) {
            return Complete(fixed + entry + 1);
        }
    }
    return Complete(fixed + most);
}

// ESC '&' 0 first last, then per character a header (left space, width, right space) and three bytes
// per column of the width.
CommandFrame DefineCharacters(std::span<const std::uint8_t> data) {
    if (data.size() < 5) {
        return NeedMore();
    }
    const int first = data[3];
    const int last = data[4];
    std::size_t at = 5;
    for (int code = first; code <= last; ++code) {
        if (at + 3 > data.size()) {
            return NeedMore();
        }
        at += 3 + 3 * static_cast<std::size_t>(data[at + 1]);
    }
    return Within(data, at);
}

CommandFrame Factory(std::span<const std::uint8_t> data, bool twoByteEepromAddress) {
    if (data.size() < 5) {
        return NeedMore();
    }
    const std::size_t lengthField = Word(data, 3);
    if (data[2] != factory::kSelector || lengthField < 4) {
        return Within(data, 5 + lengthField);
    }
    if (data.size() < 9) {
        return NeedMore();
    }
    return Within(data, 5 + FactoryPayloadSize(data.subspan(5), lengthField, twoByteEepromAddress));
}

CommandFrame Esc(std::span<const std::uint8_t> data, bool twoByteEepromAddress) {
    const std::uint8_t letter = data[1];
    const int arguments = letter < kEscArguments.size() ? kEscArguments[letter] : 0;
    if (arguments != kVariable) {
        return Within(data, 2 + static_cast<std::size_t>(arguments));
    }
    switch (letter) {
        case esc::kDefineCharacters:
            return DefineCharacters(data);
        case esc::kExtended:  // ESC '(' letter nL nH and nL nH bytes
            return data.size() < 5 ? NeedMore() : Within(data, 5 + Word(data, 3));
        case esc::kBitImage: {
            if (data.size() < 5) {
                return NeedMore();
            }
            const auto format = BitImageFormatOf(data[2]);
            return Within(data, 5 + Word(data, 3) * static_cast<std::size_t>(format.bytesPerColumn));
        }
        case '.': {  // raster graphics: ESC '.' compression v h rows nL nH; only uncompressed data is framed
            if (data.size() < 8) {
                return NeedMore();
            }
            const std::size_t rowBytes = (Word(data, 6) + 7) / 8;
            return Within(data, data[2] == 0 ? 8 + rowBytes * data[5] : 8);
        }
        case esc::kPageLengthLines:  // ESC 'C' n, or ESC 'C' 0 n in inches
            return data.size() < 3 ? NeedMore() : Within(data, data[2] == 0 ? 4 : 3);
        case esc::kTabStops:
            return NulEndedList(data, 2, 32);
        case 'B':  // vertical tab stops
            return NulEndedList(data, 2, 16);
        case 'b':  // vertical tab channel n, then its stops
            return NulEndedList(data, 3, 16);
        case 'K':
        case 'L':
        case 'Y':
        case 'Z':  // 8-needle graphics, one byte per column
            return data.size() < 4 ? NeedMore() : Within(data, 4 + Word(data, 2));
        case '^':  // 9-needle graphics, two bytes per column
            return data.size() < 5 ? NeedMore() : Within(data, 5 + 2 * Word(data, 3));
        case esc::kFactory:
            return Factory(data, twoByteEepromAddress);
        default:
            return Complete(2);
    }
}

CommandFrame Fs(std::span<const std::uint8_t> data) {
    switch (data[1]) {
        case fs::kKanjiOn:
        case fs::kKanjiOff:
        case 'U':
            return Complete(2);
        case '!':
        case '-':
        case 'W':
        case 'k':
        case 'r':
        case 'x':
        case 'C':
            return Within(data, 3);
        case 'S':
        case 'T':
            return Within(data, 4);
        case '2':  // a user-defined kanji: two code bytes and 72 bytes of dots
            return Within(data, 76);
        case '(':
            return data.size() < 5 ? NeedMore() : Within(data, 5 + Word(data, 3));
        default:
            return Complete(2);
    }
}

}  // namespace

BitImageFormat BitImageFormatOf(std::uint8_t density) {
    switch (density) {
        case 0:
            return {true, 1, 60};
        case 1:
        case 2:
            return {true, 1, 120};
        case 3:
            return {true, 1, 240};
        case 4:
            return {true, 1, 80};
        case 6:
            return {true, 1, 90};
        case 32:
            return {true, 3, 60};
        case 33:
            return {true, 3, 120};
        case 38:
            return {true, 3, 90};
        case 39:
            return {true, 3, 180};
        case 40:
            return {true, 3, 360};
        default:
            // Unknown densities are skipped; the 24-needle ones (32 and above) carry three bytes per column.
            return {false, density >= 32 ? 3 : 1, 60};
    }
}

std::size_t FactoryPayloadSize(std::span<const std::uint8_t> payload, std::size_t lengthField,
                               bool twoByteEepromAddress) {
    // id1 id2 code complement sub, then the arguments.
    constexpr std::size_t kHead = 5;
    if (payload.size() < 4 || payload[3] != 0xFF - payload[2]) {
        return lengthField;
    }
    const std::size_t addressExtra = twoByteEepromAddress ? 1 : 0;
    const std::uint8_t code = payload[2];
    if (code == factory::kSetModeFlag.code) {
        return kHead + 1;
    }
    if (code == factory::kSetBidirectionalValue.code) {
        return kHead + 2;
    }
    if (code == factory::kPrintEepromByte.code) {
        return kHead + 1 + addressExtra;
    }
    if (code == factory::kWriteEepromSet1.code || code == factory::kWriteEepromSet2.code) {
        return kHead + 2 + addressExtra;
    }
    return lengthField;
}

CommandFrame FrameCommand(std::span<const std::uint8_t> data, bool twoByteEepromAddress) {
    if (data.size() < 2) {
        return NeedMore();
    }
    return data[0] == control::kFileSeparator ? Fs(data) : Esc(data, twoByteEepromAddress);
}

}  // namespace vprinter::render
