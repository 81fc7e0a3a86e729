// The scripted technician on real windows: a thread timer runs the scenario's next step from
// whichever message loop is running, and answers the system's message boxes.
#include <cstdlib>
#include <cstring>
#include <string>

#include "NativeWindows.h"
#include "ScreenCapture.h"
#include "ui/Scenario.h"

namespace ui::win32 {
namespace {

// The quit code with which a failed scenario ends the program's loops.
constexpr int kScenarioFailedQuitCode = 3;
// The message box's text is the static with this id (the dialog manager's own).
constexpr int kMessageBoxTextId = 0xFFFF;

void CALLBACK ScenarioTimerProcedure(HWND, UINT, UINT_PTR, DWORD) {
    if (Win32Backend* backend = RunningBackend()) {
        backend->RunScenarioTick();
    }
}

}  // namespace

void Win32Backend::AttachScenario(Scenario* scenario) {
    scenario_ = scenario;
    if (scenarioTimer_ != 0) {
        ::KillTimer(nullptr, scenarioTimer_);
        scenarioTimer_ = 0;
    }
    if (scenario != nullptr) {
        scenarioTimer_ = ::SetTimer(nullptr, 0, 50, ScenarioTimerProcedure);
    }
}

HWND Win32Backend::OpenMessageBox() {
    struct Search {
        HWND found = nullptr;
    } search;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            char name[16] = {};
            GetClassNameA(window, name, sizeof(name));
            if (std::strcmp(name, "#32770") == 0 && IsWindowVisible(window) &&
                DialogOfNative(window) == nullptr) {
                reinterpret_cast<Search*>(data)->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool Win32Backend::AnswerOpenMessageBox(int answer) {
    HWND box = OpenMessageBox();
    if (box == nullptr) {
        return false;
    }
    ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
    return true;
}

void Win32Backend::RunScenarioTick() {
    // Steps nest: a click whose handler opens a message box or a modal dialog is followed by the
    // next step from inside that loop.
    if (scenario_ == nullptr) {
        return;
    }
    const DWORD now = GetTickCount();
    if (static_cast<LONG>(now - waitUntil_) < 0) {
        return;
    }
    const ScenarioStep* step = scenario_->PeekStep();
    if (step == nullptr) {
        // A scenario that failed ends the loops, so its windows do not wait for a technician who
        // is not there; the quit code tells the program's end why.
        const bool failed = !scenario_->Failures().empty();
        AttachScenario(nullptr);
        if (failed) {
            PostQuitMessage(kScenarioFailedQuitCode);
        }
        return;
    }
    if (step->action == StepAction::ChooseFile) {
        // The open-file dialog takes its answer itself when the program opens it.
        return;
    }
    if (step->action == StepAction::Answer) {
        HWND box = OpenMessageBox();
        if (box == nullptr) {
            // The box may not be up yet; ten seconds without one fail the step.
            if (answerSince_ == 0) {
                answerSince_ = now;
            } else if (now - answerSince_ > 10000) {
                answerSince_ = 0;
                scenario_->RunNextStep();
            }
            return;
        }
        answerSince_ = 0;
        char text[1024] = {};
        GetDlgItemTextA(box, kMessageBoxTextId, text, sizeof(text));
        const BoxButtons buttons = GetDlgItem(box, IDYES) != nullptr      ? BoxButtons::YesNo
                                   : GetDlgItem(box, IDCANCEL) != nullptr ? BoxButtons::OkCancel
                                                                          : BoxButtons::Ok;
        const int answer = scenario_->AnswerMessageBox(text, buttons);
        ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
        return;
    }
    const StepOutcome outcome = scenario_->RunNextStep();
    if (outcome.kind == StepOutcome::Wait) {
        waitUntil_ = GetTickCount() + static_cast<DWORD>(outcome.milliseconds);
    } else if (outcome.kind == StepOutcome::Screenshot) {
        // The picture is taken here, of the windows as the screen shows them.
        const char* folder = std::getenv("TOLVANE_SCREENSHOT_DIR");
        if (folder != nullptr && *folder != '\0') {
            const std::string path = std::string(folder) + "\\" + outcome.name + ".bmp";
            if (!CaptureThreadWindows(path)) {
                scenario_->Fail("screenshot " + path + " could not be taken");
            }
        }
        waitUntil_ = GetTickCount() + 100;
    } else {
        // Let the windows settle between steps, as a technician's hand would.
        waitUntil_ = GetTickCount() + 100;
    }
}

}  // namespace ui::win32
