// The private-profile implementation: a file of any bytes, read with every buffer size, then one
// write or delete chosen by the control bytes.
//
// Properties: a read never writes beyond its buffer, ends its text in a NUL and gives a prefix of
// what a large buffer gives; a written value reads back as written (less what the Win32 functions
// define away: blanks around it, one pair of quotes); a write or delete changes one line (or adds a
// section) and every other byte of the file stays; every other key reads as before.
#include <cstring>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "platform/PortableProfile.h"

namespace {

using platform::portable::ProfileReadInt;
using platform::portable::ProfileReadString;
using platform::portable::ProfileWriteString;

constexpr std::uint32_t kLargeBuffer = 1u << 16;
// Every buffer size up to this is tried; beyond it a few.
constexpr std::uint32_t kSizesTried = 40;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == '\x1A';
}

std::string Trimmed(std::string text) {
    while (!text.empty() && IsBlank(text.back())) {
        text.pop_back();
    }
    std::size_t begin = 0;
    while (begin < text.size() && IsBlank(text[begin])) {
        ++begin;
    }
    return text.substr(begin);
}

// What reading gives for a value written as text.
std::string AsRead(const std::string& written) {
    std::string text = Trimmed(written.substr(0, written.find('\0')));
    if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front()) {
        text = text.substr(1, text.size() - 2);
    }
    return text;
}

std::string ReadWhole(const char* section, const char* key, const char* fallback, const std::string& path) {
    static std::vector<char> buffer(kLargeBuffer);
    const std::uint32_t length =
        ProfileReadString(section, key, fallback, buffer.data(), kLargeBuffer, path.c_str());
    FUZZ_CHECK(length < kLargeBuffer, "length " + std::to_string(length));
    return std::string(buffer.data(), length);
}

// Reads with buffers of sizes 0 .. kSizesTried and around the full length; each must give a prefix
// of the whole text, end in a NUL and stay inside its buffer (the buffer is allocated to the size, so
// the address sanitizer sees any byte beyond it).
void ReadWithEverySize(const char* section, const char* key, const char* fallback, const std::string& path) {
    const std::string whole = ReadWhole(section, key, fallback, path);
    std::vector<std::uint32_t> sizes;
    for (std::uint32_t size = 0; size <= kSizesTried; ++size) {
        sizes.push_back(size);
    }
    for (std::uint32_t around = 0; around < 4; ++around) {
        sizes.push_back(static_cast<std::uint32_t>(whole.size()) + around);
    }
    for (const std::uint32_t size : sizes) {
        std::vector<char> buffer(size);
        const std::uint32_t length =
            ProfileReadString(section, key, fallback, buffer.data(), size, path.c_str());
        if (size == 0) {
            FUZZ_CHECK(length == 0, "a buffer of size 0 gives 0");
            continue;
        }
        FUZZ_CHECK(length < size,
                   "length " + std::to_string(length) + " in a buffer of " + std::to_string(size));
        FUZZ_CHECK(buffer[length] == '\0', "text ends in a NUL");
        FUZZ_CHECK(std::memcmp(buffer.data(), whole.data(), std::min<std::size_t>(length, whole.size())) == 0,
                   "size " + std::to_string(size) + ": " +
                       fuzz::Printable(std::string(buffer.data(), length)) + " is no prefix of " +
                       fuzz::Printable(whole));
    }
}

// The names of a NUL-separated list.
std::vector<std::string> Names(const std::string& list) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start < list.size()) {
        const std::size_t end = list.find('\0', start);
        names.push_back(list.substr(start, end - start));
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    return names;
}

// A name a write can use: one that parses back as the same name.
bool IsWritableName(const std::string& name) {
    if (name.empty() || name.front() == '[' || name.front() == ';' || IsBlank(name.front()) ||
        IsBlank(name.back())) {
        return false;
    }
    return name.find_first_of(std::string("=\r\n\0", 4)) == std::string::npos;
}

struct KeyValue {
    std::string section;
    std::string key;
    std::string value;
};

// Every key of the first sections, with its value.
std::vector<KeyValue> Snapshot(const std::vector<std::string>& sections, const std::string& path) {
    std::vector<KeyValue> values;
    for (std::size_t s = 0; s < sections.size() && s < 6; ++s) {
        const std::vector<std::string> keys = Names(ReadWhole(sections[s].c_str(), nullptr, "", path));
        for (std::size_t k = 0; k < keys.size() && k < 16; ++k) {
            values.push_back(
                {sections[s], keys[k], ReadWhole(sections[s].c_str(), keys[k].c_str(), "(none)", path)});
        }
    }
    return values;
}

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto fold = [](char c) {
            return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        };
        if (fold(a[i]) != fold(b[i])) {
            return false;
        }
    }
    return true;
}

// The bytes that differ between two versions of the file: [begin, oldEnd) became [begin, newEnd).
struct Change {
    std::size_t begin;
    std::size_t oldEnd;
    std::size_t newEnd;
};

Change Difference(const std::string& before, const std::string& after) {
    std::size_t prefix = 0;
    while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix]) {
        ++prefix;
    }
    std::size_t suffix = 0;
    while (suffix < before.size() - prefix && suffix < after.size() - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
        ++suffix;
    }
    return {prefix, before.size() - suffix, after.size() - suffix};
}

std::size_t LineBreaks(std::string_view bytes) {
    std::size_t count = 0;
    for (const char c : bytes) {
        count += c == '\n' || c == '\r';
    }
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::TailReader control(data, size);
    const std::uint8_t operation = control.Byte();
    const std::uint8_t sectionPick = control.Byte();
    const std::uint8_t keyPick = control.Byte();
    const std::string value = control.Text(40);
    const std::string fallback = control.Text(8);
    const std::string path = fuzz::ScratchFile("profile.ini");
    const std::string before(control.Rest());
    fuzz::WriteSettledFile(path, before);

    const std::vector<std::string> sections = Names(ReadWhole(nullptr, nullptr, "", path));
    ReadWithEverySize(nullptr, nullptr, fallback.c_str(), path);
    const std::string section = sections.empty() ? "Section" : sections[sectionPick % sections.size()];
    const std::vector<std::string> keys = Names(ReadWhole(section.c_str(), nullptr, "", path));
    const std::string key = keys.empty() ? "Key" : keys[keyPick % keys.size()];
    ReadWithEverySize(section.c_str(), nullptr, fallback.c_str(), path);
    ReadWithEverySize(section.c_str(), key.c_str(), fallback.c_str(), path);
    ProfileReadInt(section.c_str(), key.c_str(), sectionPick, path.c_str());

    // The write goes to an existing or a new section and key, chosen by the control bytes.
    const std::string writeSection = (operation & 1) != 0 ? section : "New" + std::to_string(sectionPick % 4);
    const std::string writeKey = (operation & 2) != 0 ? key : "new" + std::to_string(keyPick % 4);
    if (!IsWritableName(writeSection) || !IsWritableName(writeKey)) {
        return 0;
    }
    const std::vector<KeyValue> old = Snapshot(sections, path);
    enum class Edit {
        Write,
        DeleteKey,
        DeleteSection
    } edit = (operation >> 2) % 8 == 0   ? Edit::DeleteSection
             : (operation >> 2) % 8 == 1 ? Edit::DeleteKey
                                         : Edit::Write;
    const bool written =
        ProfileWriteString(writeSection.c_str(), edit == Edit::DeleteSection ? nullptr : writeKey.c_str(),
                           edit == Edit::Write ? value.c_str() : nullptr, path.c_str());
    FUZZ_CHECK(written, "the write fails");
    const std::string after = fuzz::ReadFile(path);
    const Change change = Difference(before, after);
    const std::string_view removed =
        std::string_view(before).substr(change.begin, change.oldEnd - change.begin);
    const std::string_view added = std::string_view(after).substr(change.begin, change.newEnd - change.begin);
    const std::string context = "section " + fuzz::Printable(writeSection) + " key " +
                                fuzz::Printable(writeKey) + " value " + fuzz::Printable(value) +
                                "\nbefore: " + fuzz::Printable(before) +
                                "\nafter:  " + fuzz::Printable(after);

    switch (edit) {
        case Edit::Write: {
            // One line replaced in place, or new lines added where no line was.
            // In UTF-16 the bytes 0x0A and 0x0D are also halves of other characters.
            const bool utf16 = before.rfind("\xFF\xFE", 0) == 0 || before.rfind("\xFE\xFF", 0) == 0;
            FUZZ_CHECK(utf16 || LineBreaks(removed) == 0, "the write changes one line only\n" + context);
            if (value.find_first_of("\r\n") == std::string::npos) {
                const std::string readBack =
                    ReadWhole(writeSection.c_str(), writeKey.c_str(), "(none)", path);
                FUZZ_CHECK(readBack == AsRead(value),
                           "reads back " + fuzz::Printable(readBack) + "\n" + context);
            }
            break;
        }
        case Edit::DeleteKey:
        case Edit::DeleteSection:
            FUZZ_CHECK(added.empty(), "a delete adds nothing\n" + context);
            break;
    }
    // Every key the edit did not name reads as before.
    if (value.find_first_of("\r\n") == std::string::npos) {
        for (const KeyValue& entry : old) {
            if (SameName(entry.section, writeSection) &&
                (edit == Edit::DeleteSection || SameName(entry.key, writeKey))) {
                continue;
            }
            const std::string now = ReadWhole(entry.section.c_str(), entry.key.c_str(), "(none)", path);
            FUZZ_CHECK(now == entry.value,
                       "[" + fuzz::Printable(entry.section) + "] " + fuzz::Printable(entry.key) + " was " +
                           fuzz::Printable(entry.value) + ", now " + fuzz::Printable(now) + "\n" + context);
        }
    }
    return 0;
}
