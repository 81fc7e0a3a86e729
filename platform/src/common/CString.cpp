#include "platform/CString.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <limits>

namespace platform {
namespace {

char emptyText[1] = {'\0'};

int LengthOf(const char* text) {
    if (text == nullptr) {
        return 0;
    }
    const std::size_t length = std::strlen(text);
    return length > static_cast<std::size_t>(std::numeric_limits<int>::max() / 2)
               ? std::numeric_limits<int>::max() / 2
               : static_cast<int>(length);
}

}  // namespace

CString::CString() : data_(emptyText) {}

CString::CString(const char* text) : data_(emptyText) {
    Assign(text, LengthOf(text));
}

CString::CString(const char* text, int length) : data_(emptyText) {
    Assign(text, text == nullptr ? 0 : length);
}

CString::CString(std::string_view text) : data_(emptyText) {
    Assign(text.data(), static_cast<int>(text.size()));
}

CString::CString(const CString& other) : data_(emptyText) {
    Assign(other.data_, other.length_);
}

CString::CString(CString&& other) noexcept
    : data_(other.data_), length_(other.length_), capacity_(other.capacity_) {
    other.data_ = emptyText;
    other.length_ = 0;
    other.capacity_ = 0;
}

CString::~CString() {
    if (capacity_ != 0) {
        std::free(data_);
    }
}

CString& CString::operator=(const CString& other) {
    if (this != &other) {
        Assign(other.data_, other.length_);
    }
    return *this;
}

CString& CString::operator=(CString&& other) noexcept {
    if (this != &other) {
        if (capacity_ != 0) {
            std::free(data_);
        }
        data_ = other.data_;
        length_ = other.length_;
        capacity_ = other.capacity_;
        other.data_ = emptyText;
        other.length_ = 0;
        other.capacity_ = 0;
    }
    return *this;
}

CString& CString::operator=(const char* text) {
    Assign(text, LengthOf(text));
    return *this;
}

void CString::Empty() {
    length_ = 0;
    if (capacity_ != 0) {
        data_[0] = '\0';
    }
}

char CString::GetAt(int index) const {
    return index >= 0 && index < length_ ? data_[index] : '\0';
}

void CString::Reserve(int length) {
    if (length < capacity_) {
        return;
    }
    int capacity = capacity_ < 32 ? 32 : capacity_;
    while (capacity <= length) {
        capacity = capacity > std::numeric_limits<int>::max() / 2 ? length + 1 : capacity * 2;
    }
    char* grown = static_cast<char*>(std::malloc(static_cast<std::size_t>(capacity)));
    if (grown == nullptr) {
        std::abort();  // out of memory: no text can be kept
    }
    std::memcpy(grown, data_, static_cast<std::size_t>(length_) + 1);
    if (capacity_ != 0) {
        std::free(data_);
    }
    data_ = grown;
    capacity_ = capacity;
}

bool CString::InBuffer(const char* text) const {
    // The whole allocation counts, not only the text: a pointer taken before Empty or a shortening
    // still points into the buffer that growing would free.
    return capacity_ != 0 && std::less_equal<const char*>()(data_, text) &&
           std::less<const char*>()(text, data_ + capacity_);
}

void CString::Assign(const char* text, int length) {
    if (length <= 0) {
        Empty();
        return;
    }
    if (InBuffer(text)) {
        std::memmove(data_, text, static_cast<std::size_t>(length));
        length_ = length;
        data_[length_] = '\0';
        return;
    }
    Empty();
    Reserve(length);
    std::memcpy(data_, text, static_cast<std::size_t>(length));
    length_ = length;
    data_[length_] = '\0';
}

void CString::Append(const char* text, int length) {
    if (text == nullptr || length <= 0) {
        return;
    }
    if (length > std::numeric_limits<int>::max() - 1 - length_) {
        std::abort();  // no text of this length can be held
    }
    if (InBuffer(text)) {
        const CString copy(text, length);
        Append(copy.data_, copy.length_);
        return;
    }
    Reserve(length_ + length);
    std::memcpy(data_ + length_, text, static_cast<std::size_t>(length));
    length_ += length;
    data_[length_] = '\0';
}

CString& CString::operator+=(const CString& other) {
    if (&other == this) {
        const CString copy(other);
        Append(copy.data_, copy.length_);
    } else {
        Append(other.data_, other.length_);
    }
    return *this;
}

CString& CString::operator+=(const char* text) {
    Append(text, LengthOf(text));
    return *this;
}

CString& CString::operator+=(char character) {
    Append(&character, 1);
    return *this;
}

void CString::Format(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    FormatV(format, arguments);
    va_end(arguments);
}

void CString::FormatV(const char* format, va_list arguments) {
    va_list measure;
    va_copy(measure, arguments);
    const int needed = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (needed <= 0) {
        Empty();
        return;
    }
    CString result;
    result.Reserve(needed);
    std::vsnprintf(result.data_, static_cast<std::size_t>(needed) + 1, format, arguments);
    result.length_ = needed;
    *this = std::move(result);
}

int CString::Find(const char* text, int start) const {
    if (text == nullptr || start < 0 || start > length_) {
        return -1;
    }
    const std::size_t found = View().find(text, static_cast<std::size_t>(start));
    return found == std::string_view::npos ? -1 : static_cast<int>(found);
}

int CString::Find(char character, int start) const {
    if (start < 0 || start > length_) {
        return -1;
    }
    const std::size_t found = View().find(character, static_cast<std::size_t>(start));
    return found == std::string_view::npos ? -1 : static_cast<int>(found);
}

CString CString::Mid(int first) const {
    return Mid(first, length_);
}

CString CString::Mid(int first, int count) const {
    if (first < 0) {
        first = 0;
    }
    if (first >= length_ || count <= 0) {
        return {};
    }
    if (count > length_ - first) {
        count = length_ - first;
    }
    return CString(data_ + first, count);
}

CString CString::Left(int count) const {
    return Mid(0, count);
}

CString CString::Right(int count) const {
    if (count <= 0) {
        return {};
    }
    return count >= length_ ? *this : Mid(length_ - count, count);
}

int CString::Replace(const char* from, const char* to) {
    const int fromLength = LengthOf(from);
    if (fromLength == 0) {
        return 0;
    }
    const int toLength = LengthOf(to);
    CString result;
    int replaced = 0;
    int position = 0;
    for (int found = Find(from, 0); found >= 0; found = Find(from, position)) {
        result.Append(data_ + position, found - position);
        result.Append(to, toLength);
        position = found + fromLength;
        ++replaced;
    }
    if (replaced != 0) {
        result.Append(data_ + position, length_ - position);
        *this = std::move(result);
    }
    return replaced;
}

CString operator+(const CString& left, const CString& right) {
    CString result(left);
    result += right;
    return result;
}

}  // namespace platform
