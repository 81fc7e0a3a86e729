// The print modes whose bi-directional timing the printer corrects, and how a pass's data picks one.
//
// A print mode is a carriage speed. Each has a timing error of its own: dots fired while the carriage
// runs right to left land that many timing units off their place, unless the EEPROM holds the
// correction (one signed byte per mode at 0xA2 + mode row). One timing unit is 1/360 inch, one dot
// column at the finest density, which is one pixel of the page image.
//
// Which mode a run of data prints in (the mode flag is set by the factory command; 0 is normal
// printing, 1 the factory alignment printing of the adjustment patterns):
//
//   data                                        mode flag 0         mode flag 1
//   draft characters (ESC 'x' 0)                Draft               Draft
//   letter-quality characters (ESC 'x' 1)       LQ                  LQ
//   bit image 60, 72, 80 and 120 dpi (32, 33)   Draft               Bit Image
//   bit image 90 and 180 dpi (38, 39)           Bit Image           Bit Image
//   bit image 240 and 360 dpi (40)              LQ                  Bit Image
//
// In normal printing the carriage runs graphics at the speed of the text quality whose dot pitch they
// share; the factory flag holds every bit image at the bit-image speed, so that the bit-image bar shows
// that mode's timing alone.
#pragma once

#include <cstdint>

namespace vprinter::render {

enum class PrintMode : std::uint8_t {
    Draft = 0,          // row 0, "Mode 1"
    BitImage = 1,       // row 1, "Mode 2"
    LetterQuality = 2,  // row 2, "Mode 4"
};
inline constexpr int kPrintModes = 3;

enum class Quality : std::uint8_t { Draft, LetterQuality };

// The EEPROM address of the mode's stored correction (a signed byte).
inline constexpr int kFirstCorrectionAddress = 0xA2;
constexpr int CorrectionAddress(PrintMode mode) {
    return kFirstCorrectionAddress + static_cast<int>(mode);
}

// One timing unit in horizontal position units (1/1440 inch): 1/360 inch.
inline constexpr int kTimingUnit = 4;

PrintMode TextPrintMode(Quality quality);
PrintMode BitImagePrintMode(int dotsPerInch, std::uint8_t modeFlag);

const char* PrintModeName(PrintMode mode);

}  // namespace vprinter::render
