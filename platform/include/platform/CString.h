// The framework's string object, the one text type that crosses between our modules (the program,
// the device-driver library, the stand-ins). Its characters live on one heap only: every operation
// that allocates, grows or frees the buffer is a function of the platform library, never inline, so a
// string filled inside one module can be grown or freed by any other. Texts are byte strings (the
// printer's replies, ANSI texts); an embedded NUL ends what GetString shows but not GetLength.
#pragma once

#include <cstdarg>
#include <string>
#include <string_view>

namespace platform {

class CString {
public:
    CString();
    CString(const char* text);  // NOLINT(google-explicit-constructor): texts convert as in the framework
    CString(const char* text, int length);
    explicit CString(std::string_view text);
    CString(const CString& other);
    CString(CString&& other) noexcept;
    ~CString();

    CString& operator=(const CString& other);
    CString& operator=(CString&& other) noexcept;
    CString& operator=(const char* text);

    int GetLength() const { return length_; }
    bool IsEmpty() const { return length_ == 0; }
    void Empty();

    // Never null; NUL-terminated.
    const char* GetString() const { return data_; }
    operator const char*() const { return data_; }  // NOLINT(google-explicit-constructor)
    std::string_view View() const { return {data_, static_cast<std::size_t>(length_)}; }
    std::string ToStdString() const { return std::string(View()); }
    // The character at index, or NUL outside the text.
    char GetAt(int index) const;

    CString& operator+=(const CString& other);
    CString& operator+=(const char* text);
    CString& operator+=(char character);
    void Append(const char* text, int length);

    // printf-style; the result replaces the text.
    void Format(const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;
    void FormatV(const char* format, va_list arguments);

    // Index of the first occurrence at or after start, or -1.
    int Find(const char* text, int start = 0) const;
    int Find(char character, int start = 0) const;
    // Substrings, clamped to the text (a negative first counts as 0).
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Left(int count) const;
    CString Right(int count) const;
    // Replaces every occurrence; returns how many were replaced.
    int Replace(const char* from, const char* to);

    // The buffer is kept when it is large enough; the allocation is at least this many bytes.
    int GetAllocLength() const {
        return capacity_;
    }

    friend bool operator==(const CString& left, const CString& right) {
        return left.View() == right.View();
    }
    // A null text compares as the empty text.
    friend bool operator==(const CString& left, const char* right) {
        return left.View() == (right == nullptr ? "" : right);
    }

private:
    void Reserve(int length);
    void Assign(const char* text, int length);
    // True when text points into this string's own allocation.
    bool InBuffer(const char* text) const;

    char* data_;
    int length_ = 0;
    int capacity_ = 0;  // 0: data_ points at the shared empty text and owns nothing
};

CString operator+(const CString& left, const CString& right);

}  // namespace platform
