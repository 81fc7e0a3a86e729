// One private-profile file, parsed once and kept immutable: the sections and entries with their names
// and values as the Win32 functions see them, and the byte ranges of their lines, so that a write can
// change one line and leave every other byte of the file as it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ProfileText.h"

namespace platform::portable {

// A line "name=value", or a bare "name" without '=' (which has no value and reads as missing).
struct ProfileEntry {
    std::string_view name;   // trimmed, cut at a NUL
    std::string_view value;  // trimmed, cut at a NUL; quotes are still on
    bool hasValue = false;
    std::size_t lineBegin = 0;   // raw byte offsets of the line; lineEnd includes the line break
    std::size_t contentEnd = 0;  // raw offset where the line break starts
    std::size_t lineEnd = 0;
};

struct ProfileSection {
    std::string_view name;       // trimmed, cut at a NUL; empty for the lines before the first header
    std::size_t begin = 0;       // raw offset of the header line
    std::size_t end = 0;         // raw offset of the next header, or the end of the file
    std::size_t contentEnd = 0;  // raw offset behind the last non-blank line, header included
    bool contentEndsWithBreak = true;
    std::vector<ProfileEntry> entries;
};

class ProfileDocument {
public:
    // Takes the file's bytes; an empty text stands for a missing file.
    explicit ProfileDocument(std::string bytes);
    ProfileDocument(const ProfileDocument&) = delete;
    ProfileDocument& operator=(const ProfileDocument&) = delete;

    // The first section of that name; later sections of the same name are never read.
    const ProfileSection* FindSection(std::string_view name) const;
    // The first entry of that name in the first section of that name.
    const ProfileEntry* FindEntry(std::string_view section, std::string_view key) const;

    const std::vector<ProfileSection>& Sections() const { return sections_; }
    const std::string& Bytes() const { return raw_; }
    ProfileEncoding Encoding() const { return encoding_; }

    // The file's bytes after an edit, or nothing when the edit changes nothing.
    std::optional<std::string> WithValue(std::string_view section, std::string_view key,
                                         std::string_view value) const;
    std::optional<std::string> WithoutEntry(std::string_view section, std::string_view key) const;
    std::optional<std::string> WithoutSection(std::string_view section) const;

private:
    using HashIndex = std::vector<std::pair<std::uint64_t, std::uint32_t>>;

    void Parse();
    void AddLine(std::size_t rawBegin, std::size_t rawContentEnd, std::size_t rawEnd);
    const ProfileEntry* FindInSection(const ProfileSection& section, std::string_view key) const;
    std::string Spliced(std::size_t begin, std::size_t end, std::string_view ansiReplacement) const;

    std::string raw_;
    std::string decoded_;  // the text of converted files; views into raw_ for ANSI files
    ProfileEncoding encoding_ = ProfileEncoding::Ansi;
    std::size_t bodyBegin_ = 0;
    std::size_t textEnd_ = 0;  // raw offset behind the last whole character
    bool endsWithBreak_ = true;
    std::vector<ProfileSection> sections_;
    HashIndex sectionIndex_;                     // first section of each name, sorted by hash
    mutable std::vector<HashIndex> entryIndex_;  // per section, built when first searched
};

}  // namespace platform::portable
