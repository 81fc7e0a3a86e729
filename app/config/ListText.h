// The number lists of the configuration files: "-12 12", "1, 2, 3", "0x1F,3".
//
// Reading: a number starts at the next character of "-0123456789" ("-0123456789." for doubles); "0x"
// there starts a hexadecimal int. After each number the reader moves behind the next tab, space or
// comma that follows the number's start, and stops when there is none. Other characters between the
// numbers are skipped, so a text without digits gives an empty list.
//
// Writing: ints as "% 3d " each, doubles as "%f " each (in the longer form of DoubleToText where
// "%f" would lose the value).
#pragma once

#include <span>
#include <string>
#include <vector>

namespace config {

std::vector<int> ParseIntList(const std::string& text);
std::vector<double> ParseDoubleList(const std::string& text);

// The elements, each formatted as "% 3d " (doubles as DoubleToText and a blank), with the trailing
// white space removed when trim.
std::string FormatIntList(std::span<const int> values, bool trim);
std::string FormatDoubleList(std::span<const double> values);

}  // namespace config
