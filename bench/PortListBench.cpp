// Filling the top dialog's port list: 130 port numbers opened through the driver selector (bound as
// the program binds it) with two virtual printers of the vprinter server attached over loopback, on
// the headless dialog back-end. Prints the figures; asserts nothing.
//
//   bench_port_list [rounds]        TOLVANE_VPRINTER=host:port uses a running server instead
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "config/ConfigurationScope.h"
#include "platform/Device.h"
#include "platform/ModulePath.h"
#include "platform/VirtualDevice.h"
#include "portselect/PlexerExports.h"
#include "portselect/PlexerStatus.h"
#include "res/ResourceIds.h"
#include "ui/CDialog.h"
#include "ui/Headless.h"
#include "vprinter/server/LoopbackPrinters.h"
#include "workflow/CTolvTopDlg.h"
#include "workflow/PortDiscovery.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

class NoScreens : public workflow::IScreenHost {
public:
    void ShowTopScreen() override {}
    void ShowItemMenu(bool) override {}
    void ShowPartsList(bool) override {}
    void StartAdjustment(const std::vector<int>&) override {}
    void ReturnFromAdjustment() override {}
    void RequestClose() override {}
};

// The settings of the run live in a folder of their own, so that the benchmark never writes the
// TOLVANE.INI beside the programs.
std::filesystem::path MakeFolder() {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        ("tolv-port-list-bench-" + std::to_string(Clock::now().time_since_epoch().count()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    std::filesystem::copy(platform::ExecutableFolder() + "Parameter", folder / "Parameter",
                          std::filesystem::copy_options::recursive);
    std::FILE* settings = std::fopen((folder / "TOLVANE.INI").string().c_str(), "wb");
    if (settings != nullptr) {
        std::fputs("[Profile]\r\nstrProfile=VK-572D\r\nstrLanguage=English\r\n", settings);
        std::fclose(settings);
    }
    return folder;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 10;
    const std::filesystem::path folder = MakeFolder();
    std::string separator(1, std::filesystem::path::preferred_separator);
    config::ScopedConfiguration configuration(folder.string() + separator);

    // The printers: those of a running server named by TOLVANE_VPRINTER (a native server while this
    // program runs under Wine, as the product runs), else two of a server in this process.
    std::optional<vprinter::LoopbackPrinters> local;
    std::string address;
    if (const char* running = std::getenv(platform::kVirtualPrinterVariable); running != nullptr) {
        address = running;
    } else {
        local.emplace(std::vector<std::string>{"USB1=VK-572D", "LPT2=VK-2240II"}, "");
        if (!local->Ok()) {
            std::fprintf(stderr, "%s\n", local->Error().c_str());
            return 1;
        }
        address = local->Address();
    }
    const auto backend = platform::MakeVirtualDeviceBackend(address);
    if (backend == nullptr) {
        std::fprintf(stderr, "not a loopback address: %s\n", address.c_str());
        return 1;
    }
    platform::InstallDeviceBackend(backend.get());
    std::printf("printers of the server at %s%s\n", address.c_str(),
                local.has_value() ? " (in this process)" : "");

    // The imported selector is loaded at the first call of one of its functions; that cost is the
    // program's once, and shown apart.
    Clock::time_point start = Clock::now();
    std::int16_t ioError = 0;
    const bool bound = portselect::Succeeded(GetIoErrorCodeByPlex(&ioError));
    std::printf("selector bound:                         %7.3f s%s\n", Seconds(start),
                bound ? "" : " (failed)");
    start = Clock::now();
    const workflow::DiscoveredPrinters first = workflow::PortDiscovery().Discover();
    std::printf("first discovery:                        %7.3f s, %zu printers\n", Seconds(start),
                first.size());

    start = Clock::now();
    for (int round = 0; round < rounds; ++round) {
        workflow::PortDiscovery().Discover();
    }
    std::printf("discovery of ports 1025-1154:          %7.3f s per fill (%d rounds)\n",
                Seconds(start) / rounds, rounds);

    ui::HeadlessBackend headless;
    ui::ScopedBackend useHeadless(headless);
    NoScreens host;
    ui::CDialog main(res::kDialogMain);
    main.Create(nullptr);
    CTolvTopDlg top(host);
    start = Clock::now();
    top.Create(main);
    std::printf("top dialog opened (lists and ports):    %7.3f s\n", Seconds(start));
    const ui::CComboBox customers = top.GetDlgItem(CTolvTopDlg::kCustomerList);
    start = Clock::now();
    for (int round = 0; round < rounds; ++round) {
        headless.SimulateSelect(customers, round % 2);
    }
    std::printf("customer chosen, port list refilled:   %7.3f s per fill (%d rounds), port %s\n",
                Seconds(start) / rounds, rounds, top.PortName().c_str());

    top.DestroyWindow();
    main.DestroyWindow();
    platform::InstallDeviceBackend(nullptr);
    local.reset();
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return 0;
}
