#include "NumberArgument.h"

#include <cstdio>

namespace tolvane_cli {

std::optional<long> ParseNumber(const std::string& text, long lowest, long highest) {
    std::size_t at = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
        negative = text[at] == '-';
        ++at;
    }
    int base = 10;
    if (text.size() > at + 2 && text[at] == '0' && (text[at + 1] == 'x' || text[at + 1] == 'X')) {
        base = 16;
        at += 2;
    }
    if (at == text.size()) {
        return std::nullopt;
    }
    // Past this magnitude no accepted range reaches: stop before an overflow can happen.
    constexpr long kLargest = 1L << 30;
    long magnitude = 0;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        int digit = -1;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (base == 16 && c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (base == 16 && c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        }
        if (digit < 0) {
            return std::nullopt;
        }
        magnitude = magnitude * base + digit;
        if (magnitude > kLargest) {
            return std::nullopt;
        }
    }
    const long value = negative ? -magnitude : magnitude;
    if (value < lowest || value > highest) {
        return std::nullopt;
    }
    return value;
}

std::string Hex(long value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%02lX", static_cast<unsigned long>(value));
    return text;
}

}  // namespace tolvane_cli
