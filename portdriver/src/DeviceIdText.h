// The IEEE 1284 device ID as text: pure functions over the bytes a port delivered, no I/O.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace wirex {

// The text of a reply: from its first byte, or from its third when the port delivers the two-byte
// big-endian length in front (USB printers on Windows and Linux, the 1284 nibble-mode read), up to the
// first NUL or the end of the reply. Without the skip a USB device ID shorter than 256 bytes would read
// as empty, since its length begins with 0x00.
std::string_view DeviceIdText(const std::uint8_t* reply, std::uint32_t received, bool lengthPrefixed);

// True when "D4" occurs anywhere in the text: the printer speaks the IEEE 1284.4 packet transport.
bool AnnouncesD4(std::string_view text);

// The model: the text after "MDL:" up to the next ';'. None when "MDL:" is missing, no ';' follows, or
// the name is empty or longer than maxLength.
std::optional<std::string_view> ModelName(std::string_view text, std::size_t maxLength);

}  // namespace wirex
