#include "ProgramBesidePrinter.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>

#include "platform/Clock.h"

extern char** environ;

namespace clitest {
namespace {

// The longest single wait, so that the time limit is looked at now and then.
constexpr int kLongestWait = 100;

std::vector<std::string> ChangedEnvironment(const EnvironmentChanges& changes) {
    std::vector<std::string> result;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        bool changed = false;
        for (const auto& [name, value] : changes) {
            changed = changed || text.rfind(name + "=", 0) == 0;
        }
        if (!changed) {
            result.push_back(text);
        }
    }
    for (const auto& [name, value] : changes) {
        if (!value.empty()) {
            result.push_back(name + "=" + value);
        }
    }
    return result;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

// Appends what the pipe holds; false once the writer closed it.
bool Drain(int pipe, std::string* text) {
    char buffer[4096];
    for (;;) {
        const ssize_t count = read(pipe, buffer, sizeof buffer);
        if (count > 0) {
            text->append(buffer, static_cast<std::size_t>(count));
            continue;
        }
        return count < 0 && (errno == EAGAIN || errno == EINTR);
    }
}

}  // namespace

ProgramRun RunBesidePrinter(const std::string& program, const std::vector<std::string>& arguments,
                            const EnvironmentChanges& environment, PseudoTerminalPrinter& printer,
                            unsigned limitMilliseconds) {
    ProgramRun run;
    int out[2] = {-1, -1};
    int err[2] = {-1, -1};
    if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0) {
        run.err = "no pipe";
        return run;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    std::vector<std::string> words{program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<std::string> variables = ChangedEnvironment(environment);
    pid_t child = -1;
    const int started = posix_spawn(&child, program.c_str(), &actions, nullptr, Pointers(words).data(),
                                    Pointers(variables).data());
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    close(err[1]);
    if (started != 0) {
        close(out[0]);
        close(err[0]);
        run.err = "cannot start " + program + ": " + std::strerror(started);
        return run;
    }
    fcntl(out[0], F_SETFL, O_NONBLOCK);
    fcntl(err[0], F_SETFL, O_NONBLOCK);

    const std::uint32_t start = platform::Clock().TickCount();
    bool outOpen = true;
    bool errOpen = true;
    bool killed = false;
    while (outOpen || errOpen) {
        if (platform::Clock().TickCount() - start > limitMilliseconds) {
            kill(child, SIGKILL);
            killed = true;
            break;
        }
        // A negative descriptor is left out of the wait: a closed pipe would wake it at once.
        pollfd waits[3] = {{outOpen ? out[0] : -1, POLLIN, 0},
                           {errOpen ? err[0] : -1, POLLIN, 0},
                           {printer.WaitDescriptor(), POLLIN, 0}};
        const int wait = printer.WaitMilliseconds();
        poll(waits, 3, wait < 0 || wait > kLongestWait ? kLongestWait : wait);
        outOpen = outOpen && Drain(out[0], &run.out);
        errOpen = errOpen && Drain(err[0], &run.err);
        printer.Serve();
    }
    int status = 0;
    waitpid(child, &status, 0);
    close(out[0]);
    close(err[0]);
    run.status = !killed && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    printer.Serve();  // the program's end closed the node
    return run;
}

}  // namespace clitest
