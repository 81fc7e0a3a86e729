#include "ServicePageFixture.h"

#include <optional>

#include "config/CTolvAppParam.h"
#include "config/CTolvLangText.h"
#include "config/CTolvPrnParam.h"
#include "platform/ModulePath.h"
#include "printer/CPortLibraryBinder.h"
#include "ui/Scenario.h"

namespace pagetest {
namespace {

// Texts of the waiting dialog and a few fatal errors; the rest read "Unkonwn Fatal Error".
const char kMenu[] =
    "[STATUS]\r\nstrStatus02=Printing\r\nstrStatus04=Ready\r\n"
    "[FATAL_ERROR]\r\nstrFatalError2A=Carriage motor lock\r\nstrFatalError01=Home position\r\n";

}  // namespace

bool HostSheet::OnCommand(int id, ui::Notification code) {
    if (id == ui::kIdWizardFinish && code == ui::Notification::Clicked) {
        if (PressFinish()) {
            ui::SendCommand(GetParent(), ui::kIdOk);
        }
        return true;
    }
    return CPropertySheet::OnCommand(id, code);
}

PageHost::PageHost(std::vector<CMyPropertyPage*> pages) : CDialog(102), pages_(std::move(pages)) {}

bool PageHost::OnInitDialog() {
    CDialog::OnInitDialog();
    for (CMyPropertyPage* page : pages_) {
        sheet.AddPage(page);
    }
    sheet.Create(m_hWnd);
    sheet.SetActivePage(0);
    return true;
}

ServicePageTest::ServicePageTest() {
    static const int here = 0;
    const std::string shipped = platform::ModuleFolderContaining(&here) + "Parameter/VK-572D/Parameter.ini";
    folder_.Write("Parameter/VK-572D/Parameter.ini", testsupport::ReadBytes(platform::NativePath(shipped)));
    folder_.Write("Parameter/VK-572D/English.mnu", kMenu);
    folder_.Write("TOLVANE.INI", "[Profile]\r\nstrProfile=VK-572D\r\nstrLanguage=English\r\n");
    EXPECT_TRUE(look_.Create("English"));
    printer_ = &ports_.AddPrinter("USB1", "VK-572D");
    EXPECT_TRUE(CPortLibraryBinder::BindLibraries());
    CTolvAppParam::Instance()->strPortName = "USB1";
    CTolvPrnParam::Instance()->SetProfile("VK-572D");
    CTolvLangText::Instance()->SetProfile("VK-572D");
}

ServicePageTest::~ServicePageTest() {
    CPortLibraryBinder::TerminateChannel();
    CPortLibraryBinder::ClosePort();
    CPortLibraryBinder::UnbindLibraries();
}

void ServicePageTest::Run(std::vector<CMyPropertyPage*> pages, const std::string& script) {
    std::string error;
    std::optional<ui::Scenario> scenario = ui::Scenario::Parse(script, &error);
    ASSERT_TRUE(scenario.has_value()) << error;
    headless_.AttachScenario(&*scenario);
    PageHost host(std::move(pages));
    host.DoModal();
    headless_.AttachScenario(nullptr);
    EXPECT_TRUE(scenario->Finished() && scenario->Failures().empty()) << scenario->Report();
    // Whatever the page did, the port is closed again once the run is over.
    EXPECT_EQ(ports_.OpenNow("USB1"), 0);
}

std::uint8_t ServicePageTest::Stored(int address) {
    std::uint8_t value = 0;
    EXPECT_TRUE(printer_->Core().EepromImage().Read(address, &value)) << address;
    return value;
}

void ServicePageTest::Store(int address, std::uint8_t value) {
    EXPECT_TRUE(printer_->Core().EepromImage().Write(address, value)) << address;
}

std::uint32_t ServicePageTest::Stored32(int address) {
    return printer_->Core().EepromImage().Read32(address);
}

void ServicePageTest::Store32(int address, std::uint32_t value) {
    printer_->Core().EepromImage().Write32(address, value);
}

int ServicePageTest::ProgressWindows() {
    int count = 0;
    for (ui::HWindow window : headless_.GetTopLevelWindows()) {
        count += ui::Backend().GetId(window) == 185 ? 1 : 0;
    }
    return count;
}

}  // namespace pagetest
