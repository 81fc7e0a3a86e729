#include "PatternTestSupport.h"

#include <algorithm>

Bytes B(std::initializer_list<int> values) {
    Bytes bytes;
    for (const int value : values) {
        bytes.push_back(static_cast<std::uint8_t>(value));
    }
    return bytes;
}

Bytes Text(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

Bytes TextNul(std::string_view text) {
    Bytes bytes = Text(text);
    bytes.push_back(0);
    return bytes;
}

Bytes Repeat(std::uint8_t byte, int count) {
    return Bytes(static_cast<std::size_t>(std::max(0, count)), byte);
}

Bytes operator+(Bytes left, const Bytes& right) {
    left.insert(left.end(), right.begin(), right.end());
    return left;
}

Bytes Contents(const CVexilCommon& pattern) {
    return Bytes(pattern.Bytes().begin(), pattern.Bytes().end());
}

Bytes Head(const Bytes& bytes, std::size_t count) {
    return Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(std::min(count, bytes.size())));
}

Bytes Tail(const Bytes& bytes, std::size_t count) {
    return Bytes(bytes.end() - static_cast<std::ptrdiff_t>(std::min(count, bytes.size())), bytes.end());
}

int Occurrences(const Bytes& bytes, const Bytes& sequence) {
    int count = 0;
    auto at = bytes.begin();
    while ((at = std::search(at, bytes.end(), sequence.begin(), sequence.end())) != bytes.end()) {
        ++count;
        at += static_cast<std::ptrdiff_t>(sequence.size());
    }
    return count;
}

std::vector<Bytes> Lines(const Bytes& bytes) {
    const Bytes lineEnd = {0x0D, 0x0A};
    std::vector<Bytes> lines;
    auto start = bytes.begin();
    for (;;) {
        const auto end = std::search(start, bytes.end(), lineEnd.begin(), lineEnd.end());
        lines.emplace_back(start, end);
        if (end == bytes.end()) {
            break;
        }
        start = end + 2;
    }
    return lines;
}

patterns::PatternModel TestModel(int columns) {
    patterns::PatternModel model;
    model.firstIdByte = 0x41;
    model.secondIdByte = 0x42;
    model.columns = columns;
    model.usbSerialAddress = 0xE0;
    return model;
}

Bytes ModeFlag(int value) {
    return B({0x1B, 0x7C, 0x00, 0x06, 0x00, 0x41, 0x42, 0x03, 0xFC, 0x81, value});
}
