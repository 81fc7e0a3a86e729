// Status, settings and streams end to end: Plexer and ChanLink loaded by name, the port reached
// through the device seam's virtual back-end on the virtual printer server over loopback TCP.
#include <gtest/gtest.h>

#include <string>

#include "RecordingErrorCallback.h"
#include "RecordingSettingSink.h"
#include "config/CTolvPrnParam.h"
#include "config/ConfigurationScope.h"
#include "platform/Device.h"
#include "platform/VirtualPrinterClient.h"
#include "printer/CAutoPrinterStream.h"
#include "printer/CPortLibraryBinder.h"
#include "printer/CPrinterSettingReader.h"
#include "printer/CPrinterStatusHeron.h"
#include "printer/WaitForPrinter.h"
#include "testsupport/MessageRecorder.h"
#include "testsupport/TemporaryFolder.h"
#include "vprinter/server/LoopbackPrinters.h"

namespace printertest {
namespace {

class PrinterOverTcp : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(printers.Ok()) << printers.Error();
        printers.InstallAsDeviceBackend();
        ASSERT_TRUE(CPortLibraryBinder::BindLibraries());
        CTolvPrnParam::Instance()->SetProfile("VK-572D");
    }
    void TearDown() override {
        CPortLibraryBinder::ClosePort();
        CPortLibraryBinder::UnbindLibraries();
    }
    void Control(const std::string& words) {
        std::string answer;
        ASSERT_EQ(printers.Control("USB1", words, &answer), platform::VirtualPrinterClient::Result::Ok)
            << answer;
        ASSERT_EQ(answer.rfind("OK", 0), 0u) << answer;
    }

    testsupport::TemporaryFolder folder{"printer-tcp"};
    config::ScopedConfiguration configuration;
    testsupport::MessageRecorder messages;
    const printer::Target usb1{"USB1", 0x57, 0x2D, 0xFF};
    // Declared last: started after the members above and stopped before them, after TearDown.
    vprinter::LoopbackPrinters printers{{"USB1=VK-572D"}, folder.Path()};
};

TEST_F(PrinterOverTcp, StatusCodesTravelTheWholeWay) {
    IPrinterStatus* status = nullptr;
    ASSERT_EQ(CreatePrinterStatus(&status, usb1), 1);
    ASSERT_EQ(status->Refresh(), 1);
    EXPECT_EQ(status->GetStatusCode(), 4);
    Control("error-state=12");
    ASSERT_EQ(status->Refresh(), 1);
    EXPECT_EQ(status->GetStatusCode(), 0);
    EXPECT_EQ(status->GetErrorCode(), 12);
    Control("offline=refuse");
    EXPECT_EQ(status->Refresh(), 0);
    EXPECT_EQ(status->GetErrorCode(), 12);
    status->Release();
    EXPECT_EQ(printer::WaitPrinterReady(usb1, 250), 0);
    Control("offline=no");
    EXPECT_EQ(printer::WaitPrinterReady(usb1, 250), 1);
}

TEST_F(PrinterOverTcp, SettingReaderReadsEverySetting) {
    Control("poke=0x21:0x80 poke=0x22:0 poke=0x23:2");
    const CTolvPrnParam& model = *CTolvPrnParam::Instance();
    printer::SettingMap map;
    map.usbSerial = model.nADRSUSBSerial;
    for (std::size_t i = 0; i < map.initial.size() && i < model.pnEEPInitAddress.size(); ++i) {
        map.initial[i] = model.pnEEPInitAddress[i];
    }
    RecordingErrorCallback errors;
    RecordingSettingSink sink;
    CPrinterSettingReader reader(usb1, map, &errors);
    EXPECT_EQ(reader.Read(sink, CPrinterSettingReader::kAll), 1);
    EXPECT_EQ(sink.Text(printer::SettingField::DeviceId), "ORLEX VK-572D");
    EXPECT_EQ(sink.Text(printer::SettingField::UsbSerial).rfind("VPRT", 0), 0u)
        << sink.Text(printer::SettingField::UsbSerial);
    EXPECT_EQ(sink.Text(printer::SettingField::CharacterTable), "Italic U.S.A.");
    EXPECT_EQ(sink.Text(printer::SettingField::PrintingDirection), "Auto");
    EXPECT_EQ(sink.steps, 23);
    EXPECT_TRUE(errors.Codes().empty());
    EXPECT_TRUE(messages.Texts().empty());
}

TEST_F(PrinterOverTcp, SearchingStreamFindsTheServersPrinter) {
    platform::ISequentialStream* stream = nullptr;
    ASSERT_EQ(CreateD4Stream(&stream, -1), 1);
    auto* concrete = static_cast<CAutoPrinterStream*>(static_cast<IPrinterStream*>(stream));
    EXPECT_EQ(concrete->GetPort(), 0x0401);
    EXPECT_EQ(concrete->GetModelName(), "VK-572D");
    const std::uint8_t reset[] = {0x1B, 0x40};
    std::uint32_t written = 0;
    EXPECT_EQ(stream->Write(reset, 2, &written), platform::kSOk);
    EXPECT_EQ(written, 2u);
    stream->Release();
}

}  // namespace
}  // namespace printertest
