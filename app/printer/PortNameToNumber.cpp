#include "printer/PortNameToNumber.h"

namespace {

constexpr std::int16_t kFirstParallel = 0x0480;
constexpr std::int16_t kFirstUsb = 0x0400;  // + k for USB printer k

}  // namespace

std::int16_t PortNameToNumber(std::string_view portName) {
    const auto at = [&](std::size_t index) { return index < portName.size() ? portName[index] : '\0'; };
    if (at(0) == 'L' && at(1) == 'P' && at(2) == 'T') {
        const char digit = at(3);
        return digit >= '1' && digit <= '3' ? static_cast<std::int16_t>(kFirstParallel + (digit - '1'))
                                            : printer::kPortUnknownParallel;
    }
    if (at(0) == 'U' && at(1) == 'S' && at(2) == 'B') {
        // The top dialog offers ten USB printers; the tenth must not be taken for the first, so
        // "USB10" (and only that) is read past its fourth character.
        if (portName == "USB10") {
            return kFirstUsb + 10;
        }
        const char digit = at(3);
        return digit >= '1' && digit <= '9' ? static_cast<std::int16_t>(kFirstUsb + (digit - '0'))
                                            : printer::kPortUnknownUsb;
    }
    return printer::kPortNoneOfTheKinds;
}
