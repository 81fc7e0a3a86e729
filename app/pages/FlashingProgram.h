// Runs the firmware flashing program, apart from the page that starts it: from the program's own
// folder, without parameters, in that folder, waited for in slices so that the caller can keep its
// windows painting between them.
#pragma once

#include <functional>

namespace pages {

// The flashing program's Windows name; it lies beside the program.
inline constexpr const char* kFlashingProgram = "Kindler.exe";
// The wait for the flashing program, a slice at a time.
inline constexpr unsigned kFlashingWaitSliceMs = 100;

enum class FlashingOutcome {
    Ended,       // the program ran and ended; its exit code is its own affair (it told the technician)
    NotStarted,  // missing or not startable
    Lost,        // the OS could no longer tell whether it runs
};

// Starts the program and waits for it to end, calling betweenSlices after each slice it still runs.
FlashingOutcome RunFlashingProgram(const std::function<void()>& betweenSlices, int* exitCode = nullptr);

}  // namespace pages
