// The EEPROM access end to end: Plexer and ChanLink loaded by name, the port reached through the
// device seam's virtual back-end on the virtual printer server over loopback TCP.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <string>

#include "RecordingErrorCallback.h"
#include "platform/Device.h"
#include "platform/VirtualPrinterClient.h"
#include "printer/CEepromRwByApDllD4.h"
#include "printer/CPortLibraryBinder.h"
#include "testsupport/TemporaryFolder.h"
#include "vprinter/server/LoopbackPrinters.h"

namespace {

// VK-572D's pnRNumber.
constexpr std::uint8_t kCode1 = 0x57;
constexpr std::uint8_t kCode2 = 0x2D;

class EepromOverTcp : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(printers.Ok()) << printers.Error();
        printers.InstallAsDeviceBackend();
        ASSERT_TRUE(CPortLibraryBinder::BindLibraries());
    }
    void TearDown() override { CPortLibraryBinder::UnbindLibraries(); }
    // The answer of the control words ("OK\n" and the query lines).
    std::string Control(const std::string& words) {
        std::string answer;
        EXPECT_EQ(printers.Control("USB1", words, &answer), platform::VirtualPrinterClient::Result::Ok)
            << answer;
        EXPECT_EQ(answer.rfind("OK", 0), 0u) << answer;
        return answer;
    }
    long long Reported(const std::string& key) {
        const std::string report = Control("get");
        const std::size_t at = report.find(key + "=");
        return at == std::string::npos ? -1 : std::strtoll(report.c_str() + at + key.size() + 1, nullptr, 0);
    }

    testsupport::TemporaryFolder folder{"eeprom-tcp"};
    printertest::RecordingErrorCallback errors;
    const printer::Target usb1{"USB1", kCode1, kCode2, 0xFF};
    // Declared last: started after the members above and stopped before them, after TearDown.
    vprinter::LoopbackPrinters printers{{"USB1=VK-572D"}, folder.Path()};
};

TEST_F(EepromOverTcp, WritesReadsBackAndReadsTheWholeEepromInOneNegotiation) {
    IEepromRW* eeprom = nullptr;
    ASSERT_EQ(CreateEepromRW(&eeprom, usb1, &errors), 1);
    ASSERT_EQ(eeprom->WriteByte(0xA2, 0x05), 1);
    ASSERT_EQ(eeprom->WriteByte(0xA3, 0xFA), 1);
    const long long before = Reported("negotiations");
    std::array<std::int32_t, 256> values{};
    for (int cell = 0; cell <= 0xFF; ++cell) {
        std::uint8_t value = 0;
        ASSERT_EQ(eeprom->ReadByte(cell, &value), 1) << cell;
        values[static_cast<std::size_t>(cell)] = value;
    }
    EXPECT_EQ(Reported("negotiations") - before, 1);
    EXPECT_EQ(values[0xA2], 0x05);
    EXPECT_EQ(values[0xA3], 0xFA);
    EXPECT_NE(Control("peek=0xA3").find("0xFA"), std::string::npos);
    std::uint16_t word = 0;
    ASSERT_EQ(ReadEepromWord(eeprom, 0xA2, 0xA3, &word), 1);
    EXPECT_EQ(word, 0xFA05);
    EXPECT_EQ(eeprom->PrintDump(values.data()), 1);
    eeprom->Release();
    EXPECT_EQ(Reported("packet-mode"), 0);
    EXPECT_TRUE(errors.Codes().empty());
}

TEST_F(EepromOverTcp, AnOfflinePrinterGivesTheInterfaceErrorAndAFailedReadNoValue) {
    IEepromRW* eeprom = nullptr;
    ASSERT_EQ(CreateEepromRW(&eeprom, usb1, &errors), 1);
    Control("offline=refuse");
    std::uint8_t value = 0x42;
    EXPECT_EQ(eeprom->ReadByte(0x10, &value), 0);
    Control("offline=no");
    ASSERT_EQ(eeprom->ReadByte(0x10, &value), 1);
    // Garbage on a negotiated channel: the read fails, and no value shows as read.
    Control("garbage=1");
    value = 0x42;
    EXPECT_EQ(eeprom->ReadByte(0x11, &value), 0);
    EXPECT_EQ(value, 0x42);
    EXPECT_EQ(errors.Codes(), (std::vector<int>{printer::error::kPortOpen, printer::error::kReadEeprom}));
    Control("garbage=0");
    EXPECT_EQ(eeprom->ReadByte(0x10, &value), 1);
    eeprom->Release();
}

}  // namespace
