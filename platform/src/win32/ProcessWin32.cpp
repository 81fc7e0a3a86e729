#include <windows.h>
// The shell's declarations build on those of windows.h.
#include <shellapi.h>

#include <string>

#include "platform/DebugOutput.h"
#include "platform/Process.h"

namespace platform {

class StartedProgram {
public:
    explicit StartedProgram(HANDLE process) : handle(process) {}
    HANDLE handle;
};

std::string ProgramFileName(const std::string& windowsName) {
    return windowsName;
}

ProgramHandle StartProgram(const std::string& path, const std::string& workingFolder) {
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.lpVerb = "open";
    info.lpFile = path.c_str();
    info.lpParameters = nullptr;
    info.lpDirectory = workingFolder.empty() ? nullptr : workingFolder.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExA(&info) || info.hProcess == nullptr) {
        DebugOutput(("StartProgram: " + path + ": error " + std::to_string(GetLastError()) + "\n").c_str());
        return nullptr;
    }
    return new StartedProgram(info.hProcess);
}

ProgramWait WaitForProgram(ProgramHandle program, unsigned milliseconds, int* exitCode) {
    if (program == nullptr) {
        return ProgramWait::Failed;
    }
    // The process handle stays signalled once the process has ended.
    switch (WaitForSingleObject(program->handle, milliseconds)) {
        case WAIT_OBJECT_0: {
            DWORD code = 0;
            if (exitCode != nullptr && GetExitCodeProcess(program->handle, &code)) {
                *exitCode = static_cast<int>(code);
            }
            return ProgramWait::Ended;
        }
        case WAIT_TIMEOUT:
            return ProgramWait::Running;
        default:
            return ProgramWait::Failed;
    }
}

void CloseProgram(ProgramHandle program) {
    if (program != nullptr) {
        CloseHandle(program->handle);
        delete program;
    }
}

}  // namespace platform
