#include <errno.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <thread>

#include "platform/Clock.h"
#include "platform/DebugOutput.h"
#include "platform/Process.h"

namespace platform {

class StartedProgram {
public:
    explicit StartedProgram(pid_t id) : pid(id) {}
    pid_t pid;
    bool ended = false;
    int exitCode = 0;
};

namespace {

// How often the wait looks whether the child has ended.
constexpr unsigned kPollSliceMs = 5;

void Report(const std::string& text) {
    DebugOutput((text + "\n").c_str());
}

// True once the child has ended (it is reaped then); false while it runs or on a failure.
bool Reap(StartedProgram& program, bool* failed) {
    int status = 0;
    const pid_t done = waitpid(program.pid, &status, WNOHANG);
    if (done == 0) {
        return false;
    }
    if (done < 0) {
        *failed = true;
        return false;
    }
    program.ended = true;
    program.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return true;
}

}  // namespace

std::string ProgramFileName(const std::string& windowsName) {
    std::string name = windowsName;
    if (name.size() > 4) {
        std::string extension = name.substr(name.size() - 4);
        for (char& c : extension) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        if (extension == ".exe") {
            name.resize(name.size() - 4);
        }
    }
    for (char& c : name) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return name;
}

ProgramHandle StartProgram(const std::string& givenPath, const std::string& workingFolder) {
    // The child changes its folder before exec: a relative path would then be looked for there.
    std::error_code ignoredError;
    const std::filesystem::path absolute = std::filesystem::absolute(givenPath, ignoredError);
    const std::string path = absolute.empty() ? givenPath : absolute.string();
    // The child reports a failed chdir or exec through this pipe; a successful exec closes it.
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0) {
        Report("StartProgram: pipe: " + std::string(std::strerror(errno)));
        return nullptr;
    }
    const pid_t pid = fork();
    if (pid < 0) {
        Report("StartProgram: fork: " + std::string(std::strerror(errno)));
        close(report[0]);
        close(report[1]);
        return nullptr;
    }
    if (pid == 0) {
        // Only async-signal-safe calls between fork and exec.
        int error = 0;
        if (!workingFolder.empty() && chdir(workingFolder.c_str()) != 0) {
            error = errno;
        } else {
            char* const arguments[] = {const_cast<char*>(path.c_str()), nullptr};
            execv(path.c_str(), arguments);
            error = errno;
        }
        ssize_t ignored = write(report[1], &error, sizeof error);
        (void)ignored;
        _exit(127);
    }
    close(report[1]);
    int error = 0;
    ssize_t got = 0;
    do {
        got = read(report[0], &error, sizeof error);
    } while (got < 0 && errno == EINTR);
    close(report[0]);
    if (got == static_cast<ssize_t>(sizeof error)) {
        Report("StartProgram: " + path + ": " + std::strerror(error));
        int status = 0;
        waitpid(pid, &status, 0);
        return nullptr;
    }
    return new StartedProgram(pid);
}

ProgramWait WaitForProgram(ProgramHandle program, unsigned milliseconds, int* exitCode) {
    if (program == nullptr) {
        return ProgramWait::Failed;
    }
    const std::uint32_t start = Clock().TickCount();
    bool failed = false;
    while (!program->ended && !Reap(*program, &failed)) {
        if (failed) {
            return ProgramWait::Failed;
        }
        const std::uint32_t elapsed = Clock().TickCount() - start;
        if (elapsed >= milliseconds) {
            return ProgramWait::Running;
        }
        Clock().Sleep(std::min(kPollSliceMs, milliseconds - elapsed));
        // A virtual clock returns at once; the child still needs real time to run.
        std::this_thread::yield();
    }
    if (exitCode != nullptr) {
        *exitCode = program->exitCode;
    }
    return ProgramWait::Ended;
}

void CloseProgram(ProgramHandle program) {
    delete program;
}

}  // namespace platform
