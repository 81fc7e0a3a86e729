// The session against the printer model in process: the conversation the program holds, and the
// printer's faults on demand.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "ChannelSession.h"
#include "ModelLink.h"
#include "chanlink/ChanLink.h"
#include "platform/Clock.h"
#include "vprinter/model/ControlVerb.h"
#include "vprinter/model/ModelProfile.h"

namespace chanlinktest {
namespace {

namespace status = chanlink::status;

vprinter::ModelProfile LoadProfile() {
    vprinter::ModelProfile profile;
    std::string error;
    EXPECT_TRUE(vprinter::LoadModelProfile("VK-572D", &profile, &error)) << error;
    return profile;
}

class AgainstThePrinter : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(printer.Open());
        code1 = printer.Core().Profile().commandCode[0];
        code2 = printer.Core().Profile().commandCode[1];
    }
    void Control(const std::string& words) {
        ASSERT_TRUE(vprinter::ApplyControl(printer, words).ok) << words;
    }

    platform::VirtualClock clock;
    platform::ScopedClock useClock{clock};
    vprinter::VirtualPrinter printer{LoadProfile(), "USB1"};
    ModelLink link{printer};
    chanlink::ChannelSession session{link};
    std::uint8_t cancel = 0;
    std::uint8_t code1 = 0;
    std::uint8_t code2 = 0;
};

TEST_F(AgainstThePrinter, ReadsTheWholeEepromInOneNegotiationAndLeavesPacketMode) {
    ASSERT_EQ(session.Negotiate(&cancel), status::kSuccess);
    EXPECT_TRUE(printer.InPacketMode());
    session.SetCommandCode(code1, code2);
    for (int address = 0; address < 256; ++address) {
        std::uint8_t value = 0;
        ASSERT_EQ(session.ReadEeprom(static_cast<std::uint32_t>(address), &value, &cancel), status::kSuccess)
            << address;
        std::uint8_t stored = 0;
        ASSERT_TRUE(printer.Core().EepromImage().Read(address, &stored));
        ASSERT_EQ(value, stored) << address;
    }
    EXPECT_EQ(session.Terminate(&cancel), status::kSuccess);
    EXPECT_FALSE(printer.InPacketMode());
    // And the next negotiation starts afresh.
    EXPECT_EQ(session.Negotiate(&cancel), status::kSuccess);
}

TEST_F(AgainstThePrinter, AnotherModelsCommandCodeIsRefused) {
    ASSERT_EQ(session.Negotiate(&cancel), status::kSuccess);
    session.SetCommandCode(static_cast<std::uint8_t>(code1 ^ 0xFF), code2);
    std::uint8_t value = 0;
    EXPECT_EQ(session.ReadEeprom(0x10, &value, &cancel), status::kRefused);
}

TEST_F(AgainstThePrinter, StatusReplyCarriesTheFieldsTheReaderParses) {
    Control("paper-out=1");
    ASSERT_EQ(session.Negotiate(&cancel), status::kSuccess);
    std::array<char, 1024> buffer;
    ASSERT_EQ(session.GetStatusReply(buffer.data(), &cancel), status::kSuccess);
    const std::string text(buffer.data());
    EXPECT_EQ(text.rfind("@BDC ST\r\n", 0), 0u);
    EXPECT_NE(text.find("ST:00;"), std::string::npos);
    EXPECT_NE(text.find("ER:06;"), std::string::npos);
}

TEST_F(AgainstThePrinter, DataChannelCarriesAnEepromWriteAndAProductionAnswer) {
    ASSERT_EQ(session.Negotiate(&cancel), status::kSuccess);
    session.SetCommandCode(code1, code2);
    const std::uint8_t write[] = {0x18, 0x18,  0x1B,  0x40, 0x1B, 0x7C, 0x00, 0x07,
                                  0x00, code1, code2, 0x04, 0xFB, 0x02, 0xA3, 0x3C};
    ASSERT_EQ(session.SendData(write, sizeof write, &cancel), status::kSuccess);
    std::uint8_t value = 0;
    ASSERT_EQ(session.ReadEeprom(0xA3, &value, &cancel), status::kSuccess);
    EXPECT_EQ(value, 0x3C);

    const std::uint8_t romVersion[] = {0x1B, 0x7C, 0x00, 0x05, 0x00, code1, code2, 0x21, 0xDE, 0x90};
    ASSERT_EQ(session.SendData(romVersion, sizeof romVersion, &cancel), status::kSuccess);
    std::array<std::uint8_t, 1024> buffer{};
    std::uint32_t received = 0;
    ASSERT_EQ(session.ReceiveData(buffer.data(), &received), status::kSuccess);
    EXPECT_EQ(std::string(buffer.begin(), buffer.begin() + received), "VR:1.00;");
}

TEST_F(AgainstThePrinter, CreditStarvationFailsClearlyAndRecovers) {
    Control("credit-starvation=1");
    ASSERT_EQ(session.Negotiate(&cancel), status::kSuccess);
    session.SetCommandCode(code1, code2);
    std::uint8_t value = 0;
    EXPECT_EQ(session.ReadEeprom(0x00, &value, &cancel), status::kNoCredit);
    EXPECT_EQ(session.SendData(reinterpret_cast<const std::uint8_t*>("A"), 1, &cancel), status::kNoCredit);
    Control("credit-starvation=0");
    EXPECT_EQ(session.ReadEeprom(0x00, &value, &cancel), status::kSuccess);
    EXPECT_EQ(session.Terminate(&cancel), status::kSuccess);
}

TEST_F(AgainstThePrinter, APortDroppedMidExchangeIsFatalAndBounded) {
    ASSERT_EQ(session.Negotiate(&cancel), status::kSuccess);
    session.SetCommandCode(code1, code2);
    Control("drop-after=5");
    const std::uint64_t before = clock.ElapsedMilliseconds();
    std::uint8_t value = 0;
    EXPECT_EQ(session.ReadEeprom(0x00, &value, &cancel), status::kPortFailure);
    EXPECT_EQ(session.ReadEeprom(0x01, &value, &cancel), status::kPortFailure);
    EXPECT_EQ(session.Terminate(&cancel), status::kPortFailure);
    EXPECT_LE(clock.ElapsedMilliseconds() - before, 5000u);
}

TEST_F(AgainstThePrinter, SilentOrNoisyPrintersNeverGiveSuccess) {
    Control("offline=silent");
    EXPECT_EQ(session.Negotiate(&cancel), status::kPortFailure);
    EXPECT_LE(clock.ElapsedMilliseconds(), 5000u);
    Control("offline=no garbage=1");
    EXPECT_NE(session.Negotiate(&cancel), status::kSuccess);
}

TEST_F(AgainstThePrinter, SlowRepliesAreWaitedForOnTheClock) {
    Control("latency-ms=300");
    ASSERT_EQ(session.Negotiate(&cancel), status::kSuccess);
    std::array<char, 1024> buffer;
    EXPECT_EQ(session.GetStatusReply(buffer.data(), &cancel), status::kSuccess);
}

}  // namespace
}  // namespace chanlinktest
