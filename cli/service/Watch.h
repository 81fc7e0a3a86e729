// --watch: a reading repeated once a second until the technician interrupts it (Ctrl+C). The pause
// goes through the process clock, so the tests run a watch on virtual time and end it through the
// same flag the interrupt sets.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>

namespace tolvane_cli {

inline constexpr std::uint32_t kWatchPeriodMs = 1000;

// Set by the interrupt handler (and by tests); cleared when a watch starts.
std::atomic<bool>& InterruptRequested();

// Makes Ctrl+C set InterruptRequested instead of ending the process at once, so a watch ends
// between two readings and the port is closed properly. main() installs it.
void InstallInterruptHandler();

// Runs reading once, then again every kWatchPeriodMs until interrupted or until reading returns a
// status other than kExitSuccess, which it returns; kExitSuccess when interrupted.
int Watch(const std::function<int()>& reading);

}  // namespace tolvane_cli
