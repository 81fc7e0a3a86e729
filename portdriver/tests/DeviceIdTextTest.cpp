#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

#include "DeviceIdText.h"

namespace wirex {
namespace {

std::string_view Text(const std::string& reply, bool prefixed) {
    return DeviceIdText(reinterpret_cast<const std::uint8_t*>(reply.data()),
                        static_cast<std::uint32_t>(reply.size()), prefixed);
}

TEST(DeviceIdText, SkipsTheLengthOnlyWhereThePortDeliversIt) {
    const std::string prefixed(
        "\x00\x1A"
        "MFG:VK;MDL:572D;CMD:D4;",
        26);
    EXPECT_EQ(Text(prefixed, true), "MFG:VK;MDL:572D;CMD:D4;");
    // Read from the first byte, the same reply is empty: its length begins with 0x00.
    EXPECT_EQ(Text(prefixed, false), "");
    EXPECT_EQ(Text("MFG:VK;MDL:572D;", false), "MFG:VK;MDL:572D;");
    // A length above 255 does not start with a NUL, but is still no part of the text.
    EXPECT_EQ(Text(std::string("\x01\x02MDL:X;", 8), true), "MDL:X;");
}

TEST(DeviceIdText, StopsAtTheFirstNulAndNeverReadsPastTheReply) {
    EXPECT_EQ(Text(std::string("MDL:A;\0MDL:B;", 13), false), "MDL:A;");
    EXPECT_EQ(Text(std::string("\x00", 1), true), "");
    EXPECT_EQ(Text("", true), "");
    EXPECT_EQ(DeviceIdText(nullptr, 10, false), "");
}

TEST(ModelName, IsTheTextAfterMdlUpToTheNextSemicolon) {
    EXPECT_EQ(ModelName("MFG:VK;MDL:572;CMD:D4;", 1024), std::optional<std::string_view>("572"));
    EXPECT_EQ(ModelName("MDL:VK-2240II;", 1024), std::optional<std::string_view>("VK-2240II"));
    EXPECT_EQ(ModelName("MFG:VK;CMD:D4;", 1024), std::nullopt);  // no MDL:
    EXPECT_EQ(ModelName("MFG:VK;MDL:572", 1024), std::nullopt);  // no ';' after it
    EXPECT_EQ(ModelName("MDL:;", 1024), std::nullopt);           // empty name
    EXPECT_EQ(ModelName("MDL:ABCD;", 3), std::nullopt);          // longer than allowed
    EXPECT_EQ(ModelName("MDL:ABC;", 3), std::optional<std::string_view>("ABC"));
    EXPECT_EQ(ModelName("MDL", 1024), std::nullopt);
}

TEST(AnnouncesD4, FindsD4Anywhere) {
    EXPECT_TRUE(AnnouncesD4("MFG:VK;CMD:VXPRINT2,D4;"));
    EXPECT_TRUE(AnnouncesD4("D4"));
    EXPECT_FALSE(AnnouncesD4("MFG:VK;CMD:VXPRINT;"));
    EXPECT_FALSE(AnnouncesD4("D 4"));
}

}  // namespace
}  // namespace wirex
