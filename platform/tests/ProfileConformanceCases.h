// The private-profile conformance table: file bytes, one call, and the result written down by hand.
// The same table runs against our PortableProfile and, in the Windows build, against the real Win32
// functions; both must give these results.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace platform::tests {

enum class ProfileCall { ReadString, ReadInt, Write };

// What the real Win32 functions give under Wine where that differs from documented Windows behaviour,
// which our implementation follows. Only the fields that differ are set.
struct WineDeviation {
    const char* reason = nullptr;
    std::optional<std::uint32_t> result{};
    std::optional<std::string> returned{};
    std::optional<std::string> fileAfter{};
    bool fileUnchecked = false;  // the bytes Wine writes are not predictable
};

struct ProfileCase {
    const char* name = nullptr;
    std::optional<std::string> file{};  // the file's bytes; none: there is no file
    ProfileCall call = ProfileCall::ReadString;
    const char* section = nullptr;
    const char* key = nullptr;
    const char* text = nullptr;  // the default of ReadString, the value of Write (both may be null)
    std::uint32_t size = 256;
    int intDefault = 0;
    bool inMissingFolder = false;  // the path names a folder that does not exist

    std::uint32_t result = 0;  // the return value; 1 or 0 for Write
    std::string returned{};    // ReadString: the buffer's first bytes, NULs of name lists included
    std::optional<std::string> fileAfter{};  // Write: the file's bytes afterwards
    bool fileMissingAfter = false;           // Write: the file must not exist afterwards
    const char* readBack = nullptr;          // Write: the value of section/key read back afterwards
    WineDeviation wine{};
};

std::span<const ProfileCase> ProfileConformanceCases();

}  // namespace platform::tests
