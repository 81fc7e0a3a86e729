// The adjustment dialog's printer buttons against a printer of the virtual printer model at USB1.
#include <gtest/gtest.h>

#include "AdjustmentFixture.h"
#include "config/CTolvAppParam.h"
#include "config/CTolvPrnParam.h"
#include "dialogs/CAdjustInfoInnerDlg.h"
#include "platform/ModulePath.h"
#include "printer/CPortLibraryBinder.h"
#include "vprinter/inprocess/InProcessPrinterPorts.h"

namespace adjusttest {
namespace {

constexpr int kParticular = 1;

class AdjustmentPrinterTest : public AdjustmentRunTest {
protected:
    void SetUp() override {
        // The virtual printer takes its model from the shipped profile, beside the test program.
        static const int here = 0;
        const std::string shipped =
            platform::ModuleFolderContaining(&here) + "Parameter/VK-572D/Parameter.ini";
        folder_.Write("Parameter/VK-572D/Parameter.ini",
                      testsupport::ReadBytes(platform::NativePath(shipped)));
        ports_.AddPrinter("USB1", "VK-572D");
        ASSERT_TRUE(CPortLibraryBinder::BindLibraries());
        CTolvAppParam::Instance()->strPortName = "USB1";
    }
    void TearDown() override {
        CPortLibraryBinder::TerminateChannel();
        CPortLibraryBinder::ClosePort();
        CPortLibraryBinder::UnbindLibraries();
    }

    vprinter::InProcessPrinterPorts ports_;
};

TEST_P(AdjustmentPrinterTest, StatusShowsThePrinterOfTheSelectedPortUntilOk) {
    ports_.Control("USB1", "state=2");
    MainWindowStandIn window(kParticular);
    RunScenario(window, {101},
                "click 7000\n"
                "expect-text 1006@176 \"Printing\"\n"
                "expect-visible 2@176 no\n"
                "wait 4500\n"
                "expect-text 1006@176 \"Printing\"\n"
                "click 1@176\n"
                "expect-text 1000 \"Platen gap\"\n"
                "click 12325\n");
    EXPECT_EQ(window.returns, 1);
    EXPECT_EQ(pages_.stops, 1) << "the page was asked to stop first";
    EXPECT_GE(ports_.OpenCount("USB1"), 4) << "one poll at once and one a second";
    EXPECT_EQ(ports_.OpenNow("USB1"), 0);
}

TEST_P(AdjustmentPrinterTest, StatusOfASilentPortSaysOffline) {
    CTolvAppParam::Instance()->strPortName = "USB2";
    MainWindowStandIn window(kParticular);
    RunScenario(window, {101},
                "click 7000\n"
                "expect-text 1006@176 \"OFFLINE\"\n"
                "click 1@176\n"
                "click 12325\n");
    EXPECT_EQ(window.returns, 1);
    EXPECT_EQ(ports_.OpenNow("USB1"), 0);
}

TEST_P(AdjustmentPrinterTest, PrinterInfoFillsThePaneWhileTheProgressWindowIsOpen) {
    CTolvPrnParam::Instance()->SetProfile("VK-572D");
    // Page length 11 inches (3960 / 360), Uni-d.
    ports_.Control("USB1", "poke=0x23:1 poke=0x25:0x78 poke=0x26:0x0F");
    CAdjustInfoInnerDlg pane;
    PublishInformationPane(&pane);
    MainWindowStandIn window(kParticular);
    RunScenario(window, {101},
                "click 1017\n"
                "click 12325\n");
    PublishInformationPane(nullptr);
    EXPECT_EQ(pane.m_fields.strDeviceID, "ORLEX VK-572D");
    EXPECT_EQ(pane.m_fields.strPrintDirection, "Uni-d");
    EXPECT_EQ(pane.m_fields.strPageLength, "11\"");
    EXPECT_EQ(pages_.stops, 1) << "the page was asked to stop first";
    EXPECT_EQ(ports_.OpenNow("USB1"), 0);
    for (ui::HWindow topLevel : ui::Backend().GetTopLevelWindows()) {
        EXPECT_NE(ui::Backend().GetId(topLevel), 185) << "the progress window was left open";
    }
}

INSTANTIATE_TEST_SUITE_P(Backends, AdjustmentPrinterTest, ::testing::ValuesIn(screentest::TestedBackends()),
                         screentest::BackendCaseName);

}  // namespace
}  // namespace adjusttest
