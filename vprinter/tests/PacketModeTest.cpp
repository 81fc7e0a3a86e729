// The printer in packet mode: entry, Init, the exchanges the device-driver library writes itself on
// a USB port, credit, Exit, and what it does with packets it cannot take.
#include <gtest/gtest.h>

#include "PrinterTestSupport.h"
#include "d4/PacketMode.h"
#include "d4/Transaction.h"
#include "vprinter/model/ControlVerb.h"

namespace {

using namespace vprintertest;

class PacketMode : public ::testing::Test {
protected:
    RecordingSink sink;
    vprinter::VirtualPrinter printer{Profile("VK-572D"), "USB1", &sink};

    void SetUp() override {
        ASSERT_TRUE(printer.Open());
        Write(printer, {0x1B, 0x7C, 0x44, 0x34, 0x00, 0x00, 0x00, 0x08, 0x01, 0x00, 0x00, 0x20});
        ASSERT_EQ(ReadAllBytes(printer), (Bytes{0x00, 0x00, 0x00, 0x09, 0x01, 0x00, 0x80, 0x00, 0x20}));
    }
    Bytes Exchange(const Bytes& written) {
        Write(printer, written);
        return ReadAllBytes(printer);
    }
    void OpenChannel(std::uint8_t socket) {
        const Bytes reply = Exchange(
            d4::EncodeTransactionPacket(d4::OpenChannelRequest({socket, socket}, 0x100, 0x100, 1, 0xFFFF)));
        ASSERT_EQ(reply.size(), 16u);
        ASSERT_EQ(reply[7], 0);
    }
};

// The control exchange of a USB port, packet by packet as the library writes and reads them.
TEST_F(PacketMode, StatusOverTheControlChannelAsTheLibraryWritesIt) {
    EXPECT_EQ(Exchange({0x00, 0x00, 0x00, 0x11, 0x01, 0x00, 0x01, 0x02, 0x02, 0x01, 0x00, 0x01, 0x00, 0x00,
                        0x01, 0xFF, 0xFF}),
              (Bytes{0x00, 0x00, 0x00, 0x10, 0x01, 0x00, 0x81, 0x00, 0x02, 0x02, 0x01, 0x00, 0x01, 0x00, 0x00,
                     0x01}));
    EXPECT_EQ(Exchange({0x00, 0x00, 0x00, 0x0B, 0x01, 0x00, 0x03, 0x02, 0x02, 0x00, 0x01}),
              (Bytes{0x00, 0x00, 0x00, 0x0A, 0x01, 0x00, 0x83, 0x00, 0x02, 0x02}));
    EXPECT_EQ(Exchange({0x00, 0x00, 0x00, 0x0D, 0x01, 0x00, 0x04, 0x02, 0x02, 0x00, 0x01, 0xFF, 0xFF}),
              (Bytes{0x00, 0x00, 0x00, 0x0C, 0x01, 0x00, 0x84, 0x00, 0x02, 0x02, 0x00, 0x01}));
    const Bytes reply = Exchange({0x02, 0x02, 0x00, 0x0B, 0x01, 0x01, 's', 't', 0x01, 0x00, 0x01});
    ASSERT_GT(reply.size(), 6u);
    EXPECT_EQ(reply[0], 0x02);
    EXPECT_EQ(reply[1], 0x02);
    EXPECT_EQ((reply[2] << 8) | reply[3], static_cast<int>(reply.size()));
    EXPECT_LE(reply.size(), 255u);
    EXPECT_EQ(std::string(reply.begin() + 6, reply.end()),
              "@BDC ST\r\nST:04;ER:00;TP:01;WR:;IQ:00000000;MI:00;TC:0;");
    EXPECT_EQ(Exchange({0x00, 0x00, 0x00, 0x0A, 0x01, 0x00, 0x02, 0x02, 0x02, 0x00}),
              (Bytes{0x00, 0x00, 0x00, 0x0A, 0x01, 0x00, 0x82, 0x00, 0x02, 0x02}));
}

TEST_F(PacketMode, ProductionCommandOnTheDataChannel) {
    OpenChannel(0x40);
    Exchange({0x00, 0x00, 0x00, 0x0B, 0x01, 0x00, 0x03, 0x40, 0x40, 0x00, 0x01});
    Exchange({0x00, 0x00, 0x00, 0x0D, 0x01, 0x00, 0x04, 0x40, 0x40, 0x00, 0x01, 0xFF, 0xFF});
    const Bytes reply = Exchange(
        {0x40, 0x40, 0x00, 0x10, 0x01, 0x01, 0x1B, 0x7C, 0x00, 0x05, 0x00, 0x57, 0x2D, 0x24, 0xDB, 0x12});
    EXPECT_EQ(reply, Concat({{0x40, 0x40, 0x00, 0x0C, 0x00, 0x01}, Text("SS:0C;")}));
}

TEST_F(PacketMode, ControlEepromFamilyWritesAndReads) {
    OpenChannel(2);
    Exchange(d4::EncodeTransactionPacket(d4::CreditGrant({2, 2}, 4)));
    Exchange(d4::EncodeTransactionPacket(d4::CreditRequest({2, 2}, 4, 0xFFFF)));
    auto send = [&](const Bytes& command) {
        const Bytes packet = *d4::EncodePacket({2, 2}, 0, 1, command);
        const Bytes reply = Exchange(packet);
        return reply.size() > 6 ? std::string(reply.begin() + 6, reply.end()) : std::string();
    };
    EXPECT_EQ(send({0x7C, 0x7C, 0x07, 0x00, 0x57, 0x2D, 0x42, 0xBD, 0x21, 0x30, 0x44}), "||:OK;");
    EXPECT_EQ(send({0x7C, 0x7C, 0x06, 0x00, 0x57, 0x2D, 0x41, 0xBE, 0xA0, 0x30}), "EE:0030 VALUE:44;");
    EXPECT_EQ(send(Concat({Text("xi"), {0x01, 0x00, 0x01}})), "xi:NA;");
    EXPECT_EQ(send(Concat({Text("rs"), {0x01, 0x00, 0x01}})), "rs:OK;");
}

TEST_F(PacketMode, DataWithoutCreditOrOnAClosedChannelGetsAnErrorPacket) {
    EXPECT_EQ(Exchange({0x02, 0x02, 0x00, 0x0B, 0x01, 0x01, 's', 't', 0x01, 0x00, 0x01}),
              (Bytes{0x00, 0x00, 0x00, 0x0A, 0x01, 0x00, 0x7F, 0x02, 0x02, 0x84}));
    OpenChannel(2);
    // The one credit of the open is used by the first packet; the second has none.
    Exchange({0x02, 0x02, 0x00, 0x0B, 0x01, 0x01, 's', 't', 0x01, 0x00, 0x01});
    EXPECT_EQ(Exchange({0x02, 0x02, 0x00, 0x0B, 0x01, 0x01, 's', 't', 0x01, 0x00, 0x01}),
              (Bytes{0x00, 0x00, 0x00, 0x0A, 0x01, 0x00, 0x7F, 0x02, 0x02, 0x81}));
}

TEST_F(PacketMode, ReplyWaitsForCreditFromTheHost) {
    Exchange(d4::EncodeTransactionPacket(d4::OpenChannelRequest({2, 2}, 0x100, 0x100, 0, 0xFFFF)));
    // The data packet grants no credit in its header, so the answer waits.
    EXPECT_EQ(Exchange({0x02, 0x02, 0x00, 0x0B, 0x00, 0x01, 's', 't', 0x01, 0x00, 0x01}), Bytes{});
    EXPECT_GT(printer.Transport().Waiting(), 0u);
    const Bytes after = Exchange(d4::EncodeTransactionPacket(d4::CreditGrant({2, 2}, 1)));
    ASSERT_EQ(after.size(), 10u + 6u + 54u);
    EXPECT_EQ(after[10], 0x02);
}

TEST_F(PacketMode, CreditStarvationGrantsNothing) {
    ASSERT_TRUE(vprinter::ApplyControl(printer, "credit-starvation=1").ok);
    const Bytes open =
        Exchange(d4::EncodeTransactionPacket(d4::OpenChannelRequest({2, 2}, 0x100, 0x100, 1, 0xFFFF)));
    EXPECT_EQ(open[14], 0);
    EXPECT_EQ(open[15], 0);
    EXPECT_EQ(Exchange({0x00, 0x00, 0x00, 0x0D, 0x01, 0x00, 0x04, 0x02, 0x02, 0x00, 0x01, 0xFF, 0xFF}),
              (Bytes{0x00, 0x00, 0x00, 0x0C, 0x01, 0x00, 0x84, 0x00, 0x02, 0x02, 0x00, 0x00}));
}

TEST_F(PacketMode, ExitReturnsToThePlainStreamInTheSameWrite) {
    Write(printer,
          Concat({d4::PacketModeClosing(), {0x1B, 0x7C, 0x00, 0x05, 0x00, 0x57, 0x2D, 0x24, 0xDB, 0x12}}));
    EXPECT_EQ(ReadAll(printer), std::string("\x00\x00\x00\x08\x01\x00\x88\x00", 8) + "SS:0C;");
    EXPECT_FALSE(printer.InPacketMode());
}

TEST_F(PacketMode, ResetAndCloseLeavePacketModeAndEntryRestarts) {
    printer.SoftReset();
    EXPECT_FALSE(printer.InPacketMode());
    Write(printer, d4::PacketModeOpening(0x10));
    EXPECT_EQ(ReadAllBytes(printer), (Bytes{0x00, 0x00, 0x00, 0x09, 0x01, 0x00, 0x80, 0x00, 0x10}));
    OpenChannel(2);
    // Entering again from inside packet mode starts over: channel 2 is closed afterwards.
    Write(printer, d4::PacketModeOpening(0x20));
    ReadAllBytes(printer);
    EXPECT_FALSE(printer.Transport().ChannelOpen(2));
    EXPECT_TRUE(printer.Transport().Initialised());
    printer.Close();
    EXPECT_FALSE(printer.InPacketMode());
    EXPECT_EQ(sink.jobs, 2);
}

TEST_F(PacketMode, EveryAcceptedInitCountsAsOneNegotiation) {
    EXPECT_EQ(printer.Transport().Initialisations(), 1u);
    // A revision the printer does not speak is refused and not counted.
    Exchange({0x00, 0x00, 0x00, 0x08, 0x01, 0x00, 0x00, 0x30});
    EXPECT_EQ(printer.Transport().Initialisations(), 1u);
    Exchange({0x00, 0x00, 0x00, 0x08, 0x01, 0x00, 0x00, 0x20});
    EXPECT_EQ(printer.Transport().Initialisations(), 2u);
    // Leaving packet mode and coming back is a new negotiation; the count stays with the printer.
    printer.Close();
    ASSERT_TRUE(printer.Open());
    Write(printer, {0x1B, 0x7C, 0x44, 0x34, 0x00, 0x00, 0x00, 0x08, 0x01, 0x00, 0x00, 0x20});
    ReadAllBytes(printer);
    EXPECT_EQ(printer.Transport().Initialisations(), 3u);
    EXPECT_NE(vprinter::ApplyControl(printer, "get").text.find("negotiations=3\n"), std::string::npos);
}

TEST_F(PacketMode, TransactionErrorsAreAnswered) {
    EXPECT_EQ(Exchange(d4::EncodeTransactionPacket(d4::InitRequest(0x30))),
              (Bytes{0x00, 0x00, 0x00, 0x09, 0x01, 0x00, 0x80, 0x02, 0x20}));
    // An Open of a socket the printer has no service at.
    EXPECT_EQ(
        Exchange(d4::EncodeTransactionPacket(d4::OpenChannelRequest({5, 5}, 0x100, 0x100, 1, 0xFFFF)))[7],
        0x09);
    EXPECT_EQ(Exchange(d4::EncodeTransactionPacket(d4::CloseChannelRequest({0x40, 0x40})))[7], 0x08);
    EXPECT_EQ(Exchange({0x00, 0x00, 0x00, 0x07, 0x01, 0x00, 0x05}),
              (Bytes{0x00, 0x00, 0x00, 0x0A, 0x01, 0x00, 0x7F, 0x00, 0x00, 0x85}));
    EXPECT_EQ(Exchange({0x00, 0x00, 0x00, 0x08, 0x01, 0x00, 0x01, 0x02}),
              (Bytes{0x00, 0x00, 0x00, 0x0A, 0x01, 0x00, 0x7F, 0x00, 0x00, 0x86}));
    EXPECT_EQ(Exchange({0x02, 0x02, 0x00, 0x03, 0x01, 0x01}),
              (Bytes{0x00, 0x00, 0x00, 0x0A, 0x01, 0x00, 0x7F, 0x00, 0x00, 0x80}));
    EXPECT_EQ(Exchange(d4::EncodeTransactionPacket(d4::GetSocketIdRequest("ORLEX-CTRL"))),
              Concat({{0x00, 0x00, 0x00, 0x13, 0x01, 0x00, 0x89, 0x00, 0x02}, Text("ORLEX-CTRL")}));
}

TEST(PacketModeBeforeInit, EveryCommandButInitIsDenied) {
    vprinter::VirtualPrinter printer{Profile("VK-572D"), "USB1"};
    ASSERT_TRUE(printer.Open());
    Write(printer, Concat({{0x1B, 0x7C, 0x44, 0x34},
                           {0x00, 0x00, 0x00, 0x11, 0x01, 0x00, 0x01, 0x02, 0x02, 0x01, 0x00, 0x01, 0x00,
                            0x00, 0x01, 0xFF, 0xFF}}));
    const Bytes reply = ReadAllBytes(printer);
    ASSERT_EQ(reply.size(), 16u);
    EXPECT_EQ(reply[6], 0x81);
    EXPECT_EQ(reply[7], 0x08);
}

}  // namespace
