#include "ProfileText.h"

#include <array>
#include <cstdint>

namespace platform::portable {
namespace {

// Code page 1252 at 0x80-0x9F; the five unassigned bytes map to the C1 controls of the same value,
// as MultiByteToWideChar maps them.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t AnsiToCodePoint(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) {
        return kCp1252High[byte - 0x80];
    }
    return byte;
}

char CodePointToAnsi(char32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
        return static_cast<char>(codePoint);
    }
    for (std::size_t i = 0; i < kCp1252High.size(); ++i) {
        if (kCp1252High[i] == codePoint) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

void AppendUtf8(char32_t codePoint, std::string* out) {
    if (codePoint < 0x80) {
        out->push_back(static_cast<char>(codePoint));
    } else if (codePoint < 0x800) {
        out->push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
        out->push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else {
        out->push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
        out->push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    }
}

// Decodes one UTF-8 sequence at raw[i]; an invalid or cut sequence yields U+FFFD and consumes one byte.
char32_t NextUtf8(std::string_view raw, std::size_t* i) {
    auto byte = [&](std::size_t at) { return static_cast<unsigned char>(raw[at]); };
    unsigned char lead = byte(*i);
    std::size_t length = lead < 0x80           ? 1
                         : (lead >> 5) == 0x6  ? 2
                         : (lead >> 4) == 0xE  ? 3
                         : (lead >> 3) == 0x1E ? 4
                                               : 0;
    if (length == 0 || *i + length > raw.size()) {
        ++*i;
        return 0xFFFD;
    }
    char32_t codePoint = length == 1   ? lead
                         : length == 2 ? (lead & 0x1F)
                         : length == 3 ? (lead & 0x0F)
                                       : (lead & 0x07);
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(*i + k) & 0xC0) != 0x80) {
            ++*i;
            return 0xFFFD;
        }
        codePoint = (codePoint << 6) | (byte(*i + k) & 0x3F);
    }
    *i += length;
    return codePoint;
}

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool IsProfileSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == '\x1A';
}

std::string_view TrimLeadingProfileSpace(std::string_view text) {
    std::size_t begin = 0;
    while (begin < text.size() && IsProfileSpace(text[begin])) {
        ++begin;
    }
    return text.substr(begin);
}

std::string_view TrimTrailingProfileSpace(std::string_view text) {
    std::size_t end = text.size();
    while (end > 0 && IsProfileSpace(text[end - 1])) {
        --end;
    }
    return text.substr(0, end);
}

std::string_view TrimProfileSpace(std::string_view text) {
    return TrimTrailingProfileSpace(TrimLeadingProfileSpace(text));
}

std::string_view CutAtNul(std::string_view text) {
    std::size_t nul = text.find('\0');
    return nul == std::string_view::npos ? text : text.substr(0, nul);
}

bool EqualsIgnoringAsciiCase(std::string_view left, std::string_view right) {
    if (left.size() != right.size()) {
        return false;
    }
    for (std::size_t i = 0; i < left.size(); ++i) {
        if (FoldAscii(left[i]) != FoldAscii(right[i])) {
            return false;
        }
    }
    return true;
}

std::uint64_t HashIgnoringAsciiCase(std::string_view text) {
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (char c : text) {
        hash ^= static_cast<unsigned char>(FoldAscii(c));
        hash *= 1099511628211ull;
    }
    return hash;
}

ProfileEncoding DetectEncoding(std::string_view bytes, std::size_t* markLength) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        *markLength = 3;
        return ProfileEncoding::Utf8;
    }
    if (bytes.substr(0, 2) == "\xFF\xFE") {
        *markLength = 2;
        return ProfileEncoding::Utf16LittleEndian;
    }
    if (bytes.substr(0, 2) == "\xFE\xFF") {
        *markLength = 2;
        return ProfileEncoding::Utf16BigEndian;
    }
    *markLength = 0;
    return ProfileEncoding::Ansi;
}

std::size_t CodeUnitSize(ProfileEncoding encoding) {
    return (encoding == ProfileEncoding::Utf16LittleEndian || encoding == ProfileEncoding::Utf16BigEndian)
               ? 2
               : 1;
}

unsigned ReadCodeUnit(std::string_view bytes, std::size_t offset, ProfileEncoding encoding) {
    auto byte = [&](std::size_t at) { return static_cast<unsigned>(static_cast<unsigned char>(bytes[at])); };
    switch (encoding) {
        case ProfileEncoding::Utf16LittleEndian:
            return byte(offset) | (byte(offset + 1) << 8);
        case ProfileEncoding::Utf16BigEndian:
            return (byte(offset) << 8) | byte(offset + 1);
        case ProfileEncoding::Ansi:
        case ProfileEncoding::Utf8:
            break;
    }
    return byte(offset);
}

void AppendDecoded(std::string_view raw, ProfileEncoding encoding, std::string* out) {
    switch (encoding) {
        case ProfileEncoding::Ansi:
            out->append(raw);
            return;
        case ProfileEncoding::Utf8:
            for (std::size_t i = 0; i < raw.size();) {
                out->push_back(CodePointToAnsi(NextUtf8(raw, &i)));
            }
            return;
        case ProfileEncoding::Utf16LittleEndian:
        case ProfileEncoding::Utf16BigEndian:
            for (std::size_t i = 0; i + 1 < raw.size(); i += 2) {
                unsigned unit = ReadCodeUnit(raw, i, encoding);
                // A surrogate half is outside code page 1252 whether it pairs or not.
                out->push_back(CodePointToAnsi(unit));
            }
            return;
    }
}

std::string Encode(std::string_view ansi, ProfileEncoding encoding) {
    std::string out;
    switch (encoding) {
        case ProfileEncoding::Ansi:
            out.assign(ansi);
            break;
        case ProfileEncoding::Utf8:
            for (char c : ansi) {
                AppendUtf8(AnsiToCodePoint(static_cast<unsigned char>(c)), &out);
            }
            break;
        case ProfileEncoding::Utf16LittleEndian:
        case ProfileEncoding::Utf16BigEndian:
            for (char c : ansi) {
                char32_t unit = AnsiToCodePoint(static_cast<unsigned char>(c));
                char low = static_cast<char>(unit & 0xFF);
                char high = static_cast<char>(unit >> 8);
                out.push_back(encoding == ProfileEncoding::Utf16LittleEndian ? low : high);
                out.push_back(encoding == ProfileEncoding::Utf16LittleEndian ? high : low);
            }
            break;
    }
    return out;
}

}  // namespace platform::portable
