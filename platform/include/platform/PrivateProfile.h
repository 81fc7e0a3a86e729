// Private-profile (INI) files with the semantics of the Win32 functions GetPrivateProfileStringA,
// GetPrivateProfileIntA and WritePrivateProfileStringA.
//
// The Windows build calls the real Win32 functions. The native build runs PortableProfile, our own
// implementation, which agrees with them case for case (the conformance table in platform/tests runs
// against both). Paths may use '\' as separator on every platform.
//
// Reading: section and key names are compared without regard to the case of ASCII letters, white space
// around names and values is ignored, a value in matching single or double quotes loses them, and the
// result is cut to size - 1 characters. A missing file, section or key gives the default (trailing
// blanks removed). Only the first of several sections of one name is read, and the first of several
// keys; a line without '=' reads as missing; a ';' inside a value is part of it.
// Writing creates the file and the section when missing, replaces an existing key in place and keeps
// every other line, comment included; new lines end in CR LF. None of these calls blocks for longer
// than the file access itself.
// Our names differ from the Win32 ones because <windows.h> turns those into macros.
#pragma once

#include <cstdint>

namespace platform {

// Copies the value (or the default) into buffer, NUL-terminated, and returns the number of characters
// copied without the NUL. A null defaultValue reads as "". size 0 copies nothing and returns 0.
std::uint32_t ProfileReadString(const char* section, const char* key, const char* defaultValue, char* buffer,
                                std::uint32_t size, const char* path);

// The value read as an integer: leading white space and one sign allowed, then decimal digits, or
// hexadecimal after "0x", octal after "0o", binary after "0b" (lower-case prefixes only); reading stops
// at the first other character and wraps at 2^32, and only the first 29 characters count. The default
// when the key is missing or its value is empty, 0 when the value does not start with a number.
std::uint32_t ProfileReadInt(const char* section, const char* key, int defaultValue, const char* path);

// Writes key=value into section. A null value deletes the key; a null key deletes the whole section.
// Returns false when the file cannot be written.
bool ProfileWriteString(const char* section, const char* key, const char* value, const char* path);

}  // namespace platform
