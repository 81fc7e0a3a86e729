// Number conversions of the configuration texts, with the results of the C library's atoi, "%x" and
// atof on well-formed input and a defined result on any other: no undefined behaviour on overflow.
#pragma once

#include <cstdint>
#include <string>

namespace config {

// Leading white space, an optional sign, decimal digits up to the first other character; 0 without
// digits. Values beyond the int range are clamped to it.
int DecimalToInt(const char* text);

// Leading white space, an optional sign, an optional "0x" or "0X", hexadecimal digits up to the first
// other character; 0 without digits. Values beyond 32 bits are clamped to 0xFFFFFFFF; a minus sign
// negates modulo 2^32, as "%x" does.
std::uint32_t HexToUint32(const char* text);

// The longest leading decimal floating-point number (sign, digits, point, exponent), as atof reads it
// in the "C" locale; 0 without one. Hexadecimal, "inf" and "nan" forms read as 0. A number beyond the
// range of a double reads as the largest finite double of its sign: the files have no way to write
// infinity, so a value read must stay one that can be written back.
double TextToDouble(const char* text);

// The text a double is written as: "%f" (1.500000), or, when "%f" would not read back as the same
// value (1e-7, 1e-310), the shortest "%g" form that does. Infinities are written as the largest finite
// double of their sign, which is what such a text reads back as.
std::string DoubleToText(double value);

}  // namespace config
