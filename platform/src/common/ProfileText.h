// Character rules of the private-profile files, shared by the parser and the writer.
//
// Profile files are read as bytes of the ANSI code page. A file that starts with a UTF-8 or UTF-16
// byte-order mark is converted to code page 1252 for reading, as the Win32 functions do on a Western
// system, and written back in its own encoding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform::portable {

enum class ProfileEncoding { Ansi, Utf8, Utf16LittleEndian, Utf16BigEndian };

// Tab, line feed, vertical tab, form feed, carriage return, space and the DOS end-of-file mark 0x1A:
// the characters trimmed around names and values.
bool IsProfileSpace(char c);

std::string_view TrimProfileSpace(std::string_view text);
std::string_view TrimLeadingProfileSpace(std::string_view text);
std::string_view TrimTrailingProfileSpace(std::string_view text);

// The text up to its first NUL: names and values end there, as C strings do.
std::string_view CutAtNul(std::string_view text);

// Names are compared without regard to the case of the ASCII letters only; bytes above 0x7F must
// match exactly (they may be the lead and trail bytes of a double-byte code page).
bool EqualsIgnoringAsciiCase(std::string_view left, std::string_view right);
std::uint64_t HashIgnoringAsciiCase(std::string_view text);

// The length of the byte-order mark at the start of the file, and the encoding it announces.
ProfileEncoding DetectEncoding(std::string_view bytes, std::size_t* markLength);

// Code units of the encoding: 2 bytes for UTF-16, else 1.
std::size_t CodeUnitSize(ProfileEncoding encoding);

// The code unit at offset (a character value, not a byte, for UTF-16).
unsigned ReadCodeUnit(std::string_view bytes, std::size_t offset, ProfileEncoding encoding);

// Appends the raw bytes of one line (no line break) converted to code page 1252; characters the code
// page lacks become '?'.
void AppendDecoded(std::string_view raw, ProfileEncoding encoding, std::string* out);

// The code-page 1252 text in the file's encoding.
std::string Encode(std::string_view ansi, ProfileEncoding encoding);

}  // namespace platform::portable
