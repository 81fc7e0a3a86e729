// The end-to-end tests drive the program as a technician would: the environment variable
// TOLVANE_SCENARIO names a scenario file of the dialog framework (a `file` step for the open-file
// dialog, an `answer` step for the closing message), attached for the whole run. Without the
// variable nothing happens.
#pragma once

#include <optional>

#include "ui/Scenario.h"

namespace kindler {

inline constexpr const char* kScenarioVariable = "TOLVANE_SCENARIO";
// The exit code of a run whose scenario could not be read or did not go as written.
inline constexpr int kScenarioFailed = 99;

class ScriptedTechnician {
public:
    ScriptedTechnician();
    ~ScriptedTechnician();
    ScriptedTechnician(const ScriptedTechnician&) = delete;
    ScriptedTechnician& operator=(const ScriptedTechnician&) = delete;

    // False when the variable names a scenario that cannot be read.
    bool Ready() const { return ready_; }
    // Detaches the scenario; false when it failed or steps were left. Says why on the debug output.
    bool Finish();

private:
    std::optional<ui::Scenario> scenario_;
    bool ready_ = true;
};

}  // namespace kindler
