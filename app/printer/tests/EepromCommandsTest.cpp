// The EEPROM requests, byte for byte.
#include "printer/EepromCommands.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

template <std::size_t N>
std::vector<std::uint8_t> Bytes(const std::array<std::uint8_t, N>& bytes) {
    return {bytes.begin(), bytes.end()};
}

TEST(EepromCommands, ReadAndWriteRequests) {
    EXPECT_EQ(Bytes(printer::eeprom::ReadRequest(0x57, 0x2D, 0xA2)),
              (std::vector<std::uint8_t>{0x1B, 0x40, 0x1B, 0x7C, 0x00, 0x06, 0x00, 0x57, 0x2D, 0x10, 0xEF,
                                         0x08, 0xA2}));
    EXPECT_EQ(Bytes(printer::eeprom::WriteRequest(0x57, 0x2D, 0xFF, 0x00)),
              (std::vector<std::uint8_t>{0x18, 0x18, 0x1B, 0x40, 0x1B, 0x7C, 0x00, 0x07, 0x00, 0x57, 0x2D,
                                         0x04, 0xFB, 0x02, 0xFF, 0x00}));
}

TEST(EepromCommands, DumpPreambles) {
    EXPECT_EQ(Bytes(printer::eeprom::DumpPreamble()),
              (std::vector<std::uint8_t>{0x1B, 0x53, 0x1B, 0x1B, 0x53, 0x1C, 0x1B, 0x40, 0x1C, 0x2E, 0x18,
                                         0x1B, 0x78, 0x30}));
    EXPECT_EQ(Bytes(printer::eeprom::DumpModePreamble(0x12, 0x34)),
              (std::vector<std::uint8_t>{0x1B, 0x7C, 0x00, 0x06, 0x00, 0x12, 0x34, 0x03, 0xFC, 0x81, 0x00}));
}

}  // namespace
