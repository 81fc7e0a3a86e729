// Renders the full factory test printout of every shipped profile on the virtual printer, page images
// included, and reports pages per second and the process's peak memory.
//   tolv_render_bench [rounds]
// The printout is the one the print-test page sends: the paper-edge frame, the information report,
// the character-generator check, black bars, the width ruler, the three alignment bars and the needle
// check; then the twenty numbered page frames of the pitch test, so that every round fills many pages.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "PeakMemory.h"
#include "config/CTolvAppParam.h"
#include "config/CTolvPrnParam.h"
#include "config/ConfigurationScope.h"
#include "patterns/CPattern.h"
#include "patterns/PatternModelFromConfig.h"
#include "render/VirtualPrintout.h"

namespace {

class BenchMechanics : public vprinter::render::IPrinterMechanics {
public:
    int EepromByte(int address) override { return address & 0xFF; }
    int TimingError(vprinter::render::PrintMode mode) override { return 2 + static_cast<int>(mode); }
};

// The print data of the full factory test for the loaded profile, as the service engine builds it.
std::vector<std::uint8_t> FactoryTestPrintout() {
    const patterns::PatternModel model = patterns::PatternModelFromConfig();
    const int w = model.columns;
    CPattern pattern(model);
    pattern.Initialise();
    pattern.Reset();
    pattern.RepeatByte(7, 3);
    pattern.Frame(w);
    pattern.BlankLines(5);
    pattern.Reset();
    pattern.InformationReport("BENCH0001", "1.00");
    pattern.CustomerWrites();
    pattern.CgRomCheck();
    pattern.BlackBars(4, w);
    pattern.BlankLines(1);
    pattern.WidthRuler(w, 6);
    pattern.BlankLines(1);
    pattern.Feed(86);
    pattern.Mode1Bar(w, false, 0);
    pattern.Mode2Bar(w, false, 0);
    pattern.Mode4Bar(w, false, 0);
    pattern.BlankLines(1);
    pattern.NeedleCheck();
    pattern.Feed(255);
    pattern.Feed(190);
    pattern.FormEnd();
    // The pitch test: twenty numbered page frames of 64 lines on 11-inch pages.
    pattern.Reset();
    pattern.PrintQuality(0);
    pattern.PageLengthUnits(3960);
    pattern.SetModeFlag(0);
    for (int page = 1; page <= 20; ++page) {
        pattern.PageFrame(page, w, 64);
        pattern.FormFeed();
    }
    return {pattern.Bytes().begin(), pattern.Bytes().end()};
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1;
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "tolv-render-bench";
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);

    std::size_t pages = 0;
    std::size_t bytes = 0;
    double seconds = 0;
    for (const char* profile : {"VK-572D", "VK-2240II"}) {
        std::vector<std::uint8_t> data;
        vprinter::render::PrinterSettings settings;
        {
            const config::ScopedConfiguration configuration;
            CTolvPrnParam::Instance()->SetProfile(profile);
            data = FactoryTestPrintout();
            const patterns::PatternModel model = patterns::PatternModelFromConfig();
            settings.columns = model.columns;
            settings.twoByteEepromAddress =
                model.eepromAddressForm == protocol::factory::AddressForm::TwoByte;
        }
        settings.printerName = profile;
        for (int round = 0; round < rounds; ++round) {
            BenchMechanics mechanics;
            const auto start = std::chrono::steady_clock::now();
            vprinter::render::VirtualPrintout printout(settings, mechanics, (folder / profile).string());
            printout.Receive(data);
            printout.EndJob();
            seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            std::size_t written = 0;
            for (const auto& file : printout.Folder().Files()) {
                written += file.size() > 4 && file.compare(file.size() - 4, 4, ".png") == 0 ? 1 : 0;
            }
            pages += written;
            bytes += data.size();
            if (round == 0) {
                std::printf("%-10s %zu bytes of print data, %zu pages\n", profile, data.size(), written);
            }
        }
    }
    std::printf("rendered %zu pages (%zu bytes) in %.2f s: %.1f pages/s, %.3f s per page\n", pages, bytes,
                seconds, pages / seconds, seconds / static_cast<double>(pages));
    std::printf("peak memory: %.1f MB\n", static_cast<double>(PeakMemoryBytes()) / (1024.0 * 1024.0));
    std::printf("pages left in %s\n", folder.string().c_str());
    return 0;
}
