// The EEPROM access over the channel, against the virtual printer through the real Plexer and
// ChanLink: negotiations counted at the printer, direction switching, every failure path.
#include <gtest/gtest.h>

#include <array>

#include "BoundPrinterFixture.h"
#include "RecordingErrorCallback.h"
#include "printer/CEepromRwByApDllD4.h"

namespace printertest {
namespace {

using namespace printer::error;

class EepromByChannel : public BoundPrinter, public ::testing::WithParamInterface<const char*> {
protected:
    std::string Profile() const override { return GetParam(); }
    void SetUp() override {
        BoundPrinter::SetUp();
        ASSERT_EQ(CreateEepromRW(&eeprom, Target("USB1", 0xFF), &errors), 1);
    }
    printer::Target Target(const char* portName, std::uint32_t lastAddress) const {
        return {portName, CommandCode(0), CommandCode(1), lastAddress};
    }
    void TearDown() override {
        if (eeprom != nullptr) {
            eeprom->Release();
        }
        BoundPrinter::TearDown();
    }
    CEepromRwByApDllD4& Channel() { return *static_cast<CEepromRwByApDllD4*>(eeprom); }
    std::uint64_t Negotiations() const { return printer->Transport().Initialisations(); }

    RecordingErrorCallback errors;
    IEepromRW* eeprom = nullptr;
};

TEST_P(EepromByChannel, AWholeRunOfReadsCostsOneNegotiation) {
    for (int address = 0; address <= 0xFF; ++address) {
        std::uint8_t value = 0;
        ASSERT_EQ(eeprom->ReadByte(address, &value), 1) << address;
        ASSERT_EQ(value, Stored(address)) << address;
    }
    EXPECT_EQ(Negotiations(), 1u);
    EXPECT_TRUE(Channel().ReadChannelOpen());
    EXPECT_EQ(ports.OpenNow("USB1"), 1);
    // Releasing the object closes what it holds.
    eeprom->Release();
    eeprom = nullptr;
    EXPECT_EQ(ports.OpenNow("USB1"), 0);
    EXPECT_FALSE(printer->InPacketMode());
    EXPECT_TRUE(errors.Codes().empty());
}

TEST_P(EepromByChannel, SwitchingDirectionTerminatesTheOtherChannelFirst) {
    ASSERT_EQ(eeprom->WriteByte(0xA2, 0x03), 1);
    ASSERT_EQ(eeprom->WriteByte(0xA3, 0xFD), 1);
    EXPECT_TRUE(Channel().WriteChannelOpen());
    EXPECT_EQ(Negotiations(), 1u);
    std::uint8_t value = 0;
    ASSERT_EQ(eeprom->ReadByte(0xA2, &value), 1);
    EXPECT_EQ(value, 0x03);
    ASSERT_EQ(eeprom->ReadByte(0xA3, &value), 1);
    EXPECT_EQ(value, 0xFD);
    EXPECT_FALSE(Channel().WriteChannelOpen());
    EXPECT_TRUE(Channel().ReadChannelOpen());
    EXPECT_EQ(Negotiations(), 2u);
    // Never two ports open: the write channel's port was closed before the read channel's opened.
    EXPECT_EQ(ports.OpenNow("USB1"), 1);
    EXPECT_EQ(ports.OpenCount("USB1"), 2);
    EXPECT_EQ(Stored(0xA2), 0x03);
    EXPECT_EQ(Stored(0xA3), 0xFD);
    EXPECT_EQ(Channel().CloseChannel(), 1);
    EXPECT_EQ(ports.OpenNow("USB1"), 0);
}

TEST_P(EepromByChannel, TheWordReadsBothBytesOnOneChannel) {
    ports.Control("USB1", "poke=0x10:0x34 poke=0x11:0x12");
    std::uint16_t value = 0;
    ASSERT_EQ(ReadEepromWord(eeprom, 0x10, 0x11, &value), 1);
    EXPECT_EQ(value, 0x1234);
    EXPECT_EQ(Negotiations(), 1u);
}

INSTANTIATE_TEST_SUITE_P(BothAddressForms, EepromByChannel, ::testing::Values("VK-572D", "VK-2240II"));

using EepromByChannelFaults = EepromByChannel;
INSTANTIATE_TEST_SUITE_P(OneModel, EepromByChannelFaults, ::testing::Values("VK-572D"));

TEST_P(EepromByChannelFaults, AnOfflinePrinterGivesTheInterfaceErrorAndNoValue) {
    ports.Control("USB1", "offline=refuse");
    std::uint8_t value = 0x42;
    EXPECT_EQ(eeprom->ReadByte(0x10, &value), 0);
    EXPECT_EQ(value, 0x42);
    EXPECT_EQ(eeprom->WriteByte(0x10, 0x00), 0);
    EXPECT_EQ(errors.Codes(), (std::vector<int>{kPortOpen, kPortOpen}));
    EXPECT_EQ(ports.OpenNow("USB1"), 0);
}

TEST_P(EepromByChannelFaults, AFailedReadSaysSoClosesTheChannelAndTheNextReadNegotiatesAgain) {
    std::uint8_t value = 0;
    ASSERT_EQ(eeprom->ReadByte(0x10, &value), 1);
    ports.Control("USB1", "garbage=1");
    value = 0x42;
    const std::uint64_t before = clock.ElapsedMilliseconds();
    EXPECT_EQ(eeprom->ReadByte(0x11, &value), 0);
    EXPECT_EQ(value, 0x42);
    EXPECT_LT(clock.ElapsedMilliseconds() - before, 60'000u);
    EXPECT_EQ(errors.Codes(), std::vector<int>{kReadEeprom});
    EXPECT_FALSE(Channel().ReadChannelOpen());
    EXPECT_EQ(ports.OpenNow("USB1"), 0);

    ports.Control("USB1", "garbage=0");
    ASSERT_EQ(eeprom->ReadByte(0x11, &value), 1);
    EXPECT_EQ(value, Stored(0x11));
    EXPECT_EQ(Negotiations(), 2u);
}

TEST_P(EepromByChannelFaults, APrinterThatStopsAnsweringBetweenTwoReadsGivesNoValue) {
    std::uint8_t value = 0;
    ASSERT_EQ(eeprom->ReadByte(0x10, &value), 1);
    ports.Control("USB1", "offline=silent");
    value = 0x42;
    EXPECT_EQ(eeprom->ReadByte(0x11, &value), 0);
    EXPECT_EQ(value, 0x42);
    EXPECT_EQ(errors.Codes(), std::vector<int>{kReadEeprom});
    EXPECT_EQ(ports.OpenNow("USB1"), 0);
}

TEST_P(EepromByChannelFaults, ALineDroppedDuringAWriteSaysCannotSendData) {
    ASSERT_EQ(eeprom->WriteByte(0x30, 0x01), 1);
    ports.Control("USB1", "drop-after=4");
    EXPECT_EQ(eeprom->WriteByte(0x31, 0x02), 0);
    ASSERT_FALSE(errors.Codes().empty());
    EXPECT_EQ(errors.Codes().back(), kSend);
    EXPECT_FALSE(Channel().WriteChannelOpen());
    EXPECT_EQ(ports.OpenNow("USB1"), 0);
}

// A model without some cell (its address -1 in the profile) or a page's address past the model's
// last one must not reach whatever cell the low byte names.
TEST_P(EepromByChannelFaults, AddressesOutsideTheModelsRangeAreRefusedUnsent) {
    IEepromRW* small = nullptr;
    ASSERT_EQ(CreateEepromRW(&small, Target("USB1", 0x7F), &errors), 1);
    std::uint8_t value = 0x42;
    for (const int address : {-1, 0x80, 0x100, 0x1A2}) {
        EXPECT_EQ(small->ReadByte(address, &value), 0) << address;
        EXPECT_EQ(small->WriteByte(address, 0x00), 0) << address;
    }
    EXPECT_EQ(value, 0x42);
    EXPECT_EQ(ports.OpenCount("USB1"), 0);
    const std::vector<int> codes = errors.Codes();
    ASSERT_EQ(codes.size(), 8u);
    EXPECT_EQ(codes[0], kReadEeprom);
    EXPECT_EQ(codes[1], kSend);
    // And the cells inside the range are still there.
    EXPECT_EQ(small->ReadByte(0x7F, &value), 1);
    EXPECT_EQ(value, Stored(0x7F));
    small->Release();
}

TEST_P(EepromByChannelFaults, TheDumpClosesTheReadChannelAndGoesOutAsPrintData) {
    std::array<std::int32_t, 256> values;
    for (int address = 0; address <= 0xFF; ++address) {
        std::uint8_t value = 0;
        ASSERT_EQ(eeprom->ReadByte(address, &value), 1);
        values[static_cast<std::size_t>(address)] = value;
    }
    ASSERT_EQ(eeprom->PrintDump(values.data()), 1);
    EXPECT_FALSE(Channel().ReadChannelOpen());
    EXPECT_EQ(ports.OpenNow("USB1"), 0);
    // Every write of the channel stream negotiates a channel of its own.
    EXPECT_GT(Negotiations(), 1u);
    const std::vector<std::uint8_t>& written = ports.Written("USB1");
    const std::string wire(written.begin(), written.end());
    EXPECT_NE(wire.find("addr  +0 +1 +2 +3 +4 +5 +6 +7 +8 +9 +A +B +C +D +E +F\r\n"), std::string::npos);
    char row[64];
    std::snprintf(row, sizeof row, " F0   %02X", static_cast<unsigned>(values[0xF0]));
    EXPECT_NE(wire.find(row), std::string::npos);
    EXPECT_TRUE(errors.Codes().empty());
}

// (A line that drops during a write heals when the channel stream opens the port for its next
// attempt; only a printer that stays away fails the dump.)
TEST_P(EepromByChannelFaults, ADumpToAnOfflinePrinterFails) {
    std::array<std::int32_t, 256> values;
    values.fill(0x55);
    ports.Control("USB1", "offline=refuse");
    EXPECT_EQ(eeprom->PrintDump(values.data()), 0);
    EXPECT_EQ(ports.OpenNow("USB1"), 0);
}

// The command line and the benches give no callback: a failure is the result alone.
TEST_P(EepromByChannelFaults, WithoutACallbackAFailureIsTheResultAlone) {
    IEepromRW* silent = nullptr;
    ASSERT_EQ(CreateEepromRW(&silent, Target("USB1", 0xFF), nullptr), 1);
    ports.Control("USB1", "offline=refuse");
    std::uint8_t value = 0x42;
    EXPECT_EQ(silent->ReadByte(0x10, &value), 0);
    EXPECT_EQ(silent->WriteByte(0x10, 0x00), 0);
    EXPECT_EQ(silent->ReadByte(0x1FF, &value), 0);
    EXPECT_EQ(value, 0x42);
    ports.Control("USB1", "offline=no");
    EXPECT_EQ(silent->ReadByte(0x10, &value), 1);
    EXPECT_EQ(value, Stored(0x10));
    silent->Release();
    EXPECT_TRUE(errors.Codes().empty());
}

TEST_P(EepromByChannelFaults, AnotherPortNameReachesNoPrinter) {
    IEepromRW* other = nullptr;
    ASSERT_EQ(CreateEepromRW(&other, Target("USB10", 0xFF), &errors), 1);
    EXPECT_EQ(static_cast<CEepromRwByApDllD4*>(other)->PortNumber(), 0x040A);
    std::uint8_t value = 0x42;
    EXPECT_EQ(other->ReadByte(0x10, &value), 0);
    EXPECT_EQ(errors.Codes(), std::vector<int>{kPortOpen});
    EXPECT_EQ(ports.OpenCount("USB1"), 0);
    other->Release();
}

}  // namespace
}  // namespace printertest
