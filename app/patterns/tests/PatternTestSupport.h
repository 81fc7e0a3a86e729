// Byte spelling, model records and a message recorder for the pattern tests. Expected bytes are
// written out by hand from the command tables, never produced by the builders under test.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "patterns/CPattern.h"
#include "patterns/PatternModel.h"
#include "testsupport/MessageRecorder.h"

using Bytes = std::vector<std::uint8_t>;

Bytes B(std::initializer_list<int> values);
// The characters of a text, without its terminating NUL.
Bytes Text(std::string_view text);
// The characters of a text and the NUL after them.
Bytes TextNul(std::string_view text);
Bytes Repeat(std::uint8_t byte, int count);
Bytes operator+(Bytes left, const Bytes& right);

Bytes Contents(const CVexilCommon& pattern);
Bytes Head(const Bytes& bytes, std::size_t count);
Bytes Tail(const Bytes& bytes, std::size_t count);
// How often the byte sequence occurs, without overlaps.
int Occurrences(const Bytes& bytes, const Bytes& sequence);
// The bytes split at every CR LF; the text after the last CR LF is the last element.
std::vector<Bytes> Lines(const Bytes& bytes);

// Identifier bytes 0x41 0x42, one-byte addressing, a USB serial address and the given width.
patterns::PatternModel TestModel(int columns = 80);

// The factory command "set mode flag" for identifier bytes 0x41 0x42.
Bytes ModeFlag(int value);

using testsupport::MessageRecorder;
