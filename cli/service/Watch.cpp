#include "Watch.h"

#include <csignal>

#include "ExitCodes.h"
#include "platform/Clock.h"

namespace tolvane_cli {
namespace {

extern "C" void OnInterrupt(int) {
    InterruptRequested().store(true);
}

}  // namespace

std::atomic<bool>& InterruptRequested() {
    static std::atomic<bool> requested{false};
    return requested;
}

void InstallInterruptHandler() {
    // The flag exists before the handler can touch it.
    InterruptRequested().store(false);
    std::signal(SIGINT, OnInterrupt);
}

int Watch(const std::function<int()>& reading) {
    InterruptRequested().store(false);
    while (true) {
        if (const int status = reading(); status != kExitSuccess) {
            return status;
        }
        // The pause in slices, so an interrupt ends the watch within a tenth of a second.
        constexpr std::uint32_t kSliceMs = 100;
        for (std::uint32_t slept = 0; slept < kWatchPeriodMs; slept += kSliceMs) {
            if (InterruptRequested().load()) {
                return kExitSuccess;
            }
            platform::Clock().Sleep(kSliceMs);
        }
        if (InterruptRequested().load()) {
            return kExitSuccess;
        }
    }
}

}  // namespace tolvane_cli
