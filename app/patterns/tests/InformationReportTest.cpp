#include "PatternTestSupport.h"
#include "platform/Clock.h"

namespace {

// The EEPROM byte at the address, printed by the printer itself (identifier bytes 0x41 0x42).
Bytes PrintByte(int address) {
    return B({0x1B, 0x7C, 0x00, 0x06, 0x00, 0x41, 0x42, 0x01, 0xFE, 0x80, address});
}

patterns::PatternModel ReportModel(int usbSerialAddress) {
    patterns::PatternModel model = TestModel();
    model.usbSerialAddress = usbSerialAddress;
    model.customerAddresses = {0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28, -1};
    model.customerValues = {0x12, -1, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0};
    model.programName = "572D-EUR";
    model.eepromTitle = "EEP572D-V103";
    model.factorySetting = "Plant 2";
    model.beltNumber = "B-17";
    model.pcNumber = "PC-03";
    return model;
}

class InformationReport : public ::testing::Test {
protected:
    platform::VirtualClock clock_{platform::LocalTime{2026, 3, 5, 7, 4, 59}};
    platform::ScopedClock scopedClock_{clock_};
};

TEST_F(InformationReport, WithAUsbSerialAddressShowsSevenBytesSerialAndRom) {
    CPattern pattern(ReportModel(0xE0));
    EXPECT_TRUE(pattern.InformationReport("ABC123", "1.00"));
    const std::vector<Bytes> lines = Lines(Contents(pattern));
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[0], B({0x1B, 'x', 1, 0x1B, 'P'}) + TextNul("Program Name    : ") + Text("572D-EUR") +
                            Repeat(' ', 8) + Text("EEP572D-V103"));
    EXPECT_EQ(lines[1], TextNul("EEPROM          :               ") + TextNul("<<") + PrintByte(0x20) +
                            Text(" ") + PrintByte(0x21) + Text(" ") + PrintByte(0x22) + Text(" ") +
                            PrintByte(0x23) + Text(" ") + PrintByte(0x24) + Text(" ") + PrintByte(0x25) +
                            Text(" ") + PrintByte(0x26) + TextNul(">>"));
    EXPECT_EQ(lines[2], TextNul("Reference       :               ") + Text("<<12 -- 34 56 78 9A BC>>"));
    EXPECT_EQ(lines[3], TextNul("Factory Setting : ") + Text("Plant 2"));
    EXPECT_EQ(lines[4], TextNul("Print date      : ") + Text("05/03/2026  07:04"));
    EXPECT_EQ(lines[5], TextNul("Belt/PC No.     : ") + Text("B-17") + TextNul(" / ") + Text("PC-03"));
    EXPECT_EQ(lines[6], TextNul("USB S/No.       : ") + Text("ABC123"));
    EXPECT_EQ(lines[7], TextNul("ROM Ver.        : ") + Text("1.00"));
    EXPECT_EQ(lines[8], B({0x1B, 'x', 0}));
    EXPECT_EQ(lines[9], Bytes{});
}

TEST_F(InformationReport, WithoutAUsbSerialAddressShowsEightBytesAndLeavesTwoEmptyLines) {
    CPattern pattern(ReportModel(-1));
    EXPECT_TRUE(pattern.InformationReport("ABC123", "1.00"));
    const std::vector<Bytes> lines = Lines(Contents(pattern));
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[1], TextNul("EEPROM          :               ") + TextNul("<<") + PrintByte(0x20) +
                            Text(" ") + PrintByte(0x21) + Text(" ") + PrintByte(0x22) + Text(" ") +
                            PrintByte(0x23) + Text(" ") + PrintByte(0x24) + Text(" ") + PrintByte(0x25) +
                            Text(" ") + PrintByte(0x26) + Text(" ") + PrintByte(0x27) + TextNul(">>"));
    EXPECT_EQ(lines[2], TextNul("Reference       :               ") + Text("<<12 -- 34 56 78 9A BC DE>>"));
    EXPECT_EQ(lines[6], Bytes{});
    EXPECT_EQ(lines[7], Bytes{});
    EXPECT_EQ(lines[8], B({0x1B, 'x', 0}));
}

TEST_F(InformationReport, ReferenceOfTwoEntriesWithOneMissingValue) {
    patterns::PatternModel model = ReportModel(0xE0);
    model.customerAddresses = {0x20, 0x21, -1};
    model.customerValues = {0x12, -1};
    CPattern pattern(model);
    EXPECT_TRUE(pattern.InformationReport("", ""));
    EXPECT_EQ(Lines(Contents(pattern))[2], TextNul("Reference       :               ") + Text("<<12 -->>"));
}

TEST_F(InformationReport, ShortCustomerListsAndLongNamesNeverReachPastTheirEnds) {
    patterns::PatternModel model = ReportModel(-1);
    model.customerAddresses = {0x20, 0x21, 0x22};  // no -1
    model.customerValues = {0x01};                 // fewer values than addresses
    model.programName = "A-PROGRAM-NAME-LONGER";   // 21 characters: no padding
    CPattern pattern(model);
    EXPECT_TRUE(pattern.InformationReport("", ""));
    const std::vector<Bytes> lines = Lines(Contents(pattern));
    EXPECT_EQ(lines[0], B({0x1B, 'x', 1, 0x1B, 'P'}) + TextNul("Program Name    : ") +
                            Text("A-PROGRAM-NAME-LONGER") + Text("EEP572D-V103"));
    EXPECT_EQ(lines[1], TextNul("EEPROM          :               ") + TextNul("<<") + PrintByte(0x20) +
                            Text(" ") + PrintByte(0x21) + Text(" ") + PrintByte(0x22) + TextNul(">>"));
    EXPECT_EQ(lines[2], TextNul("Reference       :               ") + Text("<<01 -- -->>"));

    model.customerAddresses = {};
    CPattern empty(model);
    EXPECT_TRUE(empty.InformationReport("", ""));
    EXPECT_EQ(Lines(Contents(empty))[1],
              TextNul("EEPROM          :               ") + TextNul("<<") + TextNul(">>"));
    EXPECT_EQ(Lines(Contents(empty))[2], TextNul("Reference       :               ") + Text("<<>>"));
}

TEST_F(InformationReport, TwoByteModelsPrintTheEepromBytesWithTwoAddressBytes) {
    patterns::PatternModel model = ReportModel(-1);
    model.eepromAddressForm = protocol::factory::AddressForm::TwoByte;
    model.customerAddresses = {0x0120, -1};
    CPattern pattern(model);
    EXPECT_TRUE(pattern.InformationReport("", ""));
    EXPECT_EQ(Lines(Contents(pattern))[1],
              TextNul("EEPROM          :               ") + TextNul("<<") +
                  B({0x1B, 0x7C, 0x00, 0x07, 0x00, 0x41, 0x42, 0x01, 0xFE, 0x80, 0x20, 0x01}) +
                  TextNul(">>"));
}

}  // namespace
