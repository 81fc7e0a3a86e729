#include "printer/PortNameToNumber.h"

#include "portselect/PortNumbers.h"

std::int16_t PortNameToNumber(std::string_view portName) {
    const auto at = [&](std::size_t index) { return index < portName.size() ? portName[index] : '\0'; };
    if (at(0) == 'L' && at(1) == 'P' && at(2) == 'T') {
        const char digit = at(3);
        return digit >= '1' && digit <= '3' ? portselect::ParallelPort(digit - '0')
                                            : printer::kPortUnknownParallel;
    }
    if (at(0) == 'U' && at(1) == 'S' && at(2) == 'B') {
        // The top dialog offers ten USB printers; the tenth must not be taken for the first, so
        // "USB10" (and only that) is read past its fourth character.
        if (portName == "USB10") {
            return portselect::UsbPort(10);
        }
        const char digit = at(3);
        return digit >= '1' && digit <= '9' ? portselect::UsbPort(digit - '0') : printer::kPortUnknownUsb;
    }
    return printer::kPortNoneOfTheKinds;
}
