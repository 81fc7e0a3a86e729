// The sensor status page's refresh thread runs while this flag is set. Clearing it asks the thread
// to stop after its current refresh; the adjustment dialog does so when a run is cancelled.
#pragma once

#include <atomic>

namespace pages {

// One flag for the process: the refresh thread reads it while the GUI thread clears it.
std::atomic<int>& SensorStatusRunning();

}  // namespace pages
