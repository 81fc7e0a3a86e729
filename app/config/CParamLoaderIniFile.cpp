#include "config/CParamLoaderIniFile.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "config/TextFormat.h"
#include "platform/PrivateProfile.h"

namespace {

// The first read takes up to 255 characters, the length the files are written for; longer values
// are read again with a larger buffer so that a long list written by Save reads back whole. Values
// beyond the last size are cut there.
constexpr std::uint32_t kFirstReadSize = 256;
constexpr std::uint32_t kLargestReadSize = 1u << 20;

// A key written at this column or later needs no padding before its comment.
constexpr std::size_t kCommentColumn = 31;

std::string ReadProfileText(const std::string& section, const std::string& key, const char* defaultValue,
                            const std::string& path) {
    std::vector<char> buffer(kFirstReadSize);
    while (true) {
        const auto size = static_cast<std::uint32_t>(buffer.size());
        std::uint32_t length = platform::ProfileReadString(section.c_str(), key.c_str(), defaultValue,
                                                           buffer.data(), size, path.c_str());
        if (length >= size) {
            length = size - 1;
        }
        // A value that filled the buffer may have been cut.
        if (length + 1 < size || size >= kLargestReadSize) {
            return std::string(buffer.data(), strnlen(buffer.data(), length));
        }
        buffer.resize(static_cast<std::size_t>(size) * 2);
    }
}

// The comment starts at the first ';' that is not the first character and not escaped as "\;".
std::string::size_type FindCommentSeparator(const std::string& text) {
    for (std::string::size_type i = 1; i < text.size(); ++i) {
        if (text[i] == ';' && text[i - 1] != '\\') {
            return i;
        }
    }
    return std::string::npos;
}

// The characters the profile functions trim around a value: white space and the DOS end-of-file mark.
bool IsProfileBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == '\x1A';
}

// A ';' or a line break written as it is would cut the value short, or split the line, at the next
// read; the escapes read back as the same value.
std::string EscapeForFile(const std::string& value) {
    std::string text;
    text.reserve(value.size());
    for (std::string::size_type i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == ';') {
            text += "\\;";
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < value.size() && value[i + 1] == '\n') {
                ++i;
            }
            text += "\\n";
        } else {
            text += c;
        }
    }
    return text;
}

// The profile functions drop the white space around a value and one pair of matching quotes around
// it on reading. A text that would lose something ReadValue keeps (blanks at the start of a string,
// blanks at the end of a comment, a closing end-of-file mark, the quotes) is written inside one more
// pair of quotes, which is the pair dropped. Such texts come from quoted values in the file (" a").
std::string ProtectedFromTrimming(const ParamRecord& record, const std::string& text) {
    if (text.empty()) {
        return text;
    }
    const bool leadingBlank = record.isText && IsProfileBlank(text.front());
    const bool trailingBlank =
        IsProfileBlank(text.back()) && (!record.comment.empty() || text.back() == '\x1A');
    const bool quoted =
        text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front();
    return leadingBlank || trailingBlank || quoted ? '"' + text + '"' : text;
}

}  // namespace

int CParamLoaderIniFile::ReadValue(ParamRecord& record, std::string& value, const char* defaultValue) {
    const char* fallback = defaultValue == nullptr ? "" : defaultValue;
    // Without a file name the OS would look for the file in a folder of its own choosing.
    std::string text =
        path_.empty() ? std::string(fallback) : ReadProfileText(record.section, record.key, fallback, path_);

    const std::string::size_type separator = FindCommentSeparator(text);
    if (separator != std::string::npos) {
        record.comment = text.substr(separator + 1);
        text.erase(separator);
    } else {
        record.comment.clear();
    }
    const std::string::size_type end = text.find_last_not_of(" \t\r\n\v\f");
    text.erase(end == std::string::npos ? 0 : end + 1);
    config::ReplaceAll(text, "\\;", ";");
    config::ReplaceAll(text, "\\n", "\r\n");
    value = text;
    return 0;
}

int CParamLoaderIniFile::WriteValue(const ParamRecord& record, const std::string& value) {
    if (path_.empty()) {
        return 0;
    }
    std::string text = EscapeForFile(value);
    if (!record.comment.empty()) {
        if (record.key.size() + text.size() < kCommentColumn) {
            text.append(kCommentColumn - record.key.size() - text.size(), ' ');
        }
        // Right behind a backslash the separator would read as an escaped ';', and as the first
        // character it would read as part of the value; a blank before it is trimmed on reading.
        if (text.empty() || text.back() == '\\') {
            text += ' ';
        }
        text += ';';
        text += record.comment;
    }
    const std::string line = ProtectedFromTrimming(record, text);
    platform::ProfileWriteString(record.section.c_str(), record.key.c_str(), line.c_str(), path_.c_str());
    return 0;
}
