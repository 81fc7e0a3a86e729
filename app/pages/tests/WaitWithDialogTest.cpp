// Waiting for the virtual printer in the waiting dialog, and a page waiting for the printer of the
// settings, on the virtual clock.
#include <gtest/gtest.h>

#include <string>

#include "BoundPrinterFixture.h"
#include "config/CTolvAppParam.h"
#include "config/CTolvLangText.h"
#include "config/ConfigurationScope.h"
#include "pages/CPrinterCtrlUI.h"
#include "pages/WaitWithDialog.h"
#include "ui/Headless.h"
#include "ui/Scenario.h"

namespace printertest {
namespace {

class WaitForPrinter : public BoundPrinter {
protected:
    void SetUp() override {
        BoundPrinter::SetUp();
        CTolvLangText::Instance()->SetProfile("VK-572D");
        CTolvLangText::Instance()->SetLanguage("English");
    }
    int WithDialog(const std::string& steps) {
        std::string error;
        auto scenario = ui::Scenario::Parse(steps, &error);
        EXPECT_TRUE(scenario) << error;
        headless.AttachScenario(&*scenario);
        const int result = pages::WaitWithDialog(printer::Target{"USB1"}, nullptr);
        headless.AttachScenario(nullptr);
        EXPECT_TRUE(scenario->Failures().empty()) << scenario->Report();
        EXPECT_TRUE(scenario->Finished()) << scenario->Report();
        return result;
    }

    config::ScopedConfiguration configuration;
    ui::HeadlessBackend headless;
    ui::ScopedBackend useHeadless{headless};
};

TEST_F(WaitForPrinter, DialogEnablesOkOnceABusyPrinterIsReady) {
    ports.Control("USB1", "busy-polls=3");
    const int result = WithDialog(
        "expect-text 1006 \"Printing\"\n"
        "expect-enabled 1 no\n"
        "wait 1900\n"
        "expect-enabled 1 no\n"
        // Each poll takes the printer's reply time on top of the second between polls.
        "wait 1500\n"
        "expect-text 1006 \"Ready\"\n"
        "expect-enabled 1 yes\n"
        "click 1\n");
    EXPECT_EQ(result, 1);
    EXPECT_EQ(ports.OpenNow("USB1"), 0);
}

TEST_F(WaitForPrinter, DialogShowsOfflineAndCancelReportsNotReady) {
    ports.Control("USB1", "offline=refuse");
    EXPECT_EQ(WithDialog("expect-text 1006 \"OFFLINE\"\nwait 3000\nexpect-text 1006 \"OFFLINE\"\nclick 2\n"),
              0);
}

TEST_F(WaitForPrinter, DialogNamesThePrintersError) {
    ports.Control("USB1", "error-state=10");
    EXPECT_EQ(
        WithDialog("expect-text 1006 \"" + CTolvLangText::Instance()->strError[10] + "\"\nkey escape\n"), 0);
}

TEST_F(WaitForPrinter, APageWaitsForThePortOfTheSettings) {
    CPrinterCtrlUI page;
    CTolvAppParam::Instance()->strPortName = "USB1";
    EXPECT_EQ(page.WaitPrinterReady(500), 1);
    ports.Control("USB1", "offline=refuse");
    const int opensBefore = ports.OpenCount("USB1");
    EXPECT_EQ(page.WaitPrinterReady(300), 0);
    EXPECT_EQ(ports.OpenCount("USB1") - opensBefore, 3);
    std::string error;
    auto scenario = ui::Scenario::Parse("expect-text 1006 \"OFFLINE\"\nclick 2\n", &error);
    ASSERT_TRUE(scenario) << error;
    headless.AttachScenario(&*scenario);
    EXPECT_EQ(page.WaitWithDialog(), 0);
    headless.AttachScenario(nullptr);
    EXPECT_TRUE(scenario->Finished()) << scenario->Report();
}

}  // namespace
}  // namespace printertest
