#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "config/ListText.h"

namespace {

TEST(ListParserTest, IntLists) {
    struct Case {
        const char* text;
        std::vector<int> numbers;
    } const cases[] = {
        {"-12 12", {-12, 12}},
        {"0x1F,3", {31, 3}},
        {"1,2,,3", {1, 2, 3}},
        {"1\t2 ,3", {1, 2, 3}},
        {"", {}},
        {"no digits here", {}},
        {"0X1F 2", {0, 2}},  // only "0x" starts a hexadecimal number
        {"0x", {0}},
        {"0xFFFFFFFF", {-1}},
        {"-0x10", {0}},   // a sign before "0x" is read as a decimal number
        {"- 5", {0, 5}},  // a lone '-' starts a number that has no digits
        {"12abc 3", {12, 3}},
        {"1;2", {1}},  // ';' separates nothing: the list ends with the text after the last separator
        {"x1 y2", {1, 2}},
        {"4294967296 -4294967296", {2147483647, -2147483647 - 1}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(config::ParseIntList(c.text), c.numbers) << '"' << c.text << '"';
    }
}

TEST(ListParserTest, DoubleLists) {
    struct Case {
        const char* text;
        std::vector<double> numbers;
    } const cases[] = {
        {"1.5 -2", {1.5, -2.0}},
        {".5,3", {0.5, 3.0}},
        {"1e3 2E-1", {1000.0, 0.2}},
        {"0x10", {0.0}},  // no hexadecimal form
        {"abc", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(config::ParseDoubleList(c.text), c.numbers) << '"' << c.text << '"';
    }
}

TEST(ListParserTest, Formats) {
    const std::vector<int> four{0, 0, 0, 0};
    EXPECT_EQ(config::FormatIntList(four, true), "  0   0   0   0");
    EXPECT_EQ(config::FormatIntList(four, false), "  0   0   0   0 ");
    const std::vector<int> mixed{-12, 12, 255, -1000};
    EXPECT_EQ(config::FormatIntList(mixed, true), "-12  12  255 -1000");
    EXPECT_EQ(config::FormatIntList({}, true), "");
    const std::vector<double> reals{0.25, -3};
    EXPECT_EQ(config::FormatDoubleList(reals), "0.250000 -3.000000");
    // Where "%f" would lose the value, the shortest text that keeps it; infinity cannot be written.
    const std::vector<double> small{1e-7, 0.1, -std::numeric_limits<double>::infinity()};
    const std::string text = config::FormatDoubleList(small);
    EXPECT_EQ(text.substr(0, 15), "1e-07 0.100000 ");
    EXPECT_EQ(config::ParseDoubleList(text),
              (std::vector<double>{1e-7, 0.1, -std::numeric_limits<double>::max()}));
}

TEST(ListParserTest, LongListsAreWrittenWhole) {
    std::vector<int> numbers(200, -123);
    const std::string text = config::FormatIntList(numbers, true);
    EXPECT_EQ(text.size(), 200u * 5 - 1);
    EXPECT_EQ(config::ParseIntList(text), numbers);
}

}  // namespace
