// The answers of the production commands: short texts of key:value groups, each closed by ';'
// ("EE:00A2 VALUE:5A;", "VR:1.00;"). Each operation looks for its own two-letter key and reads its
// value in one of four ways, listed below as a table. Pure: text in, value out. The printer's bytes
// are untrusted: every read stays inside the text and inside the key's own group (between the key and
// the ';' that closes it), so a reply cut short or a group of another form reads as no answer rather
// than as a value.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace drvlib {

enum class AnswerShape : std::uint8_t {
    ByteBeforeSemicolon,  // the two hexadecimal characters in front of the group's ';'
    HexFromOffset,        // one or two hexadecimal characters from `offset` after the key up to the ';'
    TextFromOffset,       // the characters from `offset` after the key up to the ';'
    KeyItself,            // the key's own two characters: the printer acknowledges by sending the group
};

struct ProductionAnswer {
    std::string_view key;
    AnswerShape shape;
    std::size_t offset;  // counted from the key's first character; HexFromOffset and TextFromOffset
};

inline constexpr ProductionAnswer kEepromAnswer{"EE", AnswerShape::ByteBeforeSemicolon, 0};
inline constexpr ProductionAnswer kSensorsAnswer{"SS", AnswerShape::ByteBeforeSemicolon, 0};
inline constexpr ProductionAnswer kFlashAnswer{"BZ", AnswerShape::ByteBeforeSemicolon, 0};
// "IC:aaVV;": the address echoed, then the value.
inline constexpr ProductionAnswer kCsicAnswer{"IC", AnswerShape::HexFromOffset, 5};
inline constexpr ProductionAnswer kRomVersionAnswer{"VR", AnswerShape::TextFromOffset, 3};
// "TI20260101090000;": the timer IC's digits follow the key without a colon.
inline constexpr ProductionAnswer kTimerIcAnswer{"TI", AnswerShape::TextFromOffset, 2};
inline constexpr ProductionAnswer kAcknowledgeAnswer{"AK", AnswerShape::KeyItself, 0};
inline constexpr ProductionAnswer kHeadTemperatureAnswer{"HT", AnswerShape::TextFromOffset, 3};
inline constexpr ProductionAnswer kRemoteRomVersionAnswer{"VI", AnswerShape::TextFromOffset, 3};

// The byte of an answer of a byte shape; nullopt when the reply lacks the key or the ';' after it,
// when the value's characters are not hexadecimal digits, or for an answer of a text shape.
std::optional<std::uint8_t> DecodeAnswerByte(std::string_view reply, const ProductionAnswer& answer);

// The text of an answer of a text shape; nullopt when the reply lacks the key or the ';' after it, when
// the group ends before the value begins, or for an answer of a byte shape.
std::optional<std::string> DecodeAnswerText(std::string_view reply, const ProductionAnswer& answer);

}  // namespace drvlib
