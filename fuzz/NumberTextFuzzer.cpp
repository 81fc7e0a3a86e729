// The number and list readers of the configuration texts, on any text.
//
// Properties: the integer readers agree with the C library's strtoll/strtoull where those do not
// overflow; a double read is finite; every number and list written reads back as the same value.
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "config/ListText.h"
#include "config/MenuTables.h"
#include "config/NumberText.h"

namespace {

void CheckDecimal(const std::string& text) {
    const int value = config::DecimalToInt(text.c_str());
    errno = 0;
    const long long reference = std::strtoll(text.c_str(), nullptr, 10);
    if (errno == 0) {
        const long long clamped = std::min<long long>(std::max<long long>(reference, INT_MIN), INT_MAX);
        FUZZ_CHECK(value == clamped, fuzz::Printable(text) + " reads as " + std::to_string(value) +
                                         ", strtoll gives " + std::to_string(reference));
    }
    FUZZ_CHECK(config::ItemNumber(text) == value, "item numbers read like decimal numbers");
}

void CheckHexadecimal(const std::string& text) {
    const std::uint32_t value = config::HexToUint32(text.c_str());
    errno = 0;
    const unsigned long long reference = std::strtoull(text.c_str(), nullptr, 16);
    // strtoull negates a "-" number modulo 2^64; take the magnitude back to apply the 32-bit rule.
    std::size_t start = text.find_first_not_of(" \t\n\v\f\r");
    const bool negative = start != std::string::npos && text[start] == '-';
    const unsigned long long magnitude = negative ? 0ull - reference : reference;
    if (errno == 0 && magnitude <= 0xFFFFFFFFull) {
        const auto expected = static_cast<std::uint32_t>(negative ? 0u - static_cast<std::uint32_t>(magnitude)
                                                                  : static_cast<std::uint32_t>(magnitude));
        FUZZ_CHECK(value == expected, fuzz::Printable(text) + " reads as " + std::to_string(value) +
                                          ", strtoull gives " + std::to_string(expected));
    }
}

void CheckDouble(const std::string& text) {
    const double value = config::TextToDouble(text.c_str());
    FUZZ_CHECK(std::isfinite(value), fuzz::Printable(text) + " reads as a double that is not finite");
    const std::string written = config::DoubleToText(value);
    FUZZ_CHECK(config::TextToDouble(written.c_str()) == value,
               fuzz::Printable(text) + " is written as " + written + ", which reads back otherwise");
}

void CheckLists(const std::string& text) {
    const std::vector<int> ints = config::ParseIntList(text);
    FUZZ_CHECK(ints.size() <= text.size(), "more numbers than characters");
    for (const bool trim : {true, false}) {
        const std::string written = config::FormatIntList(ints, trim);
        FUZZ_CHECK(config::ParseIntList(written) == ints,
                   fuzz::Printable(text) + " is written as " + written + ", which reads back otherwise");
    }
    const std::vector<double> reals = config::ParseDoubleList(text);
    for (const double real : reals) {
        FUZZ_CHECK(std::isfinite(real), fuzz::Printable(text) + " gives a double that is not finite");
    }
    const std::string written = config::FormatDoubleList(reals);
    FUZZ_CHECK(config::ParseDoubleList(written) == reals,
               fuzz::Printable(text) + " is written as " + written + ", which reads back otherwise");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The readers take C strings: the text ends at its first NUL.
    std::string text(reinterpret_cast<const char*>(data), size);
    text.erase(std::min(text.find('\0'), text.size()));
    CheckDecimal(text);
    CheckHexadecimal(text);
    CheckDouble(text);
    CheckLists(text);
    return 0;
}
