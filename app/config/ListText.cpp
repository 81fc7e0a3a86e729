#include "config/ListText.h"

#include <cstdio>

#include "config/NumberText.h"

namespace config {

namespace {

constexpr const char* kSeparators = "\t ,";

// Walks the numbers of a list text; parse reads one number at the given position.
template <class Value, class Parse>
std::vector<Value> ParseList(const std::string& text, const char* startSet, Parse parse) {
    std::vector<Value> values;
    std::string::size_type position = 0;
    while (true) {
        const std::string::size_type start = text.find_first_of(startSet, position);
        if (start == std::string::npos) {
            break;
        }
        values.push_back(parse(text, start));
        const std::string::size_type separator = text.find_first_of(kSeparators, start);
        if (separator == std::string::npos) {
            break;
        }
        position = separator + 1;
    }
    return values;
}

void TrimTrailingSpace(std::string& text) {
    const std::string::size_type end = text.find_last_not_of(" \t\r\n");
    text.erase(end == std::string::npos ? 0 : end + 1);
}

}  // namespace

std::vector<int> ParseIntList(const std::string& text) {
    return ParseList<int>(text, "-0123456789", [](const std::string& t, std::string::size_type start) {
        if (t.compare(start, 2, "0x") == 0) {
            return static_cast<int>(HexToUint32(t.c_str() + start + 2));
        }
        return DecimalToInt(t.c_str() + start);
    });
}

std::vector<double> ParseDoubleList(const std::string& text) {
    return ParseList<double>(text, "-0123456789.", [](const std::string& t, std::string::size_type start) {
        return TextToDouble(t.c_str() + start);
    });
}

// The texts grow with the list: a fixed buffer would cut long lists and lose their last numbers.
std::string FormatIntList(std::span<const int> values, bool trim) {
    std::string text;
    char number[32];
    for (int value : values) {
        std::snprintf(number, sizeof number, "% 3d ", value);
        text += number;
    }
    if (trim) {
        TrimTrailingSpace(text);
    }
    return text;
}

std::string FormatDoubleList(std::span<const double> values) {
    std::string text;
    for (double value : values) {
        text += DoubleToText(value);
        text += ' ';
    }
    TrimTrailingSpace(text);
    return text;
}

}  // namespace config
