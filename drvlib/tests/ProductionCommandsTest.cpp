// Production commands against printers of the model in process: the frames as they reach the printer
// (on USB inside the data packet the library writes itself), the values read back from what the
// printer holds, and the answers that carry no value.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "DriverFixture.h"
#include "drvlib/CWinVexilDrv.h"
#include "vprinter/server/LoopbackPrinters.h"

namespace drvtest {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The key bytes of the VK-572D (its pnRNumber).
constexpr std::uint8_t kK1 = 0x57;
constexpr std::uint8_t kK2 = 0x2D;

bool Contains(const Bytes& haystack, const Bytes& needle) {
    return std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end()) != haystack.end();
}

// The data packet of channel 0x40 that carries a frame: the header with the length big-endian, credit 1,
// control 1.
Bytes DataPacket(const Bytes& frame) {
    const std::size_t length = frame.size() + 6;
    Bytes packet{0x40, 0x40, static_cast<std::uint8_t>(length >> 8), static_cast<std::uint8_t>(length & 0xFF),
                 0x01, 0x01};
    packet.insert(packet.end(), frame.begin(), frame.end());
    return packet;
}

class ProductionCommandsTest : public DriverFixture {
protected:
    // The bytes the host wrote to the port while the call ran.
    Bytes WrittenDuring(const std::string& port, const std::function<void()>& call) {
        const std::size_t before = ports.Written(port).size();
        call();
        const Bytes& written = ports.Written(port);
        return Bytes(written.begin() + static_cast<std::ptrdiff_t>(before), written.end());
    }
};

TEST_F(ProductionCommandsTest, UsbFramesReachThePrinterAsTheProtocolSpellsThem) {
    AddPrinter("USB1");
    CWinVexilDrv driver;
    OpenUsb1(driver);
    unsigned char value = 0;
    CString text;
    struct Case {
        const char* name;
        std::function<void()> call;
        Bytes frame;
    };
    const std::vector<Case> cases = {
        {"EEP_SIDM wide",
         [&] { driver.Prod_ReplyEEP_SIDM(kK1, kK2, 0x1234, &value, 1); },
         {0x1B, 0x7C, 0x00, 0x06, 0x00, kK1, kK2, 0x10, 0xEF, 0x08, 0x34, 0x12}},
        {"EEP_SIDM narrow",
         [&] { driver.Prod_ReplyEEP_SIDM(kK1, kK2, 0x1234, &value, 0); },
         {0x1B, 0x7C, 0x00, 0x06, 0x00, kK1, kK2, 0x10, 0xEF, 0x08, 0x34}},
        {"RomVer2",
         [&] { driver.Prod_ReplyRomVer2(kK1, kK2, &text); },
         {0x1B, 0x7C, 0x00, 0x05, 0x00, kK1, kK2, 0x21, 0xDE, 0x90}},
        {"Sens",
         [&] { driver.Prod_ReplySens(kK1, kK2, &value); },
         {0x1B, 0x7C, 0x00, 0x05, 0x00, kK1, kK2, 0x24, 0xDB, 0x12}},
        {"EEP",
         [&] { driver.Prod_ReplyEEP(kK1, kK2, 0x9A, &value); },
         {0x1B, 0x7C, 0x00, 0x06, 0x00, kK1, kK2, 0x41, 0xBE, 0xA0, 0x9A}},
        {"EEP2",
         [&] { driver.Prod_ReplyEEP2(kK1, kK2, 0x9A, 0x01, &value); },
         {0x1B, 0x7C, 0x00, 0x07, 0x00, kK1, kK2, 0x41, 0xBE, 0xA0, 0x9A, 0x01}},
        {"EEP_LFP",
         [&] { driver.Prod_ReplyEEP_LFP(kK1, kK2, 0x0456, &value); },
         {0x1B, 0x7C, 0x01, 0x07, 0x00, kK1, kK2, 0x41, 0xBE, 0xA0, 0x56, 0x04}},
        {"Flash",
         [&] { driver.Prod_ReplyFlash(kK1, kK2, 0x0A, 0x0B, &value); },
         {0x1B, 0x7C, 0x00, 0x07, 0x00, kK1, kK2, 0x71, 0x8E, 0xB8, 0x0A, 0x0B}},
        {"CSIC",
         [&] { driver.Prod_ReplyCSIC(kK1, kK2, 0x1C3, 0x0B, &value); },
         {0x1B, 0x7C, 0x00, 0x07, 0x00, kK1, kK2, 0x61, 0x9E, 0xB0, 0xC3, 0x0B}},
        {"TimerIC",
         [&] { driver.Prod_ReplyTimerIC(kK1, kK2, &text); },
         {0x1B, 0x7C, 0x00, 0x05, 0x00, kK1, kK2, 0x45, 0xBA, 0xA2}},
        {"ACK",
         [&] { driver.Prod_ReplyACK(kK1, kK2, &text); },
         {0x1B, 0x7C, 0x00, 0x05, 0x00, kK1, kK2, 0xFA, 0x05, 0x7D}},
        {"HeadTemp",
         [&] { driver.Prod_ReplyHeadTemp(&text); },
         {0x1B, '(', 'R', 0x08, 0x00, 0x00, 'R',  'E',  'M',  'O',  'T',
          'E',  '1', 'H', 'T',  0x01, 0x00, 0x01, 0x1B, 0x00, 0x00, 0x00}},
        {"RomVer", [&] { driver.Prod_ReplyRomVer(&text); }, {0x1B, '(',  'R',  0x08, 0x00, 0x00, 'R', 'E',
                                                             'M',  'O',  'T',  'E',  '1',  'V',  'I', 0x02,
                                                             0x00, 0x01, 0x00, 0x1B, 0x00, 0x00, 0x00}},
    };
    ASSERT_EQ(cases[11].frame.size(), 22u);
    ASSERT_EQ(cases[12].frame.size(), 23u);
    for (const Case& c : cases) {
        const Bytes written = WrittenDuring("USB1", c.call);
        EXPECT_TRUE(Contains(written, DataPacket(c.frame))) << c.name;
    }
    driver.Close();
}

TEST_F(ProductionCommandsTest, UsbValuesAreWhatThePrinterHolds) {
    vprinter::VirtualPrinter& printer = AddPrinter("USB1");
    CWinVexilDrv driver;
    OpenUsb1(driver);
    ASSERT_TRUE(printer.Core().EepromImage().Write(0x20, 0xA5));
    unsigned char value = 0;
    EXPECT_EQ(driver.Prod_ReplyEEP_SIDM(kK1, kK2, 0x20, &value, 0), 0);
    EXPECT_EQ(value, 0xA5);
    ASSERT_TRUE(printer.Core().EepromImage().Write(0x21, 0x00));
    value = 0x77;
    EXPECT_EQ(driver.Prod_ReplyEEP(kK1, kK2, 0x21, &value), 0);
    EXPECT_EQ(value, 0x00);

    ports.Control("USB1", "sensors=0x5A rom=2.34");
    EXPECT_EQ(driver.Prod_ReplySens(kK1, kK2, &value), 0);
    EXPECT_EQ(value, 0x5A);
    CString text;
    EXPECT_EQ(driver.Prod_ReplyRomVer2(kK1, kK2, &text), 0);
    EXPECT_EQ(text, "2.34");
    EXPECT_EQ(driver.Prod_ReplyRomVer(&text), 0);
    EXPECT_EQ(text, "2.34");
    EXPECT_EQ(driver.Prod_ReplyHeadTemp(&text), 0);
    EXPECT_EQ(text, "25");
    EXPECT_EQ(driver.Prod_ReplyACK(kK1, kK2, &text), 0);
    EXPECT_EQ(text, "AK");
    EXPECT_EQ(driver.Prod_ReplyTimerIC(kK1, kK2, &text), 0);
    EXPECT_EQ(text.GetLength(), 14);
    EXPECT_EQ(text.Left(8), "20260101");
    value = 0x77;
    EXPECT_EQ(driver.Prod_ReplyFlash(kK1, kK2, 0, 0, &value), 0);
    EXPECT_EQ(value, 0x00);
    EXPECT_EQ(driver.Prod_ReplyCSIC(kK1, kK2, 0x12, 0, &value), 0);
    driver.Close();
}

TEST_F(ProductionCommandsTest, TwoByteAddressesReachPastTheFirst256Bytes) {
    vprinter::VirtualPrinter& printer = AddPrinter("USB1", "VK-2240II");
    CWinVexilDrv driver;
    ASSERT_EQ(driver.Open(11, nullptr, 1), 0);
    ASSERT_TRUE(printer.Core().EepromImage().Write(0x1A5, 0x3C));
    const std::uint8_t k1 = printer.Core().Profile().commandCode[0];
    const std::uint8_t k2 = printer.Core().Profile().commandCode[1];
    unsigned char value = 0;
    EXPECT_EQ(driver.Prod_ReplyEEP_SIDM(k1, k2, 0x1A5, &value, 1), 0);
    EXPECT_EQ(value, 0x3C);
    value = 0;
    EXPECT_EQ(driver.Prod_ReplyEEP_LFP(k1, k2, 0x1A5, &value), 0);
    EXPECT_EQ(value, 0x3C);
    driver.Close();
}

// Another model's key is answered "NA;": no value, so no byte and no text, never 0 taken for a value.
TEST_F(ProductionCommandsTest, AnAnswerWithoutTheValueGivesMinus24AndLeavesTheOutputsCleared) {
    AddPrinter("USB1");
    CWinVexilDrv driver;
    OpenUsb1(driver);
    unsigned char value = 0x77;
    EXPECT_EQ(driver.Prod_ReplyEEP_SIDM(0x01, 0x02, 0x20, &value, 0), -24);
    EXPECT_EQ(value, 0);
    value = 0x77;
    EXPECT_EQ(driver.Prod_ReplySens(0x01, 0x02, &value), -24);
    EXPECT_EQ(value, 0);
    CString text = "old";
    EXPECT_EQ(driver.Prod_ReplyRomVer2(0x01, 0x02, &text), -24);
    EXPECT_TRUE(text.IsEmpty());
    text = "old";
    EXPECT_EQ(driver.Prod_ReplyTimerIC(0x01, 0x02, &text), -24);
    EXPECT_TRUE(text.IsEmpty());
    driver.Close();
}

TEST_F(ProductionCommandsTest, ASilentUsbPrinterGivesAFailureAndNoValue) {
    vprinter::VirtualPrinter& printer = AddPrinter("USB1");
    CWinVexilDrv driver;
    OpenUsb1(driver);
    ASSERT_TRUE(printer.Core().EepromImage().Write(0x20, 0xA5));
    ports.Control("USB1", "offline=silent");
    unsigned char value = 0x77;
    EXPECT_LT(driver.Prod_ReplyEEP_SIDM(kK1, kK2, 0x20, &value, 0), 0);
    EXPECT_EQ(value, 0);
    driver.Close();
}

class ParallelProductionTest : public ProductionCommandsTest {
protected:
    void OpenLpt1(CWinVexilDrv& driver) {
        CString model;
        ASSERT_EQ(driver.Open(1, &model, 1), 0);
        ASSERT_EQ(model, "ORLEX VK-572D");
    }
};

TEST_F(ParallelProductionTest, TheExchangeRunsThroughTheTransportLibraryOnTheDataChannel) {
    vprinter::VirtualPrinter& printer = AddPrinter("LPT1");
    CWinVexilDrv driver;
    OpenLpt1(driver);
    ASSERT_TRUE(printer.Core().EepromImage().Write(0x31, 0xC4));
    unsigned char value = 0;
    EXPECT_EQ(driver.Prod_ReplyEEP_SIDM(kK1, kK2, 0x31, &value, 0), 0);
    EXPECT_EQ(value, 0xC4);
    CString text;
    EXPECT_EQ(driver.Prod_ReplyHeadTemp(&text), 0);
    EXPECT_EQ(text, "25");
    driver.Close();
}

// A parallel printer that never answers leaves the reply empty after 30 polls: the exchange itself
// succeeds, but there is no byte, and the value stays 0 rather than reading as EEPROM byte 0.
TEST_F(ParallelProductionTest, ASilentPrinterGivesMinus24AfterThirtyPolls) {
    AddPrinter("LPT1");
    CWinVexilDrv driver;
    OpenLpt1(driver);
    ports.Control("LPT1", "offline=silent");
    unsigned char value = 0x77;
    const std::uint64_t before = Elapsed();
    EXPECT_EQ(driver.Prod_ReplySens(kK1, kK2, &value), -24);
    EXPECT_EQ(value, 0);
    // The wait time, then 30 polls of at least 100 ms each.
    EXPECT_GE(Elapsed() - before, 100u + 30u * 100u);
    driver.Close();
}

// A port on the ECP driver takes only the remote-mode queries and the acknowledgement.
TEST_F(ParallelProductionTest, OnTheEcpDriverTheFrameFamilyGivesMinus50AndSendsNothing) {
    AddPrinter("LPT1");
    ports.Control("LPT1", "device-id=MFG:ORLEX;MDL:VK-572D;CMD:VXPRINT24,D4,SPC;");
    CWinVexilDrv driver;
    ASSERT_EQ(driver.Open(1, nullptr, 1), 0);
    ASSERT_EQ(driver.CheckDirectMode(), 0);
    unsigned char value = 0x77;
    CString text = "old";
    const Bytes written = WrittenDuring("LPT1", [&] {
        EXPECT_EQ(driver.Prod_ReplySens(kK1, kK2, &value), -50);
        EXPECT_EQ(driver.Prod_ReplyEEP_SIDM(kK1, kK2, 0x20, &value, 0), -50);
        EXPECT_EQ(driver.Prod_ReplyRomVer2(kK1, kK2, &text), -50);
    });
    EXPECT_TRUE(written.empty());
    EXPECT_EQ(value, 0);
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(driver.Prod_ReplyHeadTemp(&text), 0);
    EXPECT_EQ(text, "25");
    EXPECT_EQ(driver.Prod_ReplyACK(kK1, kK2, &text), 0);
    EXPECT_EQ(text, "AK");
    driver.Close();
}

// An IEEE 1394 unit has no connection: the frame goes out in one plain write and the answer is read
// plainly, the same text as on the other ports.
TEST_F(ProductionCommandsTest, AnIeee1394UnitAnswersWithoutAConnection) {
    vprinter::VirtualPrinter& printer = AddPrinter("1394-1");
    CWinVexilDrv driver;
    ASSERT_EQ(driver.Open(21, nullptr, 1), 0);
    ASSERT_TRUE(printer.Core().EepromImage().Write(0x22, 0x6B));
    unsigned char value = 0;
    const Bytes written =
        WrittenDuring("1394-1", [&] { EXPECT_EQ(driver.Prod_ReplyEEP_SIDM(kK1, kK2, 0x22, &value, 0), 0); });
    EXPECT_EQ(written, (Bytes{0x1B, 0x7C, 0x00, 0x06, 0x00, kK1, kK2, 0x10, 0xEF, 0x08, 0x22}));
    EXPECT_EQ(value, 0x6B);
    CString text;
    EXPECT_EQ(driver.Prod_ReplyRomVer(&text), 0);
    EXPECT_EQ(text, "1.00");
    driver.Close();
}

TEST(ProductionOverTcpTest, TheEepromByteComesBackOverLoopback) {
    platform::VirtualClock clock;
    platform::ScopedClock scopedClock(clock);
    vprinter::LoopbackPrinters printers({"USB1=VK-572D"}, "");
    ASSERT_TRUE(printers.Ok()) << printers.Error();
    printers.InstallAsDeviceBackend();
    std::string answer;
    printers.Control("USB1", "poke=0x40:0x9E", &answer);
    CWinVexilDrv driver;
    ASSERT_EQ(driver.Open(11, nullptr, 1), 0);
    unsigned char value = 0;
    EXPECT_EQ(driver.Prod_ReplyEEP_SIDM(kK1, kK2, 0x40, &value, 0), 0);
    EXPECT_EQ(value, 0x9E);
    driver.Close();
}

}  // namespace
}  // namespace drvtest
