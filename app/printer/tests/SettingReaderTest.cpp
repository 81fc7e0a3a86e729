// The setting reader against the virtual printer of each shipped profile: the texts it hands its
// sink, its steps, the failures it reports, and that it leaves the port closed on every way out.
#include <gtest/gtest.h>

#include <string>

#include "BoundPrinterFixture.h"
#include "RecordingErrorCallback.h"
#include "RecordingSettingSink.h"
#include "config/CTolvPrnParam.h"
#include "config/ConfigurationScope.h"
#include "printer/CPrinterSettingReader.h"
#include "printer/SettingTexts.h"

namespace printertest {
namespace {

using printer::SettingField;

class SettingReader : public BoundPrinter, public ::testing::WithParamInterface<const char*> {
protected:
    std::string Profile() const override { return GetParam(); }
    void SetUp() override {
        BoundPrinter::SetUp();
        CTolvPrnParam::Instance()->SetProfile(GetParam());
        // Known settings: table PC 850, Uni-d, Table1, 11 inches.
        ports.Control("USB1",
                      "poke=0x21:1 poke=0x22:0 poke=0x23:1 poke=0x24:1 poke=0x25:0x78 poke=0x26:0x0F");
    }
    // The reader of the profile's map, as the pages build it from the model parameters.
    CPrinterSettingReader Reader(bool thai = false) {
        const CTolvPrnParam& model = *CTolvPrnParam::Instance();
        printer::SettingMap map;
        map.usbSerial = model.nADRSUSBSerial;
        for (std::size_t i = 0; i < map.initial.size() && i < model.pnEEPInitAddress.size(); ++i) {
            map.initial[i] = model.pnEEPInitAddress[i];
        }
        map.thaiCustomer = thai;
        return CPrinterSettingReader({"USB1", CommandCode(0), CommandCode(1), 0xFF}, map, &errors);
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
    RecordingErrorCallback errors;
    RecordingSettingSink sink;
};

INSTANTIATE_TEST_SUITE_P(ShippedProfiles, SettingReader, ::testing::Values("VK-572D", "VK-2240II"));

TEST_P(SettingReader, ReadsThePrinterInformationFromTheEeprom) {
    ASSERT_EQ(Reader().Read(sink, CPrinterSettingReader::kAll), 1);
    EXPECT_EQ(sink.Text(SettingField::DeviceId), std::string("ORLEX ") + GetParam());
    EXPECT_EQ(sink.Text(SettingField::CharacterTable), "PC 850");
    EXPECT_EQ(sink.Text(SettingField::PrintingDirection), "Uni-d");
    EXPECT_EQ(sink.Text(SettingField::IbmCharacter), "Table1");
    EXPECT_EQ(sink.Text(SettingField::PageLength), "11\"");
    EXPECT_EQ(sink.Text(SettingField::Reserved), "");
    if (HasUsbSerial()) {
        EXPECT_EQ(sink.Text(SettingField::UsbSerial).size(), StoredSerial().size());
        EXPECT_EQ(sink.Text(SettingField::UsbSerial), StoredSerial());
        EXPECT_EQ(sink.Text(SettingField::UsbSerial).rfind("VPRT", 0), 0u);
    } else {
        EXPECT_EQ(sink.Text(SettingField::UsbSerial), "");
    }
    EXPECT_TRUE(errors.Codes().empty());
    // The seven fields are cleared first; then every step of the 24 but the cleared field's.
    ASSERT_GE(sink.shown.size(), 7u);
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(sink.shown[i].second, "") << i;
    }
    EXPECT_EQ(sink.stepCount, 24);
    EXPECT_EQ(sink.steps, 23);
    EXPECT_EQ(sink.finishes, 1);
    // All the reads ran on one channel, which is closed again.
    EXPECT_FALSE(printer->InPacketMode());
    EXPECT_EQ(ports.OpenNow("USB1"), 0);
}

TEST_P(SettingReader, TheSerialNumberGrowsByACharacterPerByteRead) {
    if (!HasUsbSerial()) {
        GTEST_SKIP() << "the model has no USB serial number";
    }
    ASSERT_EQ(Reader().Read(sink, CPrinterSettingReader::kUsbSerial), 1);
    std::vector<std::string> serials;
    for (const auto& [field, text] : sink.shown) {
        if (field == SettingField::UsbSerial && !text.empty()) {
            serials.push_back(text);
        }
    }
    ASSERT_FALSE(serials.empty());
    EXPECT_EQ(serials.front(), StoredSerial().substr(0, 1));
    EXPECT_EQ(serials.back(), StoredSerial());
    EXPECT_EQ(sink.steps, 18);
}

TEST_P(SettingReader, TheThaiCustomerNamesTheTablesOfItsOwn) {
    ports.Control("USB1", "poke=0x21:0");
    ASSERT_EQ(Reader(true).Read(sink, CPrinterSettingReader::kCharacterTable), 1);
    EXPECT_EQ(sink.Text(SettingField::CharacterTable), "KU 42");
    ASSERT_EQ(Reader(false).Read(sink, CPrinterSettingReader::kCharacterTable), 1);
    EXPECT_EQ(sink.Text(SettingField::CharacterTable), "PC 437");
}

TEST_P(SettingReader, AnOfflinePrinterSaysSoOnceAndFillsNothing) {
    ports.Control("USB1", "offline=refuse");
    EXPECT_EQ(Reader().Read(sink, CPrinterSettingReader::kAll), 0);
    EXPECT_EQ(errors.Codes(), std::vector<int>{printer::error::kPortOpen});
    // The mask's fields were cleared before the reads, and stay so.
    EXPECT_EQ(sink.Text(SettingField::CharacterTable), "");
    EXPECT_EQ(sink.Text(SettingField::DeviceId), "");
    EXPECT_EQ(sink.finishes, 0);
    EXPECT_EQ(ports.OpenNow("USB1"), 0);
}

TEST_P(SettingReader, AFailedReadEndsTheRunAndClosesTheChannel) {
    ports.Control("USB1", "drop-after=90");
    EXPECT_EQ(Reader().Read(sink, CPrinterSettingReader::kAll), 0);
    ASSERT_FALSE(errors.Codes().empty());
    EXPECT_EQ(errors.Codes().back(), printer::error::kReadEeprom);
    EXPECT_EQ(sink.Text(SettingField::PageLength), "");
    EXPECT_FALSE(printer->InPacketMode());
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
