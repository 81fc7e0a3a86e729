// .eep files: the raw EEPROM image as 256 little-endian signed 32-bit integers, one per address from
// 0 upwards, no header and no checksum (1024 bytes). A technician keeps a printer's calibration in
// one before work that may destroy it, so a save never damages a file already there and a restore
// takes nothing but a whole image.
#pragma once

#include <cstdint>
#include <string>

#include "printer/EepromImage.h"

namespace printer {

inline constexpr std::uint32_t kEepFileSize = kEepromImageEntries * 4;

enum class EepFileResult {
    Ok,
    CannotOpen,   // missing, a folder, or not readable
    WrongSize,    // not exactly kEepFileSize bytes: not an image of this EEPROM
    CannotWrite,  // the image is not (wholly) on disk; a file that was there is unchanged
};

// Writes the image beside the target under a temporary name and moves it into place only when all
// of it is written; a read-only target or a folder of that name is refused. Any failure leaves
// whatever was at path as it was.
EepFileResult SaveEepFile(const std::string& path, const EepromImage& image);

// Reads a whole image; entries outside 0 to 255 come back kNotRead, so they are never written. On
// any result but Ok the image is left as it was.
EepFileResult LoadEepFile(const std::string& path, EepromImage* image);

}  // namespace printer
