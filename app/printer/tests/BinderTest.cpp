// The binding against the virtual printer, through the real Plexer and ChanLink, and against
// libraries that lack the functions.
#include <gtest/gtest.h>

#include <array>

#include "BoundPrinterFixture.h"
#include "printer/ChannelExchange.h"
#include "printer/PortStatus.h"

namespace printertest {
namespace {

using printer::ChannelStep;
using printer::Succeeded;
namespace status = printer::status;

// The channel steps run within an exchange of the port session, as every caller's do.
class Binder : public BoundPrinter {
protected:
    const printer::PortSession::Exchange exchange = printer::PortSession::OfProcess().Begin("binder test");
};

TEST_F(Binder, ReadsEepromBytesOverTheChannelAndLeavesThePortClosed) {
    ASSERT_EQ(printer::OpenChannel(exchange, kUsb1), ChannelStep::Ready);
    EXPECT_TRUE(printer->InPacketMode());
    ASSERT_TRUE(Succeeded(CPortLibraryBinder::SetCommandCode(CommandCode(0), CommandCode(1))));
    for (const int address : {0x00, 0x10, 0xA2, 0xFF}) {
        std::uint8_t value = 0;
        ASSERT_TRUE(
            Succeeded(CPortLibraryBinder::ReadChannelEeprom(static_cast<std::uint32_t>(address), &value)))
            << address;
        EXPECT_EQ(value, Stored(address)) << address;
    }
    EXPECT_TRUE(Succeeded(printer::CloseChannel(exchange)));
    EXPECT_FALSE(printer->InPacketMode());
    EXPECT_EQ(ports.OpenNow("USB1"), 0);
}

TEST_F(Binder, StatusReplyFitsTheBufferAndIsTerminated) {
    ASSERT_EQ(printer::OpenChannel(exchange, kUsb1), ChannelStep::Ready);
    std::array<char, printer::kReceiveWindow> reply{};
    ASSERT_TRUE(Succeeded(CPortLibraryBinder::ReadStatusReply(reply.data())));
    const std::string text(reply.data());
    EXPECT_EQ(text.rfind("@BDC ST\r\n", 0), 0u) << text;
    EXPECT_TRUE(Succeeded(printer::CloseChannel(exchange)));
}

TEST_F(Binder, ARefusedOpenStopsAtTheOpenWithNothingLeftOpen) {
    ports.Control("USB1", "offline=refuse");
    EXPECT_EQ(printer::OpenChannel(exchange, kUsb1), ChannelStep::Open);
    EXPECT_EQ(ports.OpenNow("USB1"), 0);
    // A port number that names no port fails in the driver the same way.
    EXPECT_EQ(printer::OpenChannel(exchange, 0x0505), ChannelStep::Open);
}

TEST_F(Binder, AFailedNegotiationClosesThePortAgainWithinTheDriversTimeOuts) {
    ports.Control("USB1", "offline=silent");
    const std::uint64_t before = clock.ElapsedMilliseconds();
    EXPECT_NE(printer::OpenChannel(exchange, kUsb1), ChannelStep::Ready);
    EXPECT_EQ(ports.OpenNow("USB1"), 0);
    EXPECT_LT(clock.ElapsedMilliseconds() - before, 60'000u);
    // The printer comes back: the next exchange opens afresh.
    ports.Control("USB1", "offline=no");
    EXPECT_EQ(printer::OpenChannel(exchange, kUsb1), ChannelStep::Ready);
    EXPECT_TRUE(Succeeded(printer::CloseChannel(exchange)));
}

TEST_F(Binder, ModelPreambleGoesRawOnlyForTheModelThatNeedsIt) {
    // Raw bytes reach the printer as they are.
    const std::array<std::uint8_t, 6> preamble = {0x1C, 0x28, 0x45, 0x01, 0x00, 0x01};
    ASSERT_TRUE(Succeeded(CPortLibraryBinder::OpenPort(kUsb1)));
    EXPECT_TRUE(Succeeded(CPortLibraryBinder::SendRaw(preamble.data(), 6)));
    EXPECT_TRUE(Succeeded(CPortLibraryBinder::ClosePort()));
    EXPECT_EQ(ports.Written("USB1"), std::vector<std::uint8_t>(preamble.begin(), preamble.end()));
    EXPECT_TRUE(printer->Core().State().modelPreambleSeen);
}

TEST(BinderWithoutTheFunctions, EveryOperationAnswersLibraryMissingAndCallsNothing) {
    platform::VirtualClock clock;
    platform::ScopedClock useClock{clock};
    vprinter::InProcessPrinterPorts ports;
    ports.AddPrinter("USB1", "VK-572D");
    // A port driver in the selector's place and the selector in the channel library's: both load,
    // neither has a single function the binder looks for.
    ASSERT_TRUE(CPortLibraryBinder::BindLibraries("TolvFakeWirex.dll", "Plexer.dll"));
    std::uint8_t byte = 0x5A;
    std::array<char, printer::kReceiveWindow> reply{};
    std::array<std::uint8_t, printer::kReceiveWindow> buffer{};
    const std::uint8_t data[1] = {0x40};
    const printer::PortSession::Exchange exchange = printer::PortSession::OfProcess().Begin("binder test");
    for (int pass = 0; pass < 2; ++pass) {
        EXPECT_EQ(CPortLibraryBinder::OpenPort(0x0401), status::kLibraryMissing);
        EXPECT_EQ(CPortLibraryBinder::ClosePort(), status::kLibraryMissing);
        EXPECT_EQ(CPortLibraryBinder::CheckD4Support(), status::kLibraryMissing);
        EXPECT_EQ(CPortLibraryBinder::SendRaw(data, 1), status::kLibraryMissing);
        EXPECT_EQ(CPortLibraryBinder::NegotiateChannel(), status::kLibraryMissing);
        EXPECT_EQ(CPortLibraryBinder::TerminateChannel(), status::kLibraryMissing);
        EXPECT_EQ(CPortLibraryBinder::SetCommandCode(1, 2), status::kLibraryMissing);
        EXPECT_EQ(CPortLibraryBinder::SendChannelData(data, 1), status::kLibraryMissing);
        EXPECT_EQ(CPortLibraryBinder::ReceiveChannelData(buffer.data()), status::kLibraryMissing);
        EXPECT_EQ(CPortLibraryBinder::ReadChannelEeprom(0x10, &byte), status::kLibraryMissing);
        EXPECT_EQ(CPortLibraryBinder::ReadStatusReply(reply.data()), status::kLibraryMissing);
        EXPECT_EQ(printer::OpenChannel(exchange, 0x0401), ChannelStep::Open);
        // And with nothing bound at all.
        CPortLibraryBinder::UnbindLibraries();
    }
    EXPECT_EQ(byte, 0x5A);
    EXPECT_EQ(ports.OpenCount("USB1"), 0);
}

TEST(BinderLoading, AMissingLibraryFailsTheBindingButKeepsTheOtherBound) {
    EXPECT_FALSE(CPortLibraryBinder::BindLibraries("Plexer.dll", "NoSuchChannelLibrary.dll"));
    EXPECT_TRUE(CPortLibraryBinder::SelectorBound());
    EXPECT_FALSE(CPortLibraryBinder::ChannelLibraryBound());
    EXPECT_EQ(CPortLibraryBinder::NegotiateChannel(), status::kLibraryMissing);
    CPortLibraryBinder::UnbindLibraries();
    EXPECT_FALSE(CPortLibraryBinder::SelectorBound());
}

}  // namespace
}  // namespace printertest
