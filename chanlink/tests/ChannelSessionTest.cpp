// The session's bytes on the wire, pinned by hand-written packets, and its answers to replies that
// are cut short, too long, malformed or absent.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "ChannelSession.h"
#include "ScriptedLink.h"
#include "chanlink/ChanLink.h"
#include "platform/Clock.h"

namespace chanlinktest {
namespace {

namespace status = chanlink::status;

const Bytes kOpening = {0x1B, 0x7C, 0x44, 0x34, 0x00, 0x00, 0x00, 0x08, 0x01, 0x00, 0x00, 0x20};
const Bytes kInitReply = {0x00, 0x00, 0x00, 0x09, 0x01, 0x00, 0x80, 0x00, 0x20};
const Bytes kOpenBoth = {0x00, 0x00, 0x00, 0x11, 0x01, 0x00, 0x01, 0x02, 0x02, 0x04, 0x00, 0x03,
                         0xF0, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x11, 0x01, 0x00, 0x01,
                         0x40, 0x40, 0x04, 0x00, 0x03, 0xF0, 0x00, 0x00, 0xFF, 0xFF};
const Bytes kOpenControlReply = {0x00, 0x00, 0x00, 0x10, 0x01, 0x00, 0x81, 0x00,
                                 0x02, 0x02, 0x04, 0x00, 0x03, 0xF0, 0x00, 0x01};
const Bytes kOpenDataReply = {0x00, 0x00, 0x00, 0x10, 0x01, 0x00, 0x81, 0x00,
                              0x40, 0x40, 0x04, 0x00, 0x03, 0xF0, 0x00, 0x01};
const Bytes kCloseAndExit = {0x00, 0x00, 0x00, 0x0A, 0x01, 0x00, 0x02, 0x02, 0x02,
                             0x00, 0x00, 0x00, 0x00, 0x0A, 0x01, 0x00, 0x02, 0x40,
                             0x40, 0x00, 0x00, 0x00, 0x00, 0x07, 0x01, 0x00, 0x08};
const Bytes kCloseControlReply = {0x00, 0x00, 0x00, 0x0A, 0x01, 0x00, 0x82, 0x00, 0x02, 0x02};
const Bytes kCloseDataReply = {0x00, 0x00, 0x00, 0x0A, 0x01, 0x00, 0x82, 0x00, 0x40, 0x40};
const Bytes kExitReply = {0x00, 0x00, 0x00, 0x08, 0x01, 0x00, 0x88, 0x00};
// EEPROM read of 0xA2 with the command code 09 1F, and its answer.
const Bytes kReadA2 = {0x02, 0x02, 0x00, 0x10, 0x01, 0x01, 0x7C, 0x7C,
                       0x06, 0x00, 0x09, 0x1F, 0x41, 0xBE, 0xA0, 0xA2};
Bytes ControlAnswer(const std::string& text) {
    Bytes packet = {0x02, 0x02, 0x00, static_cast<std::uint8_t>(6 + text.size()), 0x00, 0x01};
    packet.insert(packet.end(), text.begin(), text.end());
    return packet;
}
const Bytes kStatusRequest = {0x02, 0x02, 0x00, 0x0B, 0x01, 0x01, 0x73, 0x74, 0x01, 0x00, 0x01};
const Bytes kCreditRequestControl = {0x00, 0x00, 0x00, 0x0D, 0x01, 0x00, 0x04,
                                     0x02, 0x02, 0x00, 0x10, 0xFF, 0xFF};
Bytes CreditRequestReply(std::uint8_t granted) {
    return {0x00, 0x00, 0x00, 0x0C, 0x01, 0x00, 0x84, 0x00, 0x02, 0x02, 0x00, granted};
}

class Session : public ::testing::Test {
protected:
    void Negotiate() {
        link.replies = {kInitReply, kOpenControlReply, kOpenDataReply};
        ASSERT_EQ(session.Negotiate(&cancel), status::kSuccess);
        link.sent.clear();
    }

    platform::VirtualClock clock;
    platform::ScopedClock useClock{clock};
    ScriptedLink link;
    chanlink::ChannelSession session{link};
    std::uint8_t cancel = 0;
};

TEST_F(Session, NegotiatesWithTheEntryAndInitInOneWriteThenOpensBothChannels) {
    link.replies = {kInitReply, kOpenControlReply, kOpenDataReply};
    EXPECT_EQ(session.Negotiate(&cancel), status::kSuccess);
    ASSERT_EQ(link.sent.size(), 2u);
    EXPECT_EQ(link.sent[0], kOpening);
    EXPECT_EQ(link.sent[1], kOpenBoth);
}

TEST_F(Session, FallsBackToRevision10WhenThePrinterRefuses20) {
    link.replies = {{0x00, 0x00, 0x00, 0x09, 0x01, 0x00, 0x80, 0x02, 0x20},
                    {0x00, 0x00, 0x00, 0x09, 0x01, 0x00, 0x80, 0x00, 0x10},
                    kOpenControlReply,
                    kOpenDataReply};
    EXPECT_EQ(session.Negotiate(&cancel), status::kSuccess);
    ASSERT_EQ(link.sent.size(), 3u);
    EXPECT_EQ(link.sent[1], (Bytes{0x00, 0x00, 0x00, 0x08, 0x01, 0x00, 0x00, 0x10}));
}

TEST_F(Session, NegotiationFailsClearlyOnAbsentRefusedOrMalformedReplies) {
    struct Case {
        const char* what;
        std::deque<Bytes> replies;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {"no reply", {}, status::kPortFailure},
        {"Init refused", {{0x00, 0x00, 0x00, 0x09, 0x01, 0x00, 0x80, 0x01, 0x20}}, status::kRefused},
        {"length below the header", {{0x00, 0x00, 0x00, 0x03, 0x01, 0x00}}, status::kBadReply},
        {"Init reply cut short", {{0x00, 0x00, 0x00, 0x07, 0x01, 0x00, 0x80}}, status::kBadReply},
        {"Error packet", {{0x00, 0x00, 0x00, 0x0A, 0x01, 0x00, 0x7F, 0x00, 0x00, 0x85}}, status::kBadReply},
        {"channel 2 refused",
         {kInitReply,
          {0x00, 0x00, 0x00, 0x10, 0x01, 0x00, 0x81, 0x04, 0x02, 0x02, 0x04, 0x00, 0x03, 0xF0, 0x00, 0x01}},
         status::kRefused},
        {"reply for the wrong channel", {kInitReply, kOpenDataReply, kOpenDataReply}, status::kBadReply},
        {"a packet that never completes", {kInitReply, {0x00, 0x00, 0x00, 0x10, 0x01}}, status::kPortFailure},
    };
    for (const Case& c : cases) {
        ScriptedLink fresh;
        fresh.replies = c.replies;
        chanlink::ChannelSession attempt(fresh);
        EXPECT_EQ(attempt.Negotiate(&cancel), c.expected) << c.what;
        EXPECT_FALSE(attempt.Negotiated()) << c.what;
        EXPECT_EQ(attempt.ReadEeprom(0, nullptr, &cancel), status::kNotNegotiated) << c.what;
    }
}

TEST_F(Session, ATricklingPrinterCannotHoldTheCallerForever) {
    link.replies.assign(100, Bytes{});
    EXPECT_EQ(session.Negotiate(&cancel), status::kBadReply);
    EXPECT_LE(link.receives, 17);
}

TEST_F(Session, ReadsAnEepromByteWithTheCommandCode) {
    Negotiate();
    session.SetCommandCode(0x09, 0x1F);
    link.replies = {ControlAnswer("EE:00A2 VALUE:5A;")};
    std::uint8_t value = 0;
    EXPECT_EQ(session.ReadEeprom(0x1A2, &value, &cancel), status::kSuccess);
    EXPECT_EQ(value, 0x5A);
    ASSERT_EQ(link.sent.size(), 1u);
    EXPECT_EQ(link.sent[0], kReadA2);
}

TEST_F(Session, AnEepromAnswerThatIsNotTheOneAskedForFails) {
    Negotiate();
    session.SetCommandCode(0x09, 0x1F);
    const struct {
        const char* text;
        std::uint32_t expected;
    } cases[] = {
        {"||:NA;", status::kRefused},
        {"EE:00A3 VALUE:5A;", status::kBadReply},  // another address: a late answer
        {"EE:00A2 VALUE:5G;", status::kBadReply},
        {"EE:00A2 VALUE:5A", status::kBadReply},
        {"EE:;", status::kBadReply},
        {"", status::kBadReply},
    };
    link.replies = {ControlAnswer("EE:00A2 VALUE:5A;")};
    ASSERT_EQ(session.ReadEeprom(0xA2, nullptr, &cancel), status::kSuccess);  // the credit of OpenChannel
    for (const auto& c : cases) {
        // Each request needs a fresh credit, which the printer grants.
        link.replies = {CreditRequestReply(1), ControlAnswer(c.text)};
        std::uint8_t value = 0x77;
        EXPECT_EQ(session.ReadEeprom(0xA2, &value, &cancel), c.expected) << c.text;
        EXPECT_EQ(value, 0x77) << c.text;
    }
}

TEST_F(Session, AsksForCreditAndGivesUpWhenThePrinterGrantsNone) {
    Negotiate();
    link.replies = {ControlAnswer("EE:0000 VALUE:01;")};
    ASSERT_EQ(session.ReadEeprom(0, nullptr, &cancel), status::kSuccess);  // the credit of OpenChannel
    link.sent.clear();
    link.replies = {CreditRequestReply(0), CreditRequestReply(0), CreditRequestReply(0)};
    EXPECT_EQ(session.ReadEeprom(0, nullptr, &cancel), status::kNoCredit);
    ASSERT_EQ(link.sent.size(), 3u);
    EXPECT_EQ(link.sent[0], kCreditRequestControl);
    EXPECT_GE(clock.ElapsedMilliseconds(), 100u);
    // Recovery: the printer grants two packets, which carry two requests on one credit request.
    link.sent.clear();
    link.replies = {CreditRequestReply(2), ControlAnswer("EE:0000 VALUE:01;"),
                    ControlAnswer("EE:0000 VALUE:01;")};
    EXPECT_EQ(session.ReadEeprom(0, nullptr, &cancel), status::kSuccess);
    EXPECT_EQ(session.ReadEeprom(0, nullptr, &cancel), status::kSuccess);
    EXPECT_EQ(link.sent.size(), 3u);
}

TEST_F(Session, StatusReplyIsNulTerminatedAndCutToTheBuffer) {
    Negotiate();
    link.replies = {ControlAnswer("@BDC ST\r\nST:04;ER:00;TP:01;")};
    std::array<char, 1024> buffer;
    buffer.fill('#');
    EXPECT_EQ(session.GetStatusReply(buffer.data(), &cancel), status::kSuccess);
    EXPECT_STREQ(buffer.data(), "@BDC ST\r\nST:04;ER:00;TP:01;");
    EXPECT_EQ(link.sent[0], kStatusRequest);

    // A printer that ignores the packet size it agreed to: 1010 characters of reply.
    std::string longText = "@BDC ST\r\n" + std::string(1001, 'x');
    Bytes packet = {0x02, 0x02, 0x03, 0xF8, 0x00, 0x01};
    packet.insert(packet.end(), longText.begin(), longText.end());
    link.replies = {CreditRequestReply(1), packet};
    struct {
        std::array<char, 1024> buffer;
        std::array<char, 64> guard;
    } guarded;
    guarded.guard.fill('G');
    EXPECT_EQ(session.GetStatusReply(guarded.buffer.data(), &cancel), status::kSuccess);
    EXPECT_EQ(std::string(guarded.buffer.data()).size(), 1010u);
    EXPECT_EQ(guarded.guard, (std::array<char, 64>{} = [] {
                  std::array<char, 64> g;
                  g.fill('G');
                  return g;
              }()));

    link.replies = {CreditRequestReply(1), ControlAnswer("st:NA;")};
    EXPECT_EQ(session.GetStatusReply(buffer.data(), &cancel), status::kRefused);
    EXPECT_STREQ(buffer.data(), "");
}

TEST_F(Session, SendsDataInPacketsOfTheAgreedSizeAndOnlyTheLastGrantsAnAnswer) {
    Negotiate();
    EXPECT_EQ(session.SendData(reinterpret_cast<const std::uint8_t*>("AB"), 2, &cancel), status::kSuccess);
    ASSERT_EQ(link.sent.size(), 1u);
    EXPECT_EQ(link.sent[0], (Bytes{0x40, 0x40, 0x00, 0x08, 0x01, 0x01, 0x41, 0x42}));

    link.sent.clear();
    const Bytes data(1500, 0x20);
    link.replies = {{0x00, 0x00, 0x00, 0x0C, 0x01, 0x00, 0x84, 0x00, 0x40, 0x40, 0x00, 0x02}};
    EXPECT_EQ(session.SendData(data.data(), static_cast<std::uint32_t>(data.size()), &cancel),
              status::kSuccess);
    ASSERT_EQ(link.sent.size(), 3u);  // the credit request, then 1018 and 482 bytes
    EXPECT_EQ(link.sent[1].size(), 1024u);
    EXPECT_EQ(link.sent[1][4], 0x00);
    EXPECT_EQ(link.sent[2].size(), 6u + 482u);
    EXPECT_EQ(link.sent[2][4], 0x01);
}

TEST_F(Session, ReceiveDataNeverWritesPastItsBound) {
    Negotiate();
    // Nothing held: one credit lets the printer send its waiting packet.
    Bytes huge = {0x40, 0x40, 0x04, 0x06, 0x00, 0x01};
    huge.resize(0x406, 'd');
    link.replies = {{0x00, 0x00, 0x00, 0x0A, 0x01, 0x00, 0x83, 0x00, 0x40, 0x40},
                    Bytes(huge.begin(), huge.begin() + 600),
                    Bytes(huge.begin() + 600, huge.end())};
    struct {
        std::array<std::uint8_t, chanlink::kLargestDataReply> buffer;
        std::array<std::uint8_t, 64> guard;
    } guarded;
    guarded.guard.fill(0xEE);
    std::uint32_t received = 0;
    EXPECT_EQ(session.ReceiveData(guarded.buffer.data(), &received), status::kSuccess);
    EXPECT_EQ(received, chanlink::kLargestDataReply);
    for (const std::uint8_t byte : guarded.guard) {
        ASSERT_EQ(byte, 0xEE);
    }
    EXPECT_EQ(link.sent[0], (Bytes{0x00, 0x00, 0x00, 0x0B, 0x01, 0x00, 0x03, 0x40, 0x40, 0x00, 0x01}));
}

TEST_F(Session, ReceiveDataHandsOverTheAnswerToTheLastRequestOnly) {
    Negotiate();
    const Bytes answer = {0x40, 0x40, 0x00, 0x0B, 0x00, 0x01, 'S', 'S', ':', '0', 'C'};
    // The answer arrives while a status request waits for its own.
    ASSERT_EQ(session.SendData(reinterpret_cast<const std::uint8_t*>("x"), 1, &cancel), status::kSuccess);
    link.replies = {answer, ControlAnswer("@BDC ST\r\nST:04;")};
    char status[1024];
    ASSERT_EQ(session.GetStatusReply(status, &cancel), status::kSuccess);
    std::array<std::uint8_t, 1024> buffer{};
    std::uint32_t received = 0;
    EXPECT_EQ(session.ReceiveData(buffer.data(), &received), status::kSuccess);
    EXPECT_EQ(std::string(buffer.begin(), buffer.begin() + received), "SS:0C");
    // Taken once: the next call asks the printer again, which has nothing.
    link.replies = {{0x00, 0x00, 0x00, 0x0A, 0x01, 0x00, 0x83, 0x00, 0x40, 0x40}};
    EXPECT_NE(session.ReceiveData(buffer.data(), &received), status::kSuccess);
    EXPECT_EQ(received, 0u);
}

TEST_F(Session, TerminatesWithBothClosesAndExitInOneWrite) {
    Negotiate();
    link.replies = {kCloseControlReply, kCloseDataReply, kExitReply};
    EXPECT_EQ(session.Terminate(&cancel), status::kSuccess);
    ASSERT_EQ(link.sent.size(), 1u);
    EXPECT_EQ(link.sent[0], kCloseAndExit);
    EXPECT_FALSE(session.Negotiated());
    EXPECT_EQ(session.Terminate(&cancel), status::kNotNegotiated);
}

TEST_F(Session, TheCancelFlagStopsEveryCallBeforeItsTransfer) {
    Negotiate();
    cancel = 1;
    char status[1024];
    EXPECT_EQ(session.ReadEeprom(0, nullptr, &cancel), status::kCancelled);
    EXPECT_EQ(session.GetStatusReply(status, &cancel), status::kCancelled);
    EXPECT_EQ(session.SendData(reinterpret_cast<const std::uint8_t*>("x"), 1, &cancel), status::kCancelled);
    EXPECT_EQ(session.Terminate(&cancel), status::kCancelled);
    EXPECT_EQ(session.Negotiate(&cancel), status::kCancelled);
    EXPECT_TRUE(link.sent.empty());
}

TEST_F(Session, APortThatFailsGivesThePortFailureWord) {
    Negotiate();
    link.failSends = true;
    EXPECT_EQ(session.ReadEeprom(0, nullptr, &cancel), status::kPortFailure);
    link.failSends = false;
    EXPECT_EQ(session.ReadEeprom(0, nullptr, &cancel), status::kPortFailure);  // no reply comes
}

}  // namespace
}  // namespace chanlinktest
