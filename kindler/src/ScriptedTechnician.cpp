#include "ScriptedTechnician.h"

#include <cstdlib>
#include <string>

#include "platform/DebugOutput.h"
#include "ui/Backend.h"

namespace kindler {

ScriptedTechnician::ScriptedTechnician() {
    const char* path = std::getenv(kScenarioVariable);
    if (path == nullptr || *path == '\0') {
        return;
    }
    std::string error;
    scenario_ = ui::Scenario::Load(path, &error);
    if (!scenario_) {
        platform::DebugOutput(("Kindler: scenario " + std::string(path) + ": " + error + "\n").c_str());
        ready_ = false;
        return;
    }
    ui::Backend().AttachScenario(&*scenario_);
}

ScriptedTechnician::~ScriptedTechnician() {
    Finish();
}

bool ScriptedTechnician::Finish() {
    if (!scenario_) {
        return ready_;
    }
    if (ui::Backend().AttachedScenario() == &*scenario_) {
        ui::Backend().AttachScenario(nullptr);
    }
    const std::string report = scenario_->Report();
    if (!report.empty()) {
        platform::DebugOutput(("Kindler: scenario: " + report).c_str());
    }
    return report.empty();
}

}  // namespace kindler
