// The printer's text status reply as the channel library hands it over: the marker line
// "@BDC ST\r\n", then key:value; groups, of which this layer reads ST (state), ER (error) and TP.
// Parsing is pure: bytes in, codes out. The buffer comes from outside the program, so the text is
// taken up to its first NUL or to the end of the buffer, whichever comes first; a reply without a
// terminator is read no further than the buffer.
#pragma once

#include <cstddef>
#include <cstdint>

namespace printer {

inline constexpr std::uint16_t kStatusReplyParsed = 0x0001;
inline constexpr std::uint16_t kStatusReplyUnparsable = 0xE000;
// ER and TP of a reply that does not carry the group.
inline constexpr std::uint8_t kCodeAbsent = 0xFF;

struct StatusReplyCodes {
    std::uint8_t status = 0;           // ST
    std::uint8_t error = kCodeAbsent;  // ER
    std::uint8_t third = kCodeAbsent;  // TP
};

// kStatusReplyParsed with the codes filled, or kStatusReplyUnparsable with them untouched when the
// marker line or the ST group is missing, or a present group's two characters are not both
// hexadecimal digits (either letter case).
std::uint16_t ParseStatusReply(const char* buffer, std::size_t size, StatusReplyCodes* codes);

}  // namespace printer
