// The serial number page and the printer information page driven by the scripted technician against
// the virtual printer, checked at the printer's EEPROM and in the information pane.
#include <string>

#include "ScenarioText.h"
#include "SecondModelFixture.h"
#include "ServicePageFixture.h"
#include "dialogs/CAdjustInfoInnerDlg.h"
#include "pages/CHeronPrinterInfoPage.h"
#include "pages/CHeronSerialNoWritePage.h"
#include "printer/UsbSerialNumber.h"

namespace pagetest {
namespace {

const char kPrinterReady[] = "click 1@176\n";
constexpr int kSerialAddress = 0xE0;
// Something the serial page must never write over: the byte after the serial field.
constexpr int kAfterSerial = kSerialAddress + 18;

class SerialPageTest : public ServicePageTest {
protected:
    SerialPageTest() { PublishInformationPane(&pane_); }
    ~SerialPageTest() override { PublishInformationPane(nullptr); }

    std::string StoredSerial(int length) {
        std::string text;
        for (int i = 0; i < length; ++i) {
            text.push_back(static_cast<char>(Stored(kSerialAddress + i)));
        }
        return text;
    }
    void FillSerialField(std::uint8_t value) {
        for (int address = kSerialAddress; address <= kAfterSerial; ++address) {
            Store(address, value);
        }
    }

    CAdjustInfoInnerDlg pane_;
};

TEST_F(SerialPageTest, AFullSerialTakesAllEighteenBytesAndAShortOneIsPaddedWithZeros) {
    FillSerialField(0x77);
    CHeronSerialNoWritePage page;
    Run(page,
        "type 1122 \"ABCDEFGHIJ12345678\"\nclick 1128\n" + std::string(kPrinterReady) + "click 12325\n");
    EXPECT_EQ(StoredSerial(18), "ABCDEFGHIJ12345678");
    EXPECT_EQ(Stored(kAfterSerial), 0x77);
    EXPECT_EQ(pane_.m_fields.strSerialNo, "ABCDEFGHIJ12345678");
    EXPECT_EQ(ProgressWindows(), 0);

    CHeronSerialNoWritePage shorter;
    Run(shorter, "type 1122 \"ab9Z0\"\nclick 1128\n" + std::string(kPrinterReady) + "click 12325\n");
    EXPECT_EQ(StoredSerial(5), "ab9Z0");
    for (int i = 5; i < 18; ++i) {
        EXPECT_EQ(Stored(kSerialAddress + i), 0x00) << i;
    }
    EXPECT_EQ(Stored(kAfterSerial), 0x77);
    EXPECT_EQ(pane_.m_fields.strSerialNo, "ab9Z0");
}

TEST_F(SerialPageTest, ABadSerialIsRefusedBeforeThePrinterIsTouched) {
    FillSerialField(0x77);
    const struct {
        std::string text;
        const char* message;
    } cases[] = {
        {"", "Serial No Length Wrong"},
        {"ABCDEFGHIJ123456789", "Serial No Length Wrong"},
        {"AB-123", "Serial No Letter Wrong"},
        {"AB 123", "Serial No Letter Wrong"},
        {"caf\xC3\xA9", "Serial No Letter Wrong"},
        {"\xFF", "Serial No Letter Wrong"},
    };
    for (const auto& c : cases) {
        CHeronSerialNoWritePage page;
        Run(page, "type 1122 " + Quoted(c.text) + "\nclick 1128\nanswer ok " + Quoted(c.message) +
                      "\nclick 12325\n");
        EXPECT_EQ(pane_.m_fields.strSerialNo, "") << c.text;
    }
    EXPECT_EQ(ports_.OpenCount("USB1"), 0);
    EXPECT_EQ(StoredSerial(19), std::string(19, '\x77'));
}

TEST_F(SerialPageTest, AWriteTheLineDropsUnderIsReportedAndTheRestIsNotWritten) {
    FillSerialField(0x77);
    // The waiting dialog's status exchanges take 84 bytes: the line drops in the first writes.
    Control("drop-after=100");
    CHeronSerialNoWritePage page;
    Run(page, "type 1122 \"SERIAL1\"\nclick 1128\n" + std::string(kPrinterReady) +
                  "click 2@118\nexpect-text 1005@118 \"Fail to Write Serial\"\nclick 2@118\nclick 12325\n");
    EXPECT_EQ(Stored(kSerialAddress + 17), 0x77);
    EXPECT_EQ(ProgressWindows(), 0);
}

using SecondModelSerialTest = SecondModelTest;

TEST_F(SecondModelSerialTest, AModelWithoutASerialNumberHasNothingWrittenOverItsCounters) {
    for (int address = 0; address <= 0x10; ++address) {
        SecondStore(address, 0x5A);
    }
    SecondStore(0xFF, 0x5A);
    CHeronSerialNoWritePage page;
    Run(page, "type 1122 \"ABC123\"\nclick 1128\nexpect-text 1005@118 " + Quoted(printer::kNoUsbSerialText) +
                  "\nclick 1@118\nclick 12325\n");
    for (int address = 0; address <= 0x10; ++address) {
        EXPECT_EQ(SecondStored(address), 0x5A) << address;
    }
    EXPECT_EQ(SecondStored(0xFF), 0x5A);
    EXPECT_EQ(ports_.OpenCount("LPT2"), 0);
}

using PrinterInfoPageTest = SerialPageTest;

TEST_F(PrinterInfoPageTest, EnterFillsThePaneFromThePrinter) {
    FillSerialField(0x00);
    const std::string serial = "SN4711";
    for (std::size_t i = 0; i < serial.size(); ++i) {
        Store(kSerialAddress + static_cast<int>(i), static_cast<std::uint8_t>(serial[i]));
    }
    CHeronPrinterInfoPage page;
    Run(page, "click 1128\n" + std::string(kPrinterReady) + "click 12325\n");
    EXPECT_NE(pane_.m_fields.strDeviceID.find("VK-572D"), std::string::npos) << pane_.m_fields.strDeviceID;
    EXPECT_EQ(pane_.m_fields.strUSBSerial, serial);
    EXPECT_FALSE(pane_.m_fields.strPageLength.empty());
    EXPECT_EQ(ProgressWindows(), 0);
}

}  // namespace
}  // namespace pagetest
