#include "config/NumberText.h"
#include "protocol/HexDigit.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

namespace config {

namespace {

// The C library's isspace in the "C" locale, without its undefined behaviour for bytes above 0x7F.
bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

using protocol::HexDigit;

}  // namespace

int DecimalToInt(const char* text) {
    if (text == nullptr) {
        return 0;
    }
    const char* p = text;
    while (IsSpace(*p)) {
        ++p;
    }
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    // Accumulated as a negative number, whose range holds INT_MIN.
    long long value = 0;
    while (*p >= '0' && *p <= '9') {
        if (value > LLONG_MIN / 100) {
            value = value * 10 - (*p - '0');
        }
        ++p;
    }
    if (!negative) {
        value = -value;
    }
    if (value > INT_MAX) {
        return INT_MAX;
    }
    if (value < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

std::uint32_t HexToUint32(const char* text) {
    if (text == nullptr) {
        return 0;
    }
    const char* p = text;
    while (IsSpace(*p)) {
        ++p;
    }
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X') && HexDigit(p[2]) >= 0) {
        p += 2;
    }
    std::uint64_t value = 0;
    for (int digit = HexDigit(*p); digit >= 0; digit = HexDigit(*++p)) {
        value = value * 16 + static_cast<std::uint64_t>(digit);
        if (value > 0xFFFFFFFFu) {
            value = 0xFFFFFFFFu;
        }
    }
    auto result = static_cast<std::uint32_t>(value);
    return negative ? static_cast<std::uint32_t>(0u - result) : result;
}

double TextToDouble(const char* text) {
    if (text == nullptr) {
        return 0.0;
    }
    // Only the decimal form is taken: the C libraries differ on "0x1p3", "inf" and "nan", and the
    // files never hold them.
    const char* start = text;
    while (IsSpace(*start)) {
        ++start;
    }
    const char* end = start;
    if (*end == '+' || *end == '-') {
        ++end;
    }
    bool digits = false;
    for (; IsDigit(*end); ++end) {
        digits = true;
    }
    if (*end == '.') {
        for (++end; IsDigit(*end); ++end) {
            digits = true;
        }
    }
    if (!digits) {
        return 0.0;
    }
    if (*end == 'e' || *end == 'E') {
        const char* exponent = end + 1;
        if (*exponent == '+' || *exponent == '-') {
            ++exponent;
        }
        if (IsDigit(*exponent)) {
            for (end = exponent; IsDigit(*end); ++end) {
            }
        }
    }
    // Out-of-range values become +-HUGE_VAL or 0, never undefined behaviour; HUGE_VAL is kept finite.
    const std::string number(start, static_cast<std::size_t>(end - start));
    const double value = std::strtod(number.c_str(), nullptr);
    if (std::isinf(value)) {
        return std::copysign(std::numeric_limits<double>::max(), value);
    }
    return value;
}

std::string DoubleToText(double value) {
    if (std::isinf(value)) {
        value = std::copysign(std::numeric_limits<double>::max(), value);
    }
    char text[512];  // "%f" of the largest double takes 317 characters
    std::snprintf(text, sizeof text, "%f", value);
    if (std::isnan(value) || TextToDouble(text) == value) {
        return text;
    }
    // 17 significant digits always read back as the same double.
    for (int digits = 7; digits <= 17; ++digits) {
        std::snprintf(text, sizeof text, "%.*g", digits, value);
        if (TextToDouble(text) == value) {
            break;
        }
    }
    return text;
}

}  // namespace config
