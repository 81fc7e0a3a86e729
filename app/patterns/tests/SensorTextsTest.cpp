#include <gtest/gtest.h>

#include "patterns/JobKinds.h"
#include "patterns/SensorTexts.h"

using namespace patterns;

namespace {

constexpr SensorExpectation kNothingChecked = {-1, -1, -1, -1, -1, -1};

}  // namespace

// Every bit tested, not assigned: one byte per sensor set alone, and the byte with all six set.
TEST(SensorStatusReport, NamesEachSensorsStateInBitOrder) {
    EXPECT_EQ(SensorStatusReportText(0x00),
              "Sensor Status:00(Hex)\r\n\r\n"
              "  CR home position\t: Outside\r\n"
              "  Front paper end\t: Paper out\r\n"
              "  Rear paper end\t: Paper out\r\n"
              "  Top paper end\t: Paper out\r\n"
              "  Release lever\t: Tractor\r\n"
              "  Platen gap\t: Nomal mode\r\n");
    EXPECT_EQ(SensorStatusReportText(0x3F),
              "Sensor Status:3f(Hex)\r\n\r\n"
              "  CR home position\t: Inside\r\n"
              "  Front paper end\t: Paper on\r\n"
              "  Rear paper end\t: Paper on\r\n"
              "  Top paper end\t: Paper on\r\n"
              "  Release lever\t: Friction\r\n"
              "  Platen gap\t: Copy mode\r\n");
    EXPECT_EQ(SensorStatusReportText(0x0C),
              "Sensor Status:0c(Hex)\r\n\r\n"
              "  CR home position\t: Outside\r\n"
              "  Front paper end\t: Paper out\r\n"
              "  Rear paper end\t: Paper on\r\n"
              "  Top paper end\t: Paper on\r\n"
              "  Release lever\t: Tractor\r\n"
              "  Platen gap\t: Nomal mode\r\n");
    // Bits 6 and 7 belong to no sensor; the byte is shown as read.
    EXPECT_EQ(SensorStatusReportText(0xC1).substr(0, 34), "Sensor Status:c1(Hex)\r\n\r\n  CR home");
}

TEST(SensorCheck, ListsOnlyTheCheckedSensorsThatDifferWithTheirActualState) {
    std::string text;
    EXPECT_TRUE(SensorCheckText(0x0C, *SensorGateOf(1), text));
    EXPECT_EQ(text, "NG Sensor (Status:0c(Hex))\r\n\n");

    EXPECT_FALSE(SensorCheckText(0x0C, *SensorGateOf(3), text));
    EXPECT_EQ(text,
              "NG Sensor (Status:0c(Hex))\r\n\n"
              "  Front paper end\t: Paper out\r\n"
              "  Rear paper end\t: Paper on\r\n"
              "  Top paper end\t\t: Paper on\r\n"
              "  Release lever\t\t: Tractor\r\n"
              "  Platen gap\t\t: Normal mode\r\n");

    EXPECT_FALSE(SensorCheckText(0x33, *SensorGateOf(16), text));
    EXPECT_EQ(text,
              "NG Sensor (Status:33(Hex))\r\n\n"
              "  CR home position\t: Inside\r\n"
              "  Platen gap\t\t: Copy mode\r\n");

    EXPECT_TRUE(SensorCheckText(0xFF, kNothingChecked, text));
}

TEST(JobKinds, BothItemTablesAndTheirEdges) {
    const int selector0[] = {-1, -1, 8, 0, 1, 3, 16, 20, 5, 6, 7, -1, 18, 19};
    const int selector1[] = {-1, -1, 1, 20, 3, 16, 22, 23, -1, -1, -1, -1};
    for (int item = 0; item < 14; ++item) {
        EXPECT_EQ(JobKindOf(0, item), selector0[item]) << item;
    }
    for (int item = 0; item < 12; ++item) {
        EXPECT_EQ(JobKindOf(1, item), selector1[item]) << item;
    }
    EXPECT_EQ(JobKindOf(0, 14), -1);
    EXPECT_EQ(JobKindOf(1, 12), -1);
    EXPECT_EQ(JobKindOf(0, -1), -1);
    EXPECT_EQ(JobKindOf(2, 4), -1);
    EXPECT_FALSE(SensorGateOf(5).has_value());
    EXPECT_EQ(*SensorGateOf(3), (SensorExpectation{0, 1, 0, 0, 1, 1}));
}
