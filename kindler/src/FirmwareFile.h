// Reads the firmware file the technician chose and checks it the way the printer will, so that a
// wrong file is named before anything goes to the printer. Never reads more than the largest image
// the printer takes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "protocol/FirmwareImage.h"

namespace kindler {

struct FirmwareFile {
    enum class Result { Ok, Unreadable, NotAnImage };
    Result result = Result::Unreadable;
    protocol::firmware::ImageFault fault = protocol::firmware::ImageFault::None;  // NotAnImage
    protocol::firmware::ImageHeader header;                                       // Ok
    std::vector<std::uint8_t> image;                                              // Ok: the whole file
};

FirmwareFile ReadFirmwareFile(const std::string& path);

// What is wrong with a file, for the technician.
std::string DescribeFault(protocol::firmware::ImageFault fault);

}  // namespace kindler
