#include "platform/PortableProfile.h"

#include <cstring>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "ProfileFileCache.h"
#include "platform/ModulePath.h"

namespace platform::portable {
namespace {

// The largest value GetPrivateProfileIntA looks at: it reads the text into a buffer of 30 characters.
constexpr std::uint32_t kIntegerTextSize = 30;

std::mutex& ProfileMutex() {
    static std::mutex mutex;
    return mutex;
}

ProfileFileCache& Cache() {
    static ProfileFileCache cache;
    return cache;
}

// A value in matching single or double quotes loses them.
std::string_view Unquoted(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

std::uint32_t CopyCut(std::string_view text, char* buffer, std::uint32_t size) {
    std::size_t length = std::min<std::size_t>(text.size(), size - 1);
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return static_cast<std::uint32_t>(length);
}

// The default loses its trailing blanks (spaces only, a tab stays).
std::string_view TrimmedDefault(const char* defaultValue) {
    std::string_view text = defaultValue != nullptr ? defaultValue : "";
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

// A list of NUL-terminated names ended by one more NUL. When it does not fit, the last name is cut
// and followed by two NULs, and the result is size - 2.
class NameList {
public:
    NameList(char* buffer, std::uint32_t size) : buffer_(buffer), size_(size) {}

    void Add(std::string_view name) {
        text_.append(name);
        text_.push_back('\0');
    }

    std::uint32_t Finish() {
        if (text_.size() + 1 < size_) {
            std::memcpy(buffer_, text_.data(), text_.size());
            buffer_[text_.size()] = '\0';
            return static_cast<std::uint32_t>(text_.size());
        }
        if (size_ < 2) {
            buffer_[0] = '\0';
            return 0;
        }
        std::memcpy(buffer_, text_.data(), size_ - 2);
        buffer_[size_ - 2] = '\0';
        buffer_[size_ - 1] = '\0';
        return size_ - 2;
    }

    bool Empty() const { return text_.empty(); }

private:
    char* buffer_;
    std::uint32_t size_;
    std::string text_;
};

std::uint32_t ListSectionNames(const ProfileDocument* document, char* buffer, std::uint32_t size) {
    NameList list(buffer, size);
    if (document != nullptr) {
        for (const ProfileSection& section : document->Sections()) {
            if (!section.name.empty()) {
                list.Add(section.name);
            }
        }
    }
    if (list.Empty()) {
        buffer[0] = '\0';  // one NUL only, as Windows leaves it
        return 0;
    }
    return list.Finish();
}

// The names of the entries that have a value, comments left out; nothing when there are none. A list
// cut to nothing by a buffer of two is still a list, not a reason to give the default.
std::optional<std::uint32_t> ListKeyNames(const ProfileDocument* document, const char* sectionName,
                                          char* buffer, std::uint32_t size) {
    const ProfileSection* section = document != nullptr ? document->FindSection(sectionName) : nullptr;
    if (section == nullptr) {
        return std::nullopt;
    }
    NameList list(buffer, size);
    for (const ProfileEntry& entry : section->entries) {
        if (entry.hasValue && !entry.name.empty() && entry.name.front() != ';') {
            list.Add(entry.name);
        }
    }
    if (list.Empty()) {
        return std::nullopt;
    }
    return list.Finish();
}

// The integer rule of GetPrivateProfileIntA: leading white space and one sign, then "0x", "0o" or "0b"
// for base 16, 8 or 2, else decimal; digits until the first other character, wrapping at 2^32.
std::uint32_t ParseProfileInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ') {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    std::uint32_t base = 10;
    if (i + 1 < text.size() && text[i] == '0') {
        switch (text[i + 1]) {
            case 'x':
                base = 16;
                break;
            case 'o':
                base = 8;
                break;
            case 'b':
                base = 2;
                break;
            default:
                break;
        }
        if (base != 10) {
            i += 2;
        }
    }
    std::uint32_t total = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        std::uint32_t digit = 0;
        if (c >= '0' && c <= '9') {
            digit = static_cast<std::uint32_t>(c - '0');
        } else if (c >= 'a' && c <= 'f') {
            digit = static_cast<std::uint32_t>(c - 'a' + 10);
        } else if (c >= 'A' && c <= 'F') {
            digit = static_cast<std::uint32_t>(c - 'A' + 10);
        } else {
            break;
        }
        if (digit >= base) {
            break;
        }
        total = total * base + digit;
    }
    return negative ? 0u - total : total;
}

std::uint32_t ReadStringLocked(const char* section, const char* key, const char* defaultValue, char* buffer,
                               std::uint32_t size, const char* path) {
    if (buffer == nullptr || size == 0) {
        return 0;
    }
    std::string_view fallback = TrimmedDefault(defaultValue);
    std::shared_ptr<const ProfileDocument> document =
        path != nullptr ? Cache().Load(platform::NativePath(path)) : nullptr;
    if (section == nullptr) {
        return ListSectionNames(document.get(), buffer, size);
    }
    if (key == nullptr) {
        if (std::optional<std::uint32_t> length = ListKeyNames(document.get(), section, buffer, size)) {
            return *length;
        }
        return CopyCut(Unquoted(fallback), buffer, size);
    }
    const ProfileEntry* entry = document != nullptr ? document->FindEntry(section, key) : nullptr;
    // An entry without '=' reads as missing.
    std::string_view value = (entry != nullptr && entry->hasValue) ? entry->value : fallback;
    return CopyCut(Unquoted(value), buffer, size);
}

}  // namespace

std::uint32_t ProfileReadString(const char* section, const char* key, const char* defaultValue, char* buffer,
                                std::uint32_t size, const char* path) {
    std::lock_guard<std::mutex> lock(ProfileMutex());
    return ReadStringLocked(section, key, defaultValue, buffer, size, path);
}

std::uint32_t ProfileReadInt(const char* section, const char* key, int defaultValue, const char* path) {
    char text[kIntegerTextSize];
    std::lock_guard<std::mutex> lock(ProfileMutex());
    // A missing key and an empty value both give the default.
    if (ReadStringLocked(section, key, "", text, sizeof text, path) == 0) {
        return static_cast<std::uint32_t>(defaultValue);
    }
    return ParseProfileInteger(text);
}

bool ProfileWriteString(const char* section, const char* key, const char* value, const char* path) {
    if (path == nullptr || *path == '\0') {
        return false;
    }
    if (section == nullptr) {
        // All three null asks Windows to flush its cached files; ours are written at once.
        return key == nullptr && value == nullptr;
    }
    std::lock_guard<std::mutex> lock(ProfileMutex());
    std::string nativePath = platform::NativePath(path);
    std::shared_ptr<const ProfileDocument> document = Cache().Load(nativePath);
    if (document == nullptr) {
        std::error_code error;
        if (std::filesystem::exists(nativePath, error)) {
            return false;  // there, but not a file we can read
        }
        document = std::make_shared<const ProfileDocument>(std::string());
    }
    std::optional<std::string> bytes = key == nullptr     ? document->WithoutSection(section)
                                       : value == nullptr ? document->WithoutEntry(section, key)
                                                          : document->WithValue(section, key, value);
    if (!bytes) {
        return true;  // nothing to change; a missing file stays missing
    }
    Cache().Forget(nativePath);
    return ReplaceFileContent(nativePath, *bytes);
}

}  // namespace platform::portable
