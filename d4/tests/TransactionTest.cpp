#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "d4/CreditLedger.h"
#include "d4/PacketMode.h"
#include "d4/Transaction.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

d4::DecodeProblem Decode(const Bytes& payload, d4::Transaction* message) {
    return d4::DecodeTransaction(payload, message);
}

TEST(Transaction, EveryCommandRoundTrips) {
    const d4::Transaction messages[] = {
        d4::InitRequest(0x10),
        d4::InitReply(0, 0x20),
        d4::OpenChannelRequest({0x40, 0x40}, 0x200, 0x100, 3, 0x10),
        d4::OpenChannelReply(0, {0x40, 0x40}, 0x200, 0x100, 3),
        d4::CloseChannelRequest({2, 2}),
        d4::CloseChannelReply(3, {2, 2}),
        d4::CreditGrant({2, 2}, 7),
        d4::CreditGrantReply(7, {2, 2}),
        d4::CreditRequest({2, 2}, 1, 0xFFFF),
        d4::CreditRequestReply(0, {2, 2}, 1),
        d4::ExitRequest(),
        d4::ExitReply(0),
        d4::GetSocketIdRequest("ORLEX-CTRL"),
        d4::GetSocketIdReply(0, 2, "ORLEX-CTRL"),
        d4::GetServiceNameRequest(0x40),
        d4::GetServiceNameReply(0, 0x40, "ORLEX-DATA"),
        d4::ErrorPacket({0x40, 0x40}, d4::error::kNoCredit),
    };
    for (const d4::Transaction& message : messages) {
        d4::Transaction decoded;
        ASSERT_EQ(Decode(d4::EncodeTransaction(message), &decoded), d4::DecodeProblem::None)
            << int(message.command);
        EXPECT_EQ(d4::EncodeTransaction(decoded), d4::EncodeTransaction(message)) << int(message.command);
    }
}

TEST(Transaction, TruncatedEmptyAndUnknownPayloadsAreReported) {
    d4::Transaction message;
    EXPECT_EQ(Decode({}, &message), d4::DecodeProblem::Empty);
    EXPECT_EQ(Decode({0x01, 0x02, 0x02, 0x01}, &message), d4::DecodeProblem::Truncated);
    EXPECT_EQ(Decode({0x84, 0x00, 0x02, 0x02, 0x00}, &message), d4::DecodeProblem::Truncated);
    EXPECT_EQ(Decode({0x00}, &message), d4::DecodeProblem::Truncated);
    EXPECT_EQ(Decode({0x05, 0x01}, &message), d4::DecodeProblem::UnknownCommand);
    EXPECT_EQ(message.command, 0x05);
    // The Error packet has no reply form.
    EXPECT_EQ(Decode({0xFF, 0x00}, &message), d4::DecodeProblem::UnknownCommand);
}

TEST(Transaction, TrailingBytesAreIgnored) {
    d4::Transaction message;
    ASSERT_EQ(Decode({0x02, 0x02, 0x02, 0x00, 0xEE, 0xEE}, &message), d4::DecodeProblem::None);
    EXPECT_EQ(message.channel, (d4::Channel{2, 2}));
}

TEST(Transaction, ErrorPacketIsNotAReply) {
    EXPECT_FALSE(d4::ErrorPacket({2, 2}, 0x80).IsReply());
    EXPECT_TRUE(d4::ExitReply(0).IsReply());
}

TEST(PacketMode, OpeningIsTheEntryBytesThenInit) {
    EXPECT_EQ(d4::PacketModeOpening(0x20),
              (Bytes{0x1B, 0x7C, 0x44, 0x34, 0x00, 0x00, 0x00, 0x08, 0x01, 0x00, 0x00, 0x20}));
    EXPECT_EQ(d4::PacketModeClosing(), (Bytes{0x00, 0x00, 0x00, 0x07, 0x01, 0x00, 0x08}));
}

TEST(CreditLedger, CreditsAreCountedPerChannelAndUsedOneByOne) {
    d4::CreditLedger ledger;
    EXPECT_FALSE(ledger.Take({2, 2}));
    EXPECT_TRUE(ledger.Grant({2, 2}, 2));
    EXPECT_TRUE(ledger.Grant({0x40, 0x40}, 1));
    EXPECT_EQ(ledger.Available({2, 2}), 2u);
    EXPECT_TRUE(ledger.Take({2, 2}));
    EXPECT_TRUE(ledger.Take({2, 2}));
    EXPECT_FALSE(ledger.Take({2, 2}));
    EXPECT_EQ(ledger.Available({0x40, 0x40}), 1u);
    ledger.Reset({0x40, 0x40});
    EXPECT_EQ(ledger.Available({0x40, 0x40}), 0u);
}

TEST(CreditLedger, GrantBeyondTheLargestOutstandingCreditIsRefused) {
    d4::CreditLedger ledger;
    ledger.SetLargestOutstanding(3);
    EXPECT_TRUE(ledger.Grant({2, 2}, 3));
    EXPECT_FALSE(ledger.Grant({2, 2}, 1));
    EXPECT_EQ(ledger.Available({2, 2}), 3u);
    EXPECT_FALSE(ledger.Grant({0x40, 0x40}, 0xFFFFFFFF));
}

}  // namespace
