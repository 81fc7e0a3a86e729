#include "printer/BidirectionalValues.h"

#include <cstdint>
#include <cstdio>

namespace printer {
namespace {

struct ModeName {
    const char* name;
    int number;
};

constexpr ModeName kModeNames[] = {
    {"High Speed Draft", 0}, {"Draft", 1}, {"Bit Image", 2}, {"LQ", 4}, {"NLQ", 4},
};

}  // namespace

int BidirectionalModeNumber(const std::string& modeName) {
    for (const ModeName& mode : kModeNames) {
        if (modeName == mode.name) {
            return mode.number;
        }
    }
    return -1;
}

std::string BidirectionalRowCaption(const std::string& modeName) {
    const int number = BidirectionalModeNumber(modeName);
    // The name comes from a profile: the length is the name's own plus the fixed part.
    std::string caption(modeName.size() + 32, '\0');
    const int written =
        std::snprintf(caption.data(), caption.size(), "%s Mode(Mode%d)", modeName.c_str(), number);
    caption.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
    return caption;
}

std::optional<int> ReadBidirectionalValue(IEepromRW* eeprom, int row) {
    if (eeprom == nullptr || row < 0 || row >= kBidirectionalRows) {
        return std::nullopt;
    }
    std::uint8_t stored = 0;
    if (eeprom->ReadByte(kBidirectionalFirstAddress + row, &stored) != 1) {
        return std::nullopt;
    }
    return static_cast<std::int8_t>(stored);
}

}  // namespace printer
