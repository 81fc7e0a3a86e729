// Status, settings and streams end to end: Plexer and ChanLink loaded by name, the port reached
// through the device seam's virtual back-end on the virtual printer server over loopback TCP.
#include <gtest/gtest.h>

#include <string>

#include "RecordingProgress.h"
#include "config/CTolvAppParam.h"
#include "config/CTolvPrnParam.h"
#include "config/ConfigurationScope.h"
#include "dialogs/CAdjustInfoInnerDlg.h"
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
        CTolvAppParam::Instance()->strPortName = "USB1";
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
    // Declared last: started after the members above and stopped before them, after TearDown.
    vprinter::LoopbackPrinters printers{{"USB1=VK-572D"}, folder.Path()};
};

TEST_F(PrinterOverTcp, StatusCodesTravelTheWholeWay) {
    IPrinterStatus* status = nullptr;
    ASSERT_EQ(CreatePrinterStatus(&status, "USB1"), 1);
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
    EXPECT_EQ(printer::WaitPrinterReady("USB1", 250), 0);
    Control("offline=no");
    EXPECT_EQ(printer::WaitPrinterReady("USB1", 250), 1);
}

TEST_F(PrinterOverTcp, SettingReaderFillsThePane) {
    Control("poke=0x21:0x80 poke=0x22:0 poke=0x23:2");
    CAdjustInfoInnerDlg pane;
    PublishInformationPane(&pane);
    RecordingProgress progress;
    progress.AddRef();
    CPrinterSettingReader reader;
    EXPECT_EQ(reader.Read(&progress, CPrinterSettingReader::kAll), 1);
    PublishInformationPane(nullptr);
    EXPECT_EQ(pane.m_fields.strDeviceID, "ORLEX VK-572D");
    EXPECT_EQ(pane.m_fields.strUSBSerial.rfind("VPRT", 0), 0u) << pane.m_fields.strUSBSerial;
    EXPECT_EQ(pane.m_fields.strCharTable, "Italic U.S.A.");
    EXPECT_EQ(pane.m_fields.strPrintDirection, "Auto");
    EXPECT_EQ(progress.steps, 23);
    EXPECT_EQ(progress.ReferenceCount(), 1);
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
