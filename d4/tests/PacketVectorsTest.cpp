// The exact packets the device-driver library writes and reads on a USB port, byte for byte as the
// printer family documents them, against the codec in both directions.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "d4/Packet.h"
#include "d4/Transaction.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

d4::Transaction Decoded(const Bytes& packet) {
    EXPECT_GE(packet.size(), d4::kHeaderSize);
    const d4::Header header = d4::DecodeHeader(std::span<const std::uint8_t, 6>(packet.data(), 6));
    EXPECT_EQ(header.length, packet.size());
    d4::Transaction message;
    EXPECT_EQ(d4::DecodeTransaction(std::span<const std::uint8_t>(packet).subspan(6), &message),
              d4::DecodeProblem::None);
    return message;
}

TEST(PacketVectors, CreditGrantsOneCreditOnTheNamedChannel) {
    const Bytes expected{0x00, 0x00, 0x00, 0x0B, 0x01, 0x00, 0x03, 0x40, 0x40, 0x00, 0x01};
    EXPECT_EQ(d4::EncodeTransactionPacket(d4::CreditGrant({0x40, 0x40}, 1)), expected);
    const d4::Transaction message = Decoded(expected);
    EXPECT_EQ(message.command, d4::command::kCredit);
    EXPECT_EQ(message.channel, (d4::Channel{0x40, 0x40}));
    EXPECT_EQ(message.credit, 1);
}

TEST(PacketVectors, CreditRequestAsksOneCreditWithoutLimit) {
    const Bytes control{0x00, 0x00, 0x00, 0x0D, 0x01, 0x00, 0x04, 0x02, 0x02, 0x00, 0x01, 0xFF, 0xFF};
    const Bytes data{0x00, 0x00, 0x00, 0x0D, 0x01, 0x00, 0x04, 0x40, 0x40, 0x00, 0x01, 0xFF, 0xFF};
    EXPECT_EQ(d4::EncodeTransactionPacket(d4::CreditRequest({2, 2}, 1, 0xFFFF)), control);
    EXPECT_EQ(d4::EncodeTransactionPacket(d4::CreditRequest({0x40, 0x40}, 1, 0xFFFF)), data);
    const d4::Transaction message = Decoded(data);
    EXPECT_EQ(message.credit, 1);
    EXPECT_EQ(message.largestOutstandingCredit, 0xFFFF);
}

TEST(PacketVectors, OpenControlChannel) {
    const Bytes expected{0x00, 0x00, 0x00, 0x11, 0x01, 0x00, 0x01, 0x02, 0x02,
                         0x01, 0x00, 0x01, 0x00, 0x00, 0x01, 0xFF, 0xFF};
    EXPECT_EQ(d4::EncodeTransactionPacket(d4::OpenChannelRequest({2, 2}, 0x0100, 0x0100, 1, 0xFFFF)),
              expected);
    const d4::Transaction message = Decoded(expected);
    EXPECT_EQ(message.command, d4::command::kOpenChannel);
    EXPECT_EQ(message.largestHostToPrinter, 0x0100);
    EXPECT_EQ(message.largestPrinterToHost, 0x0100);
    EXPECT_EQ(message.credit, 1);
    EXPECT_EQ(message.largestOutstandingCredit, 0xFFFF);
}

TEST(PacketVectors, CloseControlChannel) {
    const Bytes expected{0x00, 0x00, 0x00, 0x0A, 0x01, 0x00, 0x02, 0x02, 0x02, 0x00};
    EXPECT_EQ(d4::EncodeTransactionPacket(d4::CloseChannelRequest({2, 2})), expected);
    EXPECT_EQ(Decoded(expected).channel, (d4::Channel{2, 2}));
}

// The replies have the sizes the library reads: 10, 12, 16 and 10 bytes.
TEST(PacketVectors, RepliesHaveTheSizesTheHostReads) {
    const Bytes credit{0x00, 0x00, 0x00, 0x0A, 0x01, 0x00, 0x83, 0x00, 0x02, 0x02};
    const Bytes creditRequest{0x00, 0x00, 0x00, 0x0C, 0x01, 0x00, 0x84, 0x00, 0x40, 0x40, 0x00, 0x01};
    const Bytes open{0x00, 0x00, 0x00, 0x10, 0x01, 0x00, 0x81, 0x00,
                     0x02, 0x02, 0x01, 0x00, 0x01, 0x00, 0x00, 0x01};
    const Bytes close{0x00, 0x00, 0x00, 0x0A, 0x01, 0x00, 0x82, 0x00, 0x02, 0x02};
    EXPECT_EQ(d4::EncodeTransactionPacket(d4::CreditGrantReply(0, {2, 2})), credit);
    EXPECT_EQ(d4::EncodeTransactionPacket(d4::CreditRequestReply(0, {0x40, 0x40}, 1)), creditRequest);
    EXPECT_EQ(d4::EncodeTransactionPacket(d4::OpenChannelReply(0, {2, 2}, 0x0100, 0x0100, 1)), open);
    EXPECT_EQ(d4::EncodeTransactionPacket(d4::CloseChannelReply(0, {2, 2})), close);
    // The granted credit is at bytes 10 and 11 of the Credit Request reply.
    const d4::Transaction granted = Decoded(creditRequest);
    EXPECT_EQ(granted.command, 0x84);
    EXPECT_EQ(granted.result, 0);
    EXPECT_EQ(granted.credit, 1);
}

TEST(PacketVectors, InitInBothRevisions) {
    EXPECT_EQ(d4::EncodeTransactionPacket(d4::InitRequest(0x20)),
              (Bytes{0x00, 0x00, 0x00, 0x08, 0x01, 0x00, 0x00, 0x20}));
    EXPECT_EQ(d4::EncodeTransactionPacket(d4::InitRequest(0x10)),
              (Bytes{0x00, 0x00, 0x00, 0x08, 0x01, 0x00, 0x00, 0x10}));
    EXPECT_EQ(d4::EncodeTransactionPacket(d4::InitReply(0x02, 0x20)),
              (Bytes{0x00, 0x00, 0x00, 0x09, 0x01, 0x00, 0x80, 0x02, 0x20}));
}

TEST(PacketVectors, ExitErrorAndServiceLookups) {
    EXPECT_EQ(d4::EncodeTransactionPacket(d4::ExitRequest()),
              (Bytes{0x00, 0x00, 0x00, 0x07, 0x01, 0x00, 0x08}));
    EXPECT_EQ(d4::EncodeTransactionPacket(d4::ExitReply(0)),
              (Bytes{0x00, 0x00, 0x00, 0x08, 0x01, 0x00, 0x88, 0x00}));
    EXPECT_EQ(d4::EncodeTransactionPacket(d4::ErrorPacket({0x40, 0x40}, 0x81)),
              (Bytes{0x00, 0x00, 0x00, 0x0A, 0x01, 0x00, 0x7F, 0x40, 0x40, 0x81}));
    EXPECT_EQ(d4::EncodeTransactionPacket(d4::GetSocketIdRequest("CTL")),
              (Bytes{0x00, 0x00, 0x00, 0x0A, 0x01, 0x00, 0x09, 'C', 'T', 'L'}));
    EXPECT_EQ(d4::EncodeTransactionPacket(d4::GetSocketIdReply(0, 2, "CTL")),
              (Bytes{0x00, 0x00, 0x00, 0x0C, 0x01, 0x00, 0x89, 0x00, 0x02, 'C', 'T', 'L'}));
    EXPECT_EQ(d4::EncodeTransactionPacket(d4::GetServiceNameRequest(0x40)),
              (Bytes{0x00, 0x00, 0x00, 0x08, 0x01, 0x00, 0x0A, 0x40}));
}

// A data packet as the library builds it for a control command: 02 02, the length with the header,
// one credit, end of message, then the command.
TEST(PacketVectors, DataPacketHeaderIsBigEndianWithHeaderCounted) {
    const Bytes command{'s', 't', 0x01, 0x00, 0x01};
    const auto packet = d4::EncodePacket({2, 2}, 1, d4::kControlEndOfMessage, command);
    ASSERT_TRUE(packet.has_value());
    EXPECT_EQ(*packet, (Bytes{0x02, 0x02, 0x00, 0x0B, 0x01, 0x01, 's', 't', 0x01, 0x00, 0x01}));
    const Bytes big(0x1234 - 6, 0xAA);
    const auto large = d4::EncodePacket({0x40, 0x40}, 0, 0, big);
    ASSERT_TRUE(large.has_value());
    EXPECT_EQ((*large)[2], 0x12);
    EXPECT_EQ((*large)[3], 0x34);
    EXPECT_FALSE(d4::EncodePacket({0x40, 0x40}, 0, 0, Bytes(d4::kLargestPayload + 1)).has_value());
}

}  // namespace
