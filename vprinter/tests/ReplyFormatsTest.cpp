// Each reply read the way every decoder of the program and its libraries reads it. The readers here
// restate those decoders' rules (key, offset, radix), not the printer's formatter.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "vprinter/model/ReplyFormats.h"

namespace {

using namespace vprinter;

// Two characters in front of the first ';' after the key.
std::string TwoBefore(const std::string& reply, const std::string& key) {
    const std::size_t at = reply.find(key);
    const std::size_t end = at == std::string::npos ? at : reply.find(';', at);
    return end == std::string::npos || end < 2 ? "" : reply.substr(end - 2, 2);
}

// From `offset` after the key up to the next ';'.
std::string From(const std::string& reply, const std::string& key, std::size_t offset) {
    const std::size_t at = reply.find(key);
    if (at == std::string::npos) {
        return "";
    }
    const std::size_t end = reply.find(';', at);
    return reply.substr(at + offset, end - at - offset);
}

int Hex(const std::string& two) {
    return static_cast<int>(std::strtol(two.c_str(), nullptr, 16));
}
int Decimal(const std::string& two) {
    return static_cast<int>(std::strtol(two.c_str(), nullptr, 10));
}
std::string After(const std::string& reply, const std::string& key, std::size_t count) {
    const std::size_t at = reply.find(key);
    return at == std::string::npos ? "" : reply.substr(at + key.size(), count);
}

TEST(ReplyFormats, EepromValueAtOffsetsFourteenFifteenAndBeforeTheSemicolon) {
    for (int address : {0x00, 0xA2, 0xEE, 0x1FF}) {
        const std::string reply = EepromText(address, 0xA5);
        EXPECT_EQ(reply.substr(14, 2), "A5") << reply;
        EXPECT_EQ(TwoBefore(reply, "EE"), "A5") << reply;
    }
}

TEST(ReplyFormats, StatusReadsTheSameAsHexadecimalAndAsDecimal) {
    const std::string ready = StatusText({4, 0, 1, {}});
    EXPECT_EQ(ready.rfind("@BDC ST\r\n", 0), 0u);
    EXPECT_EQ(Hex(After(ready, "ST:", 2)), 4);
    EXPECT_EQ(Decimal(After(ready, "ST:", 2)), 4);
    EXPECT_EQ(Hex(After(ready, "ER:", 2)), 0);
    EXPECT_EQ(Hex(After(ready, "TP:", 2)), 1);
    const std::string paperOut = StatusText({0, 6, 1, {}});
    EXPECT_EQ(Hex(After(paperOut, "ER:", 2)), 6);
    EXPECT_EQ(Decimal(After(paperOut, "ER:", 2)), 6);
    // Nothing in a status reply may read as an answer word, and the first twelve bytes must not
    // look like the binary form.
    EXPECT_EQ(ready.find("NA"), std::string::npos);
    EXPECT_EQ(ready.find("OK"), std::string::npos);
    EXPECT_EQ(ready.substr(0, 12).find("ST2"), std::string::npos);
    // IQ of eight characters: four values, the other three absent.
    EXPECT_EQ(From(ready, "IQ:", 3).size(), 8u);
    EXPECT_EQ(From(ready, "TC:", 3), "0");
    EXPECT_EQ(From(ready, "WR:", 3), "");
}

// The text form carries one byte per group as two hexadecimal digits: every error code the
// language texts name (0 to 30) reads back as itself in the status reader.
TEST(ReplyFormats, StatusGroupsAreHexadecimalBytes) {
    for (int code = 0; code <= 30; ++code) {
        const std::string reply = StatusText({0, code, 1, {}});
        EXPECT_EQ(Hex(After(reply, "ER:", 2)), code) << reply;
    }
    EXPECT_EQ(After(StatusText({0, 10, 1, {}}), "ER:", 2), "0A");
    EXPECT_EQ(After(StatusText({0, 30, 1, {}}), "ER:", 2), "1E");
    EXPECT_EQ(After(StatusText({19, 0, 1, {}}), "ST:", 2), "13");
    EXPECT_EQ(After(StatusText({0, 300, 1, {}}), "ER:", 2), "FF");
}

TEST(ReplyFormats, WarningsAreDecimalCodePairs) {
    const std::string reply = StatusText({4, 0, 1, {10, 12}});
    EXPECT_EQ(From(reply, "WR:", 3), "1012");
}

// The binary form, converted as the device-driver library does it, gives the same fields.
TEST(ReplyFormats, BinaryStatusConvertsToTheSameFields) {
    const std::vector<std::uint8_t> block = StatusBinary({0, 6, 1, {}});
    ASSERT_GE(block.size(), 12u);
    EXPECT_NE(std::string(block.begin(), block.begin() + 10).find("ST2"), std::string::npos);
    const std::size_t length = block[10] | (block[11] << 8);
    EXPECT_EQ(length, block.size());
    std::string text = "@BDC ST\n\r";
    const char* names[] = {"", "ST:", "ER:", "TP:", "WR:"};
    for (std::size_t at = 12; at < length; at += 2 + block[at + 1]) {
        ASSERT_GE(block[at], 1);
        ASSERT_LE(block[at], 4);
        text += names[block[at]];
        for (std::size_t i = 0; i < block[at + 1]; ++i) {
            char digits[8];
            std::snprintf(digits, sizeof digits, "%02d", block[at + 2 + i]);
            text += digits;
        }
        text += ";";
    }
    EXPECT_EQ(text, "@BDC ST\n\rST:00;ER:06;TP:01;WR:;");
}

TEST(ReplyFormats, ProductionRepliesByTheirKeys) {
    EXPECT_EQ(Hex(TwoBefore(SensorsText(0x0C), "SS")), 0x0C);
    EXPECT_EQ(From(RomVersionText("1.02"), "VR", 3), "1.02");
    EXPECT_EQ(Hex(TwoBefore(FlashText(0x3F), "BZ")), 0x3F);
    EXPECT_EQ(Hex(From(CsicText(0x03, 0x7E), "IC", 5)), 0x7E);
    EXPECT_EQ(Hex(TwoBefore(CsicText(0x03, 0x7E), "IC")), 0x7E);
    EXPECT_EQ(From(TimerText({2026, 3, 4, 5, 6, 7}), "TI", 2), "20260304050607");
    EXPECT_EQ(AcknowledgeText().substr(AcknowledgeText().find("AK"), 2), "AK");
    EXPECT_EQ(From(HeadTemperatureText(31), "HT", 3), "31");
    EXPECT_EQ(From(RemoteRomVersionText("1.00"), "VI", 3), "1.00");
}

TEST(ReplyFormats, ControlWordsAndTheDeviceId) {
    EXPECT_EQ(ControlWordText("rs", "OK"), "rs:OK;");
    EXPECT_NE(ControlWordText("st", "NA").find("st:NA"), std::string::npos);
    const std::string id = DeviceIdText("VK-572D");
    EXPECT_EQ(From(id, "MDL:", 4), "VK-572D");
    EXPECT_EQ(From(id, "MFG:", 4), "ORLEX");
    EXPECT_EQ(From(id, "DES:", 4), "ORLEX VK-572D");
    EXPECT_NE(id.find("D4"), std::string::npos);
    EXPECT_EQ(id.find("SPC"), std::string::npos);
}

}  // namespace
