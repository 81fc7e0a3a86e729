// The program: the port libraries are bound before anything else runs, the program's messages go
// to the dialog framework's message boxes, and the application object runs the main window.
//
// TOLVANE_SCENARIO names a scenario file for the scripted technician, which then drives the real
// windows (the end-to-end test and the demonstration run do this); its report goes to the debug
// output and, with TOLVANE_SCENARIO_REPORT, to that file. The exit code is 3 when the scenario
// failed.
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>

#include "dialogs/CDialogMessagePresenter.h"
#include "pages/StartUpBinding.h"
#include "platform/DebugOutput.h"
#include "ui/Backend.h"
#include "ui/Scenario.h"
#include "workflow/CTolvaneApp.h"

namespace {

constexpr int kExitScenarioFailed = 3;

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

}  // namespace

int main() {
    if (!pages::BindPortLibrariesAtStartUp()) {
        return pages::kExitLibrariesMissing;
    }
    CDialogMessagePresenter presenter;
    presenter.Install();

    std::optional<ui::Scenario> scenario;
    const std::string scenarioPath = Environment("TOLVANE_SCENARIO");
    if (!scenarioPath.empty()) {
        std::string error;
        scenario = ui::Scenario::Load(scenarioPath, &error);
        if (!scenario) {
            platform::DebugOutput(("Tolvane: scenario " + scenarioPath + ": " + error + "\n").c_str());
            return kExitScenarioFailed;
        }
        ui::Backend().AttachScenario(&*scenario);
    }

    CTolvaneApp app;
    app.InitInstance();

    int exitCode = 0;
    if (scenario) {
        ui::Backend().AttachScenario(nullptr);
        const bool passed = scenario->Failures().empty() && scenario->Finished();
        const std::string report = passed ? std::string("scenario passed\n") : scenario->Report() + "\n";
        platform::DebugOutput(("Tolvane: " + report).c_str());
        const std::string reportPath = Environment("TOLVANE_SCENARIO_REPORT");
        if (!reportPath.empty()) {
            std::ofstream(reportPath, std::ios::binary) << report;
        }
        exitCode = passed ? 0 : kExitScenarioFailed;
    }
    presenter.Uninstall();
    return exitCode;
}
