// The EEPROM page's dump of all 256 addresses as its Read runs it: every byte over the channel, the
// dump text growing and redrawn as it goes, against the vprinter server on loopback with the printer
// answering 1 ms late. On the build's own UI back-end: in-memory controls natively, real windows in the
// Windows build (run it under Wine on a display). Prints the times; asserts nothing.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "config/CTolvAppParam.h"
#include "config/CTolvPrnParam.h"
#include "config/ConfigurationScope.h"
#include "dialogs/CApplicationLook.h"
#include "pages/CHeronEepromRwPage.h"
#include "pages/SelectedEeprom.h"
#include "printer/CPortLibraryBinder.h"
#include "ui/CDialog.h"
#include "ui/PropertySheet.h"
#include "ui/Scenario.h"
#include "vprinter/server/LoopbackPrinters.h"

namespace {

using Clock = std::chrono::steady_clock;

// The page with the time its dump of every address took, the dump text and its redraw included,
// as Read runs it (without the completion message, which waits for the technician).
class TimedPage : public CHeronEepromRwPage {
public:
    bool OnCommand(int id, ui::Notification code) override {
        if (id != 1212) {
            return CHeronEepromRwPage::OnCommand(id, code);
        }
        printer::EepromHold eeprom = pages::EepromForSelectedPrinter();
        const Clock::time_point start = Clock::now();
        complete = DumpRead(eeprom.Get(), nullptr, &m_bCancel) == 1;
        seconds = std::chrono::duration<double>(Clock::now() - start).count();
        eeprom.Release();
        // The run is over: the window that holds the wizard ends.
        ui::SendCommand(GetSheet()->GetParent(), ui::kIdOk);
        return true;
    }
    double seconds = 0;
    bool complete = false;
};

class Host : public ui::CDialog {
public:
    explicit Host(TimedPage& page) : CDialog(102), page_(page) {}
    bool OnInitDialog() override {
        CDialog::OnInitDialog();
        sheet_.AddPage(&page_);
        sheet_.Create(m_hWnd);
        sheet_.SetActivePage(0);
        return true;
    }

private:
    TimedPage& page_;
    ui::CPropertySheet sheet_;
};

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 3;
    vprinter::LoopbackPrinters printers({"USB1=VK-572D"}, "");
    if (!printers.Ok()) {
        std::fprintf(stderr, "%s\n", printers.Error().c_str());
        return 1;
    }
    printers.InstallAsDeviceBackend();
    std::string answer;
    if (printers.Control("USB1", "latency-ms=1", &answer) != platform::VirtualPrinterClient::Result::Ok) {
        std::fprintf(stderr, "cannot set the latency: %s\n", answer.c_str());
        return 1;
    }
    if (!CPortLibraryBinder::BindLibraries()) {
        std::fprintf(stderr, "Plexer.dll or ChanLink.dll cannot be loaded\n");
        return 1;
    }
    int status = 0;
    {
        config::ScopedConfiguration configuration;
        CTolvAppParam::Instance()->strPortName = "USB1";
        CTolvPrnParam::Instance()->SetProfile("VK-572D");
        CApplicationLook look;
        look.Create("English");
        ScopedApplicationLook useLook(look);
        for (int round = 0; round < rounds; ++round) {
            std::string error;
            std::optional<ui::Scenario> scenario = ui::Scenario::Parse("click 1212\n", &error);
            TimedPage page;
            ui::Backend().AttachScenario(&*scenario);
            {
                Host host(page);
                host.DoModal();
            }
            ui::Backend().AttachScenario(nullptr);
            const bool complete = page.complete && scenario->Finished() && scenario->Failures().empty();
            std::printf("EEPROM page Read, 256 addresses, 1 ms latency, %s back-end: %7.3f s%s\n",
                        ui::Backend().Name(), page.seconds, complete ? "" : " (the run did not complete)");
            if (!complete) {
                std::fprintf(stderr, "%s\n", scenario->Report().c_str());
                status = 1;
            }
        }
    }
    CPortLibraryBinder::UnbindLibraries();
    return status;
}
