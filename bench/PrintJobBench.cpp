// The service command engine against the vprinter server on loopback, on the real clock: the full
// factory test and one bi-directional pattern on a VK-572D at USB1. Each time is printed beside the
// sum of the pauses the path itself prescribes (the engine's one-second pauses, the waits inside the
// driver library's exchanges, the printer's own latency, none by default), counted as they are asked
// of the clock, so what the transport, the builders and the printer add shows as the difference. Also
// prints the process's peak memory (the print buffer alone takes 4 MiB). Prints the figures; asserts
// nothing.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "PeakMemory.h"
#include "config/CTolvLangText.h"
#include "config/ConfigurationScope.h"
#include "patterns/OverprintFlag.h"
#include "patterns/PrintJobRunner.h"
#include "platform/Clock.h"
#include "vprinter/server/LoopbackPrinters.h"

namespace {

using SteadyClock = std::chrono::steady_clock;

// The real clock, with every pause this thread asks of it added up.
class CountingClock : public platform::IClock {
public:
    explicit CountingClock(platform::IClock& real) : real_(real), thread_(std::this_thread::get_id()) {}
    void Sleep(std::uint32_t milliseconds) override {
        if (std::this_thread::get_id() == thread_) {
            slept_ += milliseconds;
        }
        real_.Sleep(milliseconds);
    }
    std::uint32_t TickCount() override { return real_.TickCount(); }
    platform::LocalTime Now() override { return real_.Now(); }
    std::uint64_t Slept() const { return slept_; }

private:
    platform::IClock& real_;
    std::thread::id thread_;
    std::atomic<std::uint64_t> slept_{0};
};

class Silent : public patterns::IJobMessages {
public:
    int Show(const std::string& text, int) override {
        std::fprintf(stderr, "message: %s\n", text.c_str());
        ++shown;
        return patterns::kAnswerCancel;
    }
    int shown = 0;
};

patterns::PatternModel Vk572d() {
    patterns::PatternModel model;
    model.firstIdByte = 0x57;
    model.secondIdByte = 0x2D;
    model.columns = 80;
    model.usbSerialAddress = 0xE0;
    model.customerAddresses = {0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, -1};
    model.customerValues = {0x01, 0x05, 0x00, 0x02, 0x00, 0xE0, 0x10, 0x00};
    model.programName = "BENCH";
    return model;
}

// Runs the job and prints its time beside the pauses it asked for.
bool Measure(const char* name, CountingClock& clock, const patterns::PrintJobContext& context,
             patterns::PrintJobRecord job) {
    const int item = job.item;
    const std::uint64_t sleptBefore = clock.Slept();
    const SteadyClock::time_point start = SteadyClock::now();
    patterns::RunPrintJob(context, job);
    const double milliseconds = std::chrono::duration<double, std::milli>(SteadyClock::now() - start).count();
    const auto mandated = static_cast<double>(clock.Slept() - sleptBefore);
    const char* outcome = job.item == item ? "done" : "FAILED";
    if (mandated > 0) {
        std::printf("%-28s %9.1f ms  (pauses %8.1f ms, %+.2f %%)  %s\n", name, milliseconds, mandated,
                    (milliseconds - mandated) * 100.0 / mandated, outcome);
    } else {
        std::printf("%-28s %9.1f ms  (no pause prescribed)  %s\n", name, milliseconds, outcome);
    }
    return job.item == item;
}

}  // namespace

int main() {
    vprinter::LoopbackPrinters printers({"USB1=VK-572D"}, "");
    if (!printers.Ok()) {
        std::fprintf(stderr, "%s\n", printers.Error().c_str());
        return 1;
    }
    printers.InstallAsDeviceBackend();
    config::ScopedConfiguration configuration;
    CountingClock clock(platform::Clock());
    platform::ScopedClock installed(clock);

    Silent messages;
    const patterns::PrintJobContext context{Vk572d(), 0, messages, *CTolvLangText::Instance()};

    patterns::PrintJobRecord factoryTest;
    factoryTest.selector = 1;
    factoryTest.item = 2;
    factoryTest.portIndex = 11;
    factoryTest.usbSerialText = "VPRTUSB1";
    bool done = Measure("full factory test (kind 1)", clock, context, factoryTest);

    patterns::PrintJobRecord pattern;
    pattern.selector = 0;
    pattern.item = 8;
    pattern.portIndex = 11;
    pattern.value = 3;
    done &= Measure("bi-directional Mode 1 bar", clock, context, pattern);
    patterns::SetOverprintPending(false);

    const long long peak = PeakMemoryBytes();
    std::printf("peak memory %.1f MiB\n", peak < 0 ? -1.0 : static_cast<double>(peak) / (1024.0 * 1024.0));
    return done ? 0 : 1;
}
