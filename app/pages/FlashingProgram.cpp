#include "pages/FlashingProgram.h"

#include <string>

#include "platform/DebugOutput.h"
#include "platform/ModulePath.h"
#include "platform/Process.h"

namespace pages {

FlashingOutcome RunFlashingProgram(const std::function<void()>& betweenSlices, int* exitCode) {
    const std::string folder = platform::ExecutableFolder();
    platform::ProgramHandle program =
        platform::StartProgram(platform::NativePath(folder + platform::ProgramFileName(kFlashingProgram)),
                               platform::NativePath(folder));
    if (program == nullptr) {
        return FlashingOutcome::NotStarted;
    }
    int code = 0;
    platform::ProgramWait wait = platform::ProgramWait::Running;
    while ((wait = platform::WaitForProgram(program, kFlashingWaitSliceMs, &code)) ==
           platform::ProgramWait::Running) {
        if (betweenSlices) {
            betweenSlices();
        }
    }
    platform::CloseProgram(program);
    if (wait != platform::ProgramWait::Ended) {
        return FlashingOutcome::Lost;
    }
    if (code != 0) {
        platform::DebugOutput(("Kindler ended with exit code " + std::to_string(code) + "\n").c_str());
    }
    if (exitCode != nullptr) {
        *exitCode = code;
    }
    return FlashingOutcome::Ended;
}

}  // namespace pages
