// The packet engine against a scripted port: the exact packets it writes, the replies it takes, the
// messages it shows when the printer refuses, and how long it waits.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "PacketEngine.h"
#include "platform/Clock.h"
#include "platform/DeviceScript.h"
#include "testsupport/MessageRecorder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using platform::MessageIcon;

// The packets, byte for byte.
const Bytes kCreditControl = {0x00, 0x00, 0x00, 0x0B, 0x01, 0x00, 0x03, 0x02, 0x02, 0x00, 0x01};
const Bytes kCreditRequestData = {0x00, 0x00, 0x00, 0x0D, 0x01, 0x00, 0x04,
                                  0x40, 0x40, 0x00, 0x01, 0xFF, 0xFF};
const Bytes kOpenControl = {0x00, 0x00, 0x00, 0x11, 0x01, 0x00, 0x01, 0x02, 0x02,
                            0x01, 0x00, 0x01, 0x00, 0x00, 0x01, 0xFF, 0xFF};
const Bytes kCloseControl = {0x00, 0x00, 0x00, 0x0A, 0x01, 0x00, 0x02, 0x02, 0x02, 0x00};

Bytes CreditReply(std::uint8_t command, std::uint8_t result) {
    return {0x00, 0x00, 0x00, 0x0A, 0x01, 0x00, command, result, 0x02, 0x02};
}
Bytes CreditRequestReply(std::uint8_t command, std::uint8_t result, std::uint8_t granted) {
    return {0x00, 0x00, 0x00, 0x0C, 0x01, 0x00, command, result, 0x40, 0x40, 0x00, granted};
}
Bytes OpenReply(std::uint8_t command, std::uint8_t result) {
    return {0x00, 0x00, 0x00, 0x10, 0x01, 0x00, command, result,
            0x02, 0x02, 0x01, 0x00, 0x01, 0x00, 0x00,    0x01};
}
Bytes CloseReply(std::uint8_t command, std::uint8_t result) {
    return {0x00, 0x00, 0x00, 0x0A, 0x01, 0x00, command, result, 0x02, 0x02};
}

class PacketEngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        script.ExpectOpen({platform::PortKind::Usb, 1, {}, {}});
        ASSERT_EQ(script.Open({platform::PortKind::Usb, 1, {}, {}}, &port), platform::DeviceError::None);
    }
    void TearDown() override {
        EXPECT_TRUE(script.Mismatches().empty()) << ::testing::PrintToString(script.Mismatches());
    }
    drvlib::PacketEngine Engine() { return drvlib::PacketEngine(port.get(), 20); }
    std::vector<std::string> Warnings() const { return TextsWith(MessageIcon::Warning); }
    std::vector<std::string> PlainTexts() const { return TextsWith(MessageIcon::None); }
    std::vector<std::string> TextsWith(MessageIcon icon) const {
        std::vector<std::string> texts;
        for (const auto& message : messages.Messages()) {
            if (message.icon == icon) {
                texts.push_back(message.text);
            }
        }
        return texts;
    }

    platform::VirtualClock clock;
    platform::ScopedClock scopedClock{clock};
    testsupport::MessageRecorder messages;
    platform::DeviceScript script;
    platform::ScopedDeviceBackend scopedBackend{script};
    platform::DevicePortPtr port;
};

TEST_F(PacketEngineTest, TheFourExchangesWriteTheirPacketsAndTakeTheirReplies) {
    script.ExpectWrite(kCreditControl).ExpectRead(CreditReply(0x83, 0));
    script.ExpectWrite(kCreditRequestData).ExpectRead(CreditRequestReply(0x84, 0, 1));
    script.ExpectWrite(kOpenControl).ExpectRead(OpenReply(0x81, 0));
    script.ExpectWrite(kCloseControl).ExpectRead(CloseReply(0x82, 0));
    drvlib::PacketEngine engine = Engine();
    EXPECT_EQ(engine.Credit(0x02, 0x02), 1);
    EXPECT_EQ(engine.CreditRequest(0x40), 1);
    EXPECT_EQ(engine.OpenControlChannel(), 1);
    EXPECT_EQ(engine.CloseControlChannel(), 1);
    EXPECT_TRUE(script.Finished());
    EXPECT_TRUE(messages.Texts().empty());
    EXPECT_EQ(clock.ElapsedMilliseconds(), 4u * 20u);  // the wait time before each reply, nothing more
}

TEST_F(PacketEngineTest, ADataPacketCarriesOneCreditAndTheEndOfMessageMark) {
    const std::uint8_t status[] = {'s', 't', 0x01, 0x00, 0x01};
    EXPECT_EQ(drvlib::PacketEngine::DataPacket(0x02, 0x02, status, 5),
              (Bytes{0x02, 0x02, 0x00, 0x0B, 0x01, 0x01, 's', 't', 0x01, 0x00, 0x01}));
    EXPECT_EQ(drvlib::PacketEngine::DataPacket(0x40, 0x40, nullptr, 0),
              (Bytes{0x40, 0x40, 0x00, 0x06, 0x01, 0x01}));
}

TEST_F(PacketEngineTest, CreditRefusalsNameTheirResult) {
    script.ExpectWrite(kCreditControl).ExpectRead(CreditReply(0x83, 7));
    script.ExpectWrite(kCreditControl).ExpectRead(CreditReply(0x83, 8));
    script.ExpectWrite(kCreditControl).ExpectRead(CreditReply(0x83, 0x0C));
    script.ExpectWrite(kCreditControl).ExpectRead(CreditReply(0x84, 0));
    drvlib::PacketEngine engine = Engine();
    for (int exchange = 0; exchange < 4; ++exchange) {
        EXPECT_EQ(engine.Credit(0x02, 0x02), 0);
    }
    EXPECT_EQ(Warnings(), (std::vector<std::string>{"Communication error\nCREDIT_CBT_ERR_CREDITOVF",
                                                    "Communication error\nCREDIT_CBT_ERR_CMDDENIED",
                                                    "Communication error\nCREDIT_CBT_ERR_UERESULT",
                                                    "Communication error\nCREDIT reply command error"}));
    EXPECT_EQ(PlainTexts(),
              (std::vector<std::string>{"Communication error\nCREDIT_CBT_ERR_CMDDENIED  83, c"}));
}

TEST_F(PacketEngineTest, CreditRequestRefusalsAndAWrongReply) {
    script.ExpectWrite(kCreditRequestData).ExpectRead(CreditRequestReply(0x84, 8, 1));
    script.ExpectWrite(kCreditRequestData).ExpectRead(CreditRequestReply(0x84, 2, 1));
    script.ExpectWrite(kCreditRequestData).ExpectRead(CreditRequestReply(0x83, 0, 1));
    drvlib::PacketEngine engine = Engine();
    for (int exchange = 0; exchange < 3; ++exchange) {
        EXPECT_EQ(engine.CreditRequest(0x40), 0);
    }
    EXPECT_EQ(Warnings(),
              (std::vector<std::string>{"Communication error\nCREDIT_REQUEST_CBT_ERR_CMDDENIED",
                                        "Communication error\nCREDIT_REQUEST_CBT_ERR_UERESULT",
                                        "Communication error\nCREDIT REQUEST reply command error"}));
    EXPECT_TRUE(PlainTexts().empty());
}

TEST_F(PacketEngineTest, ACreditRequestWithoutCreditIsRepeatedFourTimesThenGivenUpSilently) {
    script.ExpectWrite(kCreditRequestData).ExpectRead(CreditRequestReply(0x84, 0, 0));
    for (int repeat = 0; repeat < 4; ++repeat) {
        script.ExpectWrite(kCreditRequestData).ExpectRead(CreditRequestReply(0x84, 0, 0));
    }
    EXPECT_EQ(Engine().CreditRequest(0x40), 0);
    EXPECT_TRUE(script.Finished());
    EXPECT_TRUE(messages.Texts().empty());
    EXPECT_EQ(clock.ElapsedMilliseconds(), 5u * 20u + 4u * 100u);
}

TEST_F(PacketEngineTest, OpenChannelRefusalsNameTheirResult) {
    const std::vector<std::pair<std::uint8_t, std::string>> cases = {
        {4, "RESOURCE"},    {5, "OPENCHANNEL"},   {6, "NORMAL"},  {9, "CHNOTSUPPORT"},
        {12, "PACKETSIZE"}, {13, "NULLPACKETSZ"}, {1, "UERESULT"}};
    std::vector<std::string> expected;
    for (const auto& [result, name] : cases) {
        script.ExpectWrite(kOpenControl).ExpectRead(OpenReply(0x81, result));
        expected.push_back("Communication error\nOPEN_CTL_CHANNEL_CBT_ERR_" + name);
    }
    script.ExpectWrite(kOpenControl).ExpectRead(OpenReply(0x82, 0));
    expected.push_back("Communication error\nOPEN CONTROL CHANNEL reply command error");
    drvlib::PacketEngine engine = Engine();
    for (std::size_t exchange = 0; exchange < expected.size(); ++exchange) {
        EXPECT_EQ(engine.OpenControlChannel(), -1);
    }
    EXPECT_EQ(Warnings(), expected);
}

TEST_F(PacketEngineTest, CloseChannelRefusalsNameTheirResult) {
    script.ExpectWrite(kCloseControl).ExpectRead(CloseReply(0x82, 3));
    script.ExpectWrite(kCloseControl).ExpectRead(CloseReply(0x82, 8));
    script.ExpectWrite(kCloseControl).ExpectRead(CloseReply(0x82, 6));
    script.ExpectWrite(kCloseControl).ExpectRead(CloseReply(0x81, 0));
    drvlib::PacketEngine engine = Engine();
    for (int exchange = 0; exchange < 4; ++exchange) {
        EXPECT_EQ(engine.CloseControlChannel(), -6);
    }
    EXPECT_EQ(Warnings(),
              (std::vector<std::string>{"Communication error\nCLOSE_CTL_CHANNEL_CBT_ERR_CLOSEDENIED",
                                        "Communication error\nCLOSE_CTL_CHANNEL_CBT_ERR_CMDDENIED",
                                        "Communication error\nCLOSE_CTL_CHANNEL_CBT_ERR_UERESULT",
                                        "Communication error\nCLOSE CONTROL CHANNEL reply command error"}));
}

TEST_F(PacketEngineTest, ASilentPrinterIsGivenUpAfterThreeSecondsWithoutAMessage) {
    script.ExpectWrite(kOpenControl).ExpectRead({}).Times(30);
    EXPECT_EQ(Engine().OpenControlChannel(), -1);
    EXPECT_TRUE(script.Finished());
    EXPECT_TRUE(messages.Texts().empty());
    EXPECT_EQ(clock.ElapsedMilliseconds(), 20u + 29u * 100u);
}

TEST_F(PacketEngineTest, AHeaderWithLengthZeroIsReadAgain) {
    script.ExpectWrite(kCloseControl).ExpectRead(Bytes(10, 0x00)).ExpectRead(CloseReply(0x82, 0));
    EXPECT_EQ(Engine().CloseControlChannel(), 1);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(clock.ElapsedMilliseconds(), 20u + 100u);
}

TEST_F(PacketEngineTest, FailedWritesAndReadsEndTheExchangeWithoutAMessage) {
    script.ExpectWrite(kOpenControl, platform::DeviceError::Io);
    script.ExpectWrite(kOpenControl, platform::DeviceError::None, 5);  // the port took only part of it
    script.ExpectWrite(kCloseControl).ExpectRead({}, platform::DeviceError::Disconnected);
    script.ExpectWrite(kCreditControl)
        .ExpectRead({0x00, 0x00, 0x00, 0x03, 0x01});  // a length below the header
    drvlib::PacketEngine engine = Engine();
    EXPECT_EQ(engine.OpenControlChannel(), -1);
    EXPECT_EQ(engine.OpenControlChannel(), -1);
    EXPECT_EQ(engine.CloseControlChannel(), -6);
    EXPECT_EQ(engine.Credit(0x02, 0x02), 0);
    EXPECT_TRUE(script.Finished());
    EXPECT_TRUE(messages.Texts().empty());
}

TEST_F(PacketEngineTest, AReplyPacketIsReadInPiecesUntilItsLengthIsThere) {
    // A 20-byte packet arriving as 8 bytes, nothing, then the rest.
    const Bytes packet = {0x02, 0x02, 0x00, 0x14, 0x01, 0x01, 'r', 's', ':', 'O',
                          'K',  ';',  'a',  'b',  'c',  'd',  'e', 'f', 'g', 'h'};
    script.ExpectRead(Bytes(packet.begin(), packet.begin() + 8))
        .ExpectRead({})
        .ExpectRead(Bytes(packet.begin() + 8, packet.end()));
    std::vector<std::uint8_t> payload;
    EXPECT_EQ(Engine().ReadReplyPacket(256, &payload), 0);
    EXPECT_EQ(payload, Bytes(packet.begin() + 6, packet.end()));
}

TEST_F(PacketEngineTest, AReplyPacketTooLongForTheFamilyIsRefused) {
    Bytes longest(6 + 255, 'x');
    longest[2] = 0x01;
    longest[3] = 0x05;
    Bytes tooLong(6 + 256, 'x');
    tooLong[2] = 0x01;
    tooLong[3] = 0x06;
    script.ExpectRead(longest).ExpectRead(tooLong);
    std::vector<std::uint8_t> payload;
    drvlib::PacketEngine engine = Engine();
    EXPECT_EQ(engine.ReadReplyPacket(512, &payload), 0);
    EXPECT_EQ(payload.size(), 255u);
    EXPECT_EQ(engine.ReadReplyPacket(512, &payload), -7);
    EXPECT_TRUE(payload.empty());
}

}  // namespace
