// Where each command of the print data ends. Pure: bytes in, a length out. Every command the printer
// knows is framed by its documented length, so an unknown or unsupported command is skipped whole and
// its arguments are never printed as text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace vprinter::render {

struct CommandFrame {
    bool complete = false;   // false: the data ends inside the command
    std::size_t length = 0;  // the command's bytes, when complete
};

// The command at the front of data, whose first byte is ESC or FS.
CommandFrame FrameCommand(std::span<const std::uint8_t> data, bool twoByteEepromAddress);

// The layout of a bit image density of ESC '*'.
struct BitImageFormat {
    bool known = false;
    int bytesPerColumn = 3;
    int dotsPerInch = 60;
};
BitImageFormat BitImageFormatOf(std::uint8_t density);

// The factory command's payload size (after ESC '|' 0 nL nH) as the firmware reads it: known commands
// by their arguments and the printer's address form, whatever the length field says; others by the
// length field.
std::size_t FactoryPayloadSize(std::span<const std::uint8_t> payload, std::size_t lengthField,
                               bool twoByteEepromAddress);

}  // namespace vprinter::render
