// The Printer Info reading as the adjustment dialog runs it, against the virtual printer of each
// shipped profile: the setting reader of the selected printer into the information pane, its steps on
// the progress window, the program's error messages, and that it gives back what it holds.
#include <gtest/gtest.h>

#include <string>

#include "BoundPrinterFixture.h"
#include "MessageDialogRecorder.h"
#include "RecordingProgress.h"
#include "config/CTolvAppParam.h"
#include "config/CTolvPrnParam.h"
#include "config/ConfigurationScope.h"
#include "dialogs/CAdjustInfoInnerDlg.h"
#include "pages/CPrinterErrorCallback.h"
#include "pages/PaneSettingSink.h"
#include "patterns/SelectedPrinter.h"
#include "printer/CPrinterSettingReader.h"

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

    // The reading of the Printer Info button: the selected printer, the program's error messages,
    // the pane and the progress window.
    class Reading {
    public:
        int Read(IProgressCallback* progress, int mask) {
            IPrinterErrorCallback* errors = nullptr;
            CreatePrinterErrorCallback(&errors);
            pages::PaneSettingSink sink(progress);
            const int result =
                CPrinterSettingReader(patterns::SelectedPrinter(), patterns::SelectedSettingMap(), errors)
                    .Read(sink, mask);
            errors->Release();
            return result;
        }
    };

    config::ScopedConfiguration configuration;
    MessageDialogRecorder messages;
    CAdjustInfoInnerDlg pane;
    RecordingProgress progress;
    Reading reader;
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

}  // namespace
}  // namespace printertest
