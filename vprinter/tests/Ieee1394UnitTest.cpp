// The printer's side of the maker's IEEE 1394 driver: what a host's requests get when they are
// malformed or name nothing the unit gave out. A well-behaved host's exchanges are the device-driver
// library's tests.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "PrinterTestSupport.h"
#include "vprinter/model/Ieee1394Unit.h"

namespace vprintertest {
namespace {

using Outcome = vprinter::Ieee1394Unit::Outcome;

constexpr std::uint32_t kLookUp = 0x22808A;
constexpr std::uint32_t kOpen = 0x22801A;
constexpr std::uint32_t kWrite = 0x228045;
constexpr std::uint32_t kRead = 0x22809A;
constexpr std::uint32_t kClose = 0x228020;
constexpr std::uint32_t kRelease = 0x2280AA;

Bytes LookUpBlock(const std::string& name) {
    Bytes block(56, 0x00);
    std::copy(name.begin(), name.end(), block.begin() + 1);
    return block;
}

Bytes Transfer(std::uint8_t handle, std::uint8_t length) {
    return {handle, 0, 0, 0, length, 0, 0, 0, 0, 0, 0, 0, 0x10, 0x27, 0, 0};
}

class Ieee1394UnitTest : public ::testing::Test {
protected:
    Outcome Ask(std::uint32_t code, const Bytes& input, Bytes* output = nullptr) {
        returned = 0;
        return unit.Request(code, input, output != nullptr ? output->data() : nullptr,
                            output != nullptr ? static_cast<std::uint32_t>(output->size()) : 0, &returned);
    }

    vprinter::VirtualPrinter printer{Profile("VK-572D"), "1394-1"};
    vprinter::Ieee1394Unit unit{printer.Core()};
    std::uint32_t returned = 0;
};

TEST_F(Ieee1394UnitTest, OnlyTheControlServiceIsFoundAndOnlyByAWholeBlock) {
    Bytes block = LookUpBlock("ORLEX-DATA");
    EXPECT_EQ(Ask(kLookUp, Bytes(16), &block), Outcome::Refused);
    Bytes unterminated(56, 'A');
    EXPECT_EQ(Ask(kLookUp, Bytes(16), &unterminated), Outcome::Refused);
    Bytes shortBlock(20, 0x00);
    EXPECT_EQ(Ask(kLookUp, Bytes(16), &shortBlock), Outcome::Refused);
    block = LookUpBlock("ORLEX-CTRL");
    ASSERT_EQ(Ask(kLookUp, Bytes(16), &block), Outcome::Done);
    EXPECT_EQ(block[0], 0x02);
    EXPECT_EQ(unit.HeldSockets(), 1u);
}

TEST_F(Ieee1394UnitTest, HandlesAndSocketsNotGivenOutAndShortBlocksAreRefused) {
    Bytes handle(4);
    EXPECT_EQ(Ask(kOpen, {0x02, 0, 0, 0}, &handle), Outcome::Refused);  // never looked up
    Bytes block = LookUpBlock("ORLEX-CTRL");
    ASSERT_EQ(Ask(kLookUp, Bytes(16), &block), Outcome::Done);
    EXPECT_EQ(Ask(kOpen, {0x02}, &handle), Outcome::Refused);
    ASSERT_EQ(Ask(kOpen, {0x02, 0, 0, 0}, &handle), Outcome::Done);
    const std::uint8_t h = handle[0];

    Bytes command = Text("st\x01");
    EXPECT_EQ(Ask(kWrite, Transfer(h, 3), &command), Outcome::Done);
    // A length beyond the bytes that came with the request, an unknown handle, a short block.
    EXPECT_EQ(Ask(kWrite, Transfer(h, 200), &command), Outcome::Refused);
    EXPECT_EQ(Ask(kWrite, Transfer(h + 1, 3), &command), Outcome::Refused);
    EXPECT_EQ(Ask(kRead, Bytes(8)), Outcome::Refused);
    EXPECT_EQ(Ask(kClose, {static_cast<std::uint8_t>(h + 1), 0, 0, 0}), Outcome::Refused);
    EXPECT_EQ(Ask(kRelease, {0x40, 0, 0, 0}), Outcome::Refused);
    EXPECT_EQ(Ask(0x228999, {}), Outcome::Unknown);

    // The command "st" with its one parameter byte completes across two writes.
    Bytes rest{0x00, 0x01};
    ASSERT_EQ(Ask(kWrite, Transfer(h, 2), &rest), Outcome::Done);
    ASSERT_EQ(Ask(kRead, Transfer(h, 0)), Outcome::Done);
    ASSERT_GT(returned, 0u);
    Bytes reply(returned);
    ASSERT_EQ(Ask(kRead, Transfer(h, static_cast<std::uint8_t>(reply.size())), &reply), Outcome::Done);
    EXPECT_EQ(std::string(reply.begin(), reply.end()).rfind("@BDC ST\r\n", 0), 0u);

    EXPECT_EQ(Ask(kClose, {h, 0, 0, 0}), Outcome::Done);
    EXPECT_EQ(Ask(kRelease, {0x02, 0, 0, 0}), Outcome::Done);
    EXPECT_EQ(unit.OpenChannels(), 0u);
    EXPECT_EQ(unit.HeldSockets(), 0u);
}

}  // namespace
}  // namespace vprintertest
