// The setting reader against the virtual printer of each shipped profile: the texts it writes into
// the information pane, its progress steps, and that it gives back what it holds on every way out.
#include <gtest/gtest.h>

#include <string>

#include "BoundPrinterFixture.h"
#include "MessageDialogRecorder.h"
#include "RecordingProgress.h"
#include "config/CTolvAppParam.h"
#include "config/CTolvPrnParam.h"
#include "config/ConfigurationScope.h"
#include "dialogs/CAdjustInfoInnerDlg.h"
#include "printer/CPrinterSettingReader.h"
#include "printer/SettingTexts.h"

namespace printertest {
namespace {

class SettingReader : public BoundPrinter, public ::testing::WithParamInterface<const char*> {
protected:
    std::string Profile() const override { return GetParam(); }
    void SetUp() override {
        BoundPrinter::SetUp();
        CTolvAppParam::Instance()->strPortName = "USB1";
        CTolvAppParam::Instance()->strCustomerName = "EUROPE";
        CTolvPrnParam::Instance()->SetProfile(GetParam());
        PublishInformationPane(&pane);
        progress.AddRef();
        // Known settings: table PC 850, Uni-d, Table1, 11 inches.
        ports.Control("USB1",
                      "poke=0x21:1 poke=0x22:0 poke=0x23:1 poke=0x24:1 poke=0x25:0x78 poke=0x26:0x0F");
    }
    void TearDown() override {
        PublishInformationPane(nullptr);
        EXPECT_EQ(progress.ReferenceCount(), 1) << "the reader kept a reference to the progress window";
        BoundPrinter::TearDown();
    }
    bool HasUsbSerial() const { return CTolvPrnParam::Instance()->nADRSUSBSerial >= 0; }
    std::string StoredSerial() {
        std::string serial;
        for (int i = 0; i < 18; ++i) {
            const std::uint8_t byte = Stored(CTolvPrnParam::Instance()->nADRSUSBSerial + i);
            if (byte == 0) {
                break;
            }
            serial += static_cast<char>(byte);
        }
        return serial;
    }

    config::ScopedConfiguration configuration;
    MessageDialogRecorder messages;
    CAdjustInfoInnerDlg pane;
    RecordingProgress progress;
    CPrinterSettingReader reader;
};

INSTANTIATE_TEST_SUITE_P(ShippedProfiles, SettingReader, ::testing::Values("VK-572D", "VK-2240II"));

TEST_P(SettingReader, FillsThePrinterInformationFromTheEeprom) {
    pane.m_fields.strBidValue[0] = "3";
    ASSERT_EQ(reader.Read(&progress, CPrinterSettingReader::kAll), 1);
    const CAdjustInfoFields& fields = pane.m_fields;
    EXPECT_EQ(fields.strDeviceID, std::string("ORLEX ") + GetParam());
    EXPECT_EQ(fields.strCharTable, "PC 850");
    EXPECT_EQ(fields.strPrintDirection, "Uni-d");
    EXPECT_EQ(fields.strIBMChar, "Table1");
    EXPECT_EQ(fields.strPageLength, "11\"");
    // Only the fields of the mask are touched.
    EXPECT_EQ(fields.strBidValue[0], "3");
    if (HasUsbSerial()) {
        EXPECT_EQ(fields.strUSBSerial.size(), StoredSerial().size());
        EXPECT_EQ(fields.strUSBSerial, StoredSerial());
        EXPECT_EQ(fields.strUSBSerial.rfind("VPRT", 0), 0u) << fields.strUSBSerial;
    } else {
        EXPECT_EQ(fields.strUSBSerial, "");
    }
    EXPECT_NE(pane.PrinterInfoText().find("Page Length:  11\""), std::string::npos) << pane.PrinterInfoText();
    EXPECT_TRUE(messages.Texts().empty());
    // Every step of the 24 but the cleared field's, then back to the start.
    EXPECT_EQ(progress.stepCount, 24);
    EXPECT_EQ(progress.steps, 23);
    EXPECT_EQ(progress.resets, 1);
    EXPECT_EQ(progress.position, 0);
    // All the reads ran on one channel, which is closed again.
    EXPECT_FALSE(printer->InPacketMode());
    EXPECT_EQ(ports.OpenNow("USB1"), 0);
}

TEST_P(SettingReader, TheThaiCustomerNamesTheTablesOfItsOwn) {
    CTolvAppParam::Instance()->strCustomerName = "THAI";
    ports.Control("USB1", "poke=0x21:0");
    ASSERT_EQ(reader.Read(&progress, CPrinterSettingReader::kCharacterTable), 1);
    EXPECT_EQ(pane.m_fields.strCharTable, "KU 42");
    CTolvAppParam::Instance()->strCustomerName = "EUROPE";
    ASSERT_EQ(reader.Read(&progress, CPrinterSettingReader::kCharacterTable), 1);
    EXPECT_EQ(pane.m_fields.strCharTable, "PC 437");
}

TEST_P(SettingReader, AnOfflinePrinterSaysSoOnceAndFillsNothing) {
    pane.m_fields.strCharTable = "old";
    ports.Control("USB1", "offline=refuse");
    EXPECT_EQ(reader.Read(&progress, CPrinterSettingReader::kAll), 0);
    EXPECT_EQ(messages.Texts(),
              std::vector<std::string>{"Interface Error\nMake sure cable connection\nand Printer Status."});
    // The mask's fields were cleared before the reads, and stay so.
    EXPECT_EQ(pane.m_fields.strCharTable, "");
    EXPECT_EQ(pane.m_fields.strDeviceID, "");
    EXPECT_EQ(progress.resets, 0);
    EXPECT_EQ(ports.OpenNow("USB1"), 0);
}

TEST_P(SettingReader, AFailedReadEndsTheRunAndClosesTheChannel) {
    ports.Control("USB1", "drop-after=90");
    EXPECT_EQ(reader.Read(&progress, CPrinterSettingReader::kAll), 0);
    ASSERT_FALSE(messages.Texts().empty());
    EXPECT_EQ(messages.Texts().back(), "Cannot Read EEPROM");
    EXPECT_EQ(pane.m_fields.strPageLength, "");
    EXPECT_FALSE(printer->InPacketMode());
    EXPECT_EQ(ports.OpenNow("USB1"), 0);
}

TEST_P(SettingReader, WorksWithoutAPublishedPaneOrProgressWindow) {
    PublishInformationPane(nullptr);
    EXPECT_EQ(reader.Read(nullptr, CPrinterSettingReader::kAll), 1);
    EXPECT_EQ(ports.OpenNow("USB1"), 0);
}

TEST(SettingReaderSteps, EachBitAddsItsSteps) {
    EXPECT_EQ(CPrinterSettingReader::StepCount(255), 24);
    EXPECT_EQ(CPrinterSettingReader::StepCount(0), 0);
    EXPECT_EQ(CPrinterSettingReader::StepCount(2), 18);
    EXPECT_EQ(CPrinterSettingReader::StepCount(4 | 64), 2);
    EXPECT_EQ(CPrinterSettingReader::StepCount(128), 0);
}

TEST(SettingTexts, ValuesNameTheirSettings) {
    struct Case {
        int value;
        bool thai;
        const char* name;
    } const tables[] = {
        {0, false, "PC 437"},
        {5, false, "PC 858"},
        {6, false, "Unknown"},
        {128, false, "Italic U.S.A."},
        {130, false, "Itaic Germany"},
        {135, false, "Italic Spain"},
        {136, false, "Unknown"},
        {0xFFFF, false, "additional character table"},
        {0, true, "KU 42"},
        {6, true, "TSM/WIN"},
        {14, true, "ISO 8859-15"},
        {15, true, "Unknown"},
        {0xFFFF, true, "Unknown"},
    };
    for (const Case& c : tables) {
        EXPECT_EQ(printer::CharacterTableName(c.value, c.thai), c.name) << c.value << (c.thai ? " thai" : "");
    }
    EXPECT_EQ(printer::PrintingDirectionName(0), "Bi-d");
    EXPECT_EQ(printer::PrintingDirectionName(1), "Uni-d");
    EXPECT_EQ(printer::PrintingDirectionName(2), "Auto");
    EXPECT_EQ(printer::PrintingDirectionName(3), "unknown");
    EXPECT_EQ(printer::IbmCharacterName(0), "Table2");
    EXPECT_EQ(printer::IbmCharacterName(1), "Table1");
    EXPECT_EQ(printer::IbmCharacterName(255), "unknown");
    EXPECT_EQ(printer::PageLengthText(3960), "11\"");
    EXPECT_EQ(printer::PageLengthText(4319), "11\"");
    EXPECT_EQ(printer::PageLengthText(4320), "12\"");
    EXPECT_EQ(printer::PageLengthText(359), "0\"");
}

}  // namespace
}  // namespace printertest
