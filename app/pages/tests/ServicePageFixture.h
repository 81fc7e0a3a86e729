// A service page in a test: the page in a wizard inside a host window run modally on the headless
// back-end, the scripted technician at the controls, a VK-572D of the virtual printer model at USB1
// reached through Plexer and ChanLink, on the virtual clock, with the shipped model profile and a
// language file of the test's own.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "config/ConfigurationScope.h"
#include "dialogs/CApplicationLook.h"
#include "pages/CMyPropertyPage.h"
#include "platform/Clock.h"
#include "testsupport/TemporaryFolder.h"
#include "ui/Headless.h"
#include "ui/PropertySheet.h"
#include "vprinter/inprocess/InProcessPrinterPorts.h"

namespace pagetest {

// The wizard: Finish that the active page agrees to ends the host with OK.
class HostSheet : public ui::CPropertySheet {
public:
    bool OnCommand(int id, ui::Notification code) override;
};

class PageHost : public ui::CDialog {
public:
    explicit PageHost(std::vector<CMyPropertyPage*> pages);
    bool OnInitDialog() override;

    HostSheet sheet;

private:
    std::vector<CMyPropertyPage*> pages_;
};

class ServicePageTest : public ::testing::Test {
protected:
    ServicePageTest();
    ~ServicePageTest() override;

    // Runs the pages in a wizard, driven by the scenario; its failures fail the test.
    void Run(std::vector<CMyPropertyPage*> pages, const std::string& script);
    void Run(CMyPropertyPage& page, const std::string& script) {
        Run(std::vector<CMyPropertyPage*>{&page}, script);
    }

    void Control(const std::string& words) { ports_.Control("USB1", words); }
    std::uint8_t Stored(int address);
    void Store(int address, std::uint8_t value);
    std::uint32_t Stored32(int address);
    void Store32(int address, std::uint32_t value);
    // Progress windows open now.
    int ProgressWindows();

    testsupport::TemporaryFolder folder_{"tolv-pages"};
    config::ScopedConfiguration configuration_{folder_.Path()};
    platform::VirtualClock clock_;
    platform::ScopedClock useClock_{clock_};
    ui::HeadlessBackend headless_;
    ui::ScopedBackend useBackend_{headless_};
    CApplicationLook look_;
    ScopedApplicationLook useLook_{look_};
    vprinter::InProcessPrinterPorts ports_;
    vprinter::VirtualPrinter* printer_ = nullptr;
};

}  // namespace pagetest
