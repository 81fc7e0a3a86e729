#include "printer/PortNameToNumber.h"

#include <gtest/gtest.h>

namespace {

struct Row {
    const char* name;
    std::int16_t number;
};

TEST(PortNameToNumber, MapsTheTopDialogsNamesAndNothingElse) {
    const Row rows[] = {
        {"LPT1", 0x0480}, {"LPT2", 0x0481},  {"LPT3", 0x0482},  {"LPT4", 0x0504}, {"LPT0", 0x0504},
        {"LPT", 0x0504},  {"USB1", 0x0401},  {"USB9", 0x0409},  {"USB0", 0x0505}, {"USB", 0x0505},
        {"USBx", 0x0505}, {"COM1", 0x0503},  {"", 0x0503},      {"LP", 0x0503},   {"UXB1", 0x0503},
        {"lpt1", 0x0503}, {"LPT1:", 0x0480}, {"LPT12", 0x0480},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(PortNameToNumber(row.name), row.number) << row.name;
    }
}

// The tenth USB printer of the top dialog is a printer of its own, not the first one again.
TEST(PortNameToNumber, TheTenthUsbPrinterIsNotTheFirst) {
    EXPECT_EQ(PortNameToNumber("USB10"), 0x040A);
    EXPECT_NE(PortNameToNumber("USB10"), PortNameToNumber("USB1"));
    // Past the fourth character only "USB10" itself is read: the others keep their first digit.
    EXPECT_EQ(PortNameToNumber("USB11"), 0x0401);
    EXPECT_EQ(PortNameToNumber("USB100"), 0x0401);
}

}  // namespace
