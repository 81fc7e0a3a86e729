// ChanLink as the program meets it: loaded by name beside Plexer, over the port Plexer opened on the
// virtual printer server (loopback TCP), through the device seam's virtual back-end.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "chanlink/ChanLink.h"
#include "platform/CallingConvention.h"
#include "platform/Clock.h"
#include "platform/Device.h"
#include "platform/DynamicLibrary.h"
#include "platform/VirtualPrinterClient.h"
#include "portselect/PlexerFunctions.h"
#include "testsupport/TemporaryFolder.h"
#include "vprinter/server/LoopbackPrinters.h"

namespace {

using Status = std::uint32_t;
template <typename Function>
Function Find(platform::LibraryHandle library, const char* name) {
    return reinterpret_cast<Function>(platform::FindLibraryFunction(library, name));
}

class ChanLinkOverTcp : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(printers.Ok()) << printers.Error();
        printers.InstallAsDeviceBackend();

        plexer = platform::LoadSharedLibrary("Plexer.dll");
        chanlink = platform::LoadSharedLibrary("ChanLink.dll");
        ASSERT_NE(plexer, nullptr);
        ASSERT_NE(chanlink, nullptr);
        portOpen = TOLVANE_PLEXER_FUNCTION(plexer, PortOpenByPlex);
        portClose = TOLVANE_PLEXER_FUNCTION(plexer, PortCloseByPlex);
        checkDeviceId = TOLVANE_PLEXER_FUNCTION(plexer, CheckDeviceIDByPlex);
        negotiation = Find<decltype(&::D4Negotiation)>(chanlink, "D4Negotiation");
        termination = Find<decltype(&::D4Termination)>(chanlink, "D4Termination");
        setCode = Find<decltype(&::SetD4CommandRCode)>(chanlink, "SetD4CommandRCode");
        sendData = Find<decltype(&::SendDataChannel)>(chanlink, "SendDataChannel");
        receiveData = Find<decltype(&::ReceiveDataChannel)>(chanlink, "ReceiveDataChannel");
        readEeprom = Find<decltype(&::D4ReadEeprom)>(chanlink, "D4ReadEeprom");
        statusReply = Find<decltype(&::D4GetStatusReply)>(chanlink, "D4GetStatusReply");
        ASSERT_TRUE(portOpen && portClose && checkDeviceId && negotiation && termination && setCode &&
                    sendData && receiveData && readEeprom && statusReply);
    }
    void TearDown() override {
        if (portClose != nullptr) {
            portClose();
        }
    }
    void Control(const std::string& words) {
        std::string answer;
        ASSERT_EQ(printers.Control("USB1", words, &answer), platform::VirtualPrinterClient::Result::Ok)
            << answer;
        ASSERT_EQ(answer.rfind("OK", 0), 0u) << answer;
    }

    testsupport::TemporaryFolder folder{"chanlink-tcp"};
    platform::LibraryHandle plexer = nullptr;
    platform::LibraryHandle chanlink = nullptr;
    decltype(&::PortOpenByPlex) portOpen = nullptr;
    decltype(&::PortCloseByPlex) portClose = nullptr;
    decltype(&::CheckDeviceIDByPlex) checkDeviceId = nullptr;
    decltype(&::D4Negotiation) negotiation = nullptr;
    decltype(&::D4Termination) termination = nullptr;
    decltype(&::SetD4CommandRCode) setCode = nullptr;
    decltype(&::SendDataChannel) sendData = nullptr;
    decltype(&::ReceiveDataChannel) receiveData = nullptr;
    decltype(&::D4ReadEeprom) readEeprom = nullptr;
    decltype(&::D4GetStatusReply) statusReply = nullptr;
    std::uint8_t cancel = 0;
    // Declared last: started after the members above and stopped before them, after TearDown.
    vprinter::LoopbackPrinters printers{{"USB1=VK-572D"}, folder.Path()};
};

// VK-572D's command code, pnRNumber of its shipped profile.
constexpr std::uint32_t kCode1 = 0x57;
constexpr std::uint32_t kCode2 = 0x2D;

TEST_F(ChanLinkOverTcp, TheProgramsCallingOrderWorksEndToEnd) {
    Control("poke=0xA2:0x5A");
    ASSERT_EQ(portOpen(0x0401) & 0xFFFF, 0x0001u);
    ASSERT_EQ(checkDeviceId() & 0xFFFF, 0x0001u);
    ASSERT_EQ(negotiation(&cancel) & 0xFFFF, 0x0001u);

    std::array<char, 1024> status;
    ASSERT_EQ(statusReply(status.data(), &cancel) & 0xFFFF, 0x0001u);
    EXPECT_EQ(std::string(status.data()).rfind("@BDC ST\r\nST:04;", 0), 0u);

    std::uint8_t value = 0;
    setCode(0xFF, 0xFF);
    EXPECT_NE(readEeprom(0xA2, &value, &cancel) & 0xFFFF, 0x0001u);
    setCode(kCode1, kCode2);
    ASSERT_EQ(readEeprom(0xA2, &value, &cancel) & 0xFFFF, 0x0001u);
    EXPECT_EQ(value, 0x5A);

    const std::uint8_t romVersion[] = {0x1B, 0x7C, 0x00, 0x05, 0x00, kCode1, kCode2, 0x21, 0xDE, 0x90};
    ASSERT_EQ(sendData(romVersion, sizeof romVersion, &cancel) & 0xFFFF, 0x0001u);
    std::array<std::uint8_t, 1024> reply{};
    receiveData(reply.data());
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(reply.data())), "VR:1.00;");

    EXPECT_EQ(termination(&cancel) & 0xFFFF, 0x0001u);
    // Back on the plain stream: the device ID still answers, and a new negotiation works.
    EXPECT_EQ(checkDeviceId() & 0xFFFF, 0x0001u);
    ASSERT_EQ(negotiation(&cancel) & 0xFFFF, 0x0001u);
    EXPECT_EQ(termination(&cancel) & 0xFFFF, 0x0001u);
}

// On the clock both ends share: each read costs the printer's 3 ms, not the 10 ms Plexer gives a USB
// printer before it reads, and the answers are still right.
TEST_F(ChanLinkOverTcp, EepromReadsTakeTheAnswerAsSoonAsItArrives) {
    Control("latency-ms=3");
    Control("poke=0x10:0xA5");
    platform::VirtualClock clock;
    const platform::ScopedClock scoped(clock);
    ASSERT_EQ(portOpen(0x0401) & 0xFFFF, 0x0001u);
    ASSERT_EQ(negotiation(&cancel) & 0xFFFF, 0x0001u);
    setCode(kCode1, kCode2);
    constexpr int kReads = 20;
    const std::uint64_t start = clock.ElapsedMilliseconds();
    for (int read = 0; read < kReads; ++read) {
        std::uint8_t value = 0;
        ASSERT_EQ(readEeprom(0x10, &value, &cancel) & 0xFFFF, 0x0001u);
        ASSERT_EQ(value, 0xA5);
    }
    const std::uint64_t spent = clock.ElapsedMilliseconds() - start;
    EXPECT_GE(spent, kReads * 3u);
    EXPECT_LT(spent, kReads * 10u);
    EXPECT_EQ(termination(&cancel) & 0xFFFF, 0x0001u);
}

TEST_F(ChanLinkOverTcp, CreditStarvationFailsClearlyAndRecovers) {
    ASSERT_EQ(portOpen(0x0401) & 0xFFFF, 0x0001u);
    Control("credit-starvation=1");
    ASSERT_EQ(negotiation(&cancel) & 0xFFFF, 0x0001u);
    setCode(kCode1, kCode2);
    std::uint8_t value = 0;
    EXPECT_EQ(readEeprom(0x00, &value, &cancel) & 0xFFFF, 0x1201u);
    Control("credit-starvation=0");
    EXPECT_EQ(readEeprom(0x00, &value, &cancel) & 0xFFFF, 0x0001u);
    EXPECT_EQ(termination(&cancel) & 0xFFFF, 0x0001u);
}

TEST_F(ChanLinkOverTcp, APortDroppedMidExchangeGivesFailureWithoutHanging) {
    ASSERT_EQ(portOpen(0x0401) & 0xFFFF, 0x0001u);
    ASSERT_EQ(negotiation(&cancel) & 0xFFFF, 0x0001u);
    Control("drop-after=3");
    std::array<char, 1024> status;
    EXPECT_NE(statusReply(status.data(), &cancel) & 0xFFFF, 0x0001u);
    EXPECT_NE(termination(&cancel) & 0xFFFF, 0x0001u);
}

}  // namespace
