#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "d4/Reassembler.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(Reassembler, PacketSplitAcrossReadsComesOutWhole) {
    const Bytes packet{0x02, 0x02, 0x00, 0x0B, 0x01, 0x01, 's', 't', 0x01, 0x00, 0x01};
    d4::Reassembler reassembler;
    d4::Packet out;
    for (std::size_t i = 0; i + 1 < packet.size(); ++i) {
        reassembler.Feed(Bytes{packet[i]});
        EXPECT_EQ(reassembler.Next(&out), d4::Reassembler::Outcome::NeedMore) << i;
    }
    reassembler.Feed(Bytes{packet.back()});
    ASSERT_EQ(reassembler.Next(&out), d4::Reassembler::Outcome::Packet);
    EXPECT_EQ(out.header.psid, 2);
    EXPECT_EQ(out.header.length, 11);
    EXPECT_EQ(out.header.credit, 1);
    EXPECT_EQ(out.header.control, 1);
    EXPECT_EQ(out.payload, (Bytes{'s', 't', 0x01, 0x00, 0x01}));
    EXPECT_EQ(reassembler.Buffered(), 0u);
}

TEST(Reassembler, SeveralPacketsInOneReadAndAHeaderOnlyPacket) {
    const Bytes bytes{0x00, 0x00, 0x00, 0x07, 0x01, 0x00, 0x08,  // Exit
                      0x40, 0x40, 0x00, 0x06, 0x01, 0x00,        // an empty data packet
                      0x40, 0x40, 0x00, 0x08, 0x00, 0x01, 'A'};  // the start of a third
    d4::Reassembler reassembler;
    reassembler.Feed(bytes);
    d4::Packet out;
    ASSERT_EQ(reassembler.Next(&out), d4::Reassembler::Outcome::Packet);
    EXPECT_EQ(out.payload, Bytes{0x08});
    ASSERT_EQ(reassembler.Next(&out), d4::Reassembler::Outcome::Packet);
    EXPECT_TRUE(out.payload.empty());
    EXPECT_EQ(reassembler.Next(&out), d4::Reassembler::Outcome::NeedMore);
    EXPECT_EQ(reassembler.Buffered(), 7u);
    reassembler.Feed(Bytes{'B'});
    ASSERT_EQ(reassembler.Next(&out), d4::Reassembler::Outcome::Packet);
    EXPECT_EQ(out.payload, (Bytes{'A', 'B'}));
}

TEST(Reassembler, LengthBelowTheHeaderIsRefusedAndTheBufferDropped) {
    for (std::uint8_t length = 0; length < 6; ++length) {
        d4::Reassembler reassembler;
        reassembler.Feed(Bytes{0x02, 0x02, 0x00, length, 0x00, 0x00, 0x55, 0x66});
        d4::Packet out;
        EXPECT_EQ(reassembler.Next(&out), d4::Reassembler::Outcome::BadLength) << int(length);
        EXPECT_EQ(reassembler.Buffered(), 0u);
    }
}

}  // namespace
