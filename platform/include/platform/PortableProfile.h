// Our own implementation of the private-profile functions, byte-transparent and independent of the
// OS. The native build's PrivateProfile.h calls go here; the Windows build compiles it too, so that
// the conformance table can hold it against the real Win32 functions under Wine.
//
// A file is parsed once and kept while its size and time of last change stay the same, so reading many
// keys of one file in a row costs one status query each. Writes change the lines concerned and keep
// every other byte of the file. Thread-safe: one lock serialises all calls.
#pragma once

#include <cstdint>

namespace platform::portable {

std::uint32_t ProfileReadString(const char* section, const char* key, const char* defaultValue, char* buffer,
                                std::uint32_t size, const char* path);
std::uint32_t ProfileReadInt(const char* section, const char* key, int defaultValue, const char* path);
bool ProfileWriteString(const char* section, const char* key, const char* value, const char* path);

}  // namespace platform::portable
