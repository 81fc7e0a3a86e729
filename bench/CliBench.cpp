// The command line's EEPROM dump against the vprinter server on loopback, a VK-572D at USB1 answering
// 1 ms late, on the real clock. First the built program (tolvane beside this benchmark, tolvane-cli.exe
// in the Windows build) is started as a process of its own, reaching the server through
// TOLVANE_VPRINTER, with its output discarded: for each run the wall time from the start to its end,
// and the start-up, the time from the start to the first frame the server receives from it. Then the
// same command runs in this process (RunTolvane), which leaves out the process start, the loading of
// the program and its libraries, so the difference shows what starting a process costs. The shell
// that std::system starts the program through is timed alone as well. Prints min/median/max of each
// figure; asserts nothing.
//   bench_cli [runs] [command words]   5 runs of "eeprom dump" unless told otherwise
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "TolvaneCommandLine.h"
#include "platform/Device.h"
#include "platform/ModulePath.h"
#include "protocol/VirtualPortFrames.h"
#include "vprinter/server/LoopbackPrinters.h"

namespace {

using SteadyClock = std::chrono::steady_clock;

#ifdef _WIN32
constexpr const char* kProgramName = "tolvane-cli.exe";
constexpr const char* kDiscardOutput = " >NUL 2>&1";
#else
constexpr const char* kProgramName = "tolvane";
constexpr const char* kDiscardOutput = " >/dev/null 2>&1";
#endif

double Milliseconds(SteadyClock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

const char* VerbName(protocol::vport::Verb verb) {
    using protocol::vport::Verb;
    switch (verb) {
        case Verb::ListPorts:
            return "ListPorts";
        case Verb::Open:
            return "Open";
        case Verb::Close:
            return "Close";
        case Verb::Write:
            return "Write";
        case Verb::Read:
            return "Read";
        case Verb::DeviceId:
            return "DeviceId";
        case Verb::SoftReset:
            return "SoftReset";
        case Verb::Control:
            return "Control";
    }
    return "?";
}

// The moment of the first frame that reaches the server after Arm(), from whichever connection.
class FirstFrameClock {
public:
    explicit FirstFrameClock(vprinter::LoopbackPrinters& printers) : printers_(printers) {
        printers_.ObserveFirstFrames([this](protocol::vport::Verb verb) {
            std::int64_t expected = 0;
            const std::int64_t now = SteadyClock::now().time_since_epoch().count();
            if (at_.compare_exchange_strong(expected, now)) {
                verb_ = verb;
            }
        });
    }
    ~FirstFrameClock() { printers_.ObserveFirstFrames(nullptr); }
    FirstFrameClock(const FirstFrameClock&) = delete;
    FirstFrameClock& operator=(const FirstFrameClock&) = delete;

    void Arm() { at_ = 0; }
    // The time from `start` to the first frame since Arm(); none when no frame came.
    std::optional<double> Since(SteadyClock::time_point start) const {
        const std::int64_t at = at_;
        if (at == 0) {
            return std::nullopt;
        }
        return Milliseconds(SteadyClock::time_point(SteadyClock::duration(at)) - start);
    }
    protocol::vport::Verb Verb() const { return verb_; }

private:
    vprinter::LoopbackPrinters& printers_;
    std::atomic<std::int64_t> at_{0};
    std::atomic<protocol::vport::Verb> verb_{protocol::vport::Verb::ListPorts};
};

struct Run {
    double wall = 0;
    std::optional<double> firstFrame;
    int status = 0;
};

// The exit status of the command std::system ran: on Windows its own value, elsewhere the wait status
// of the shell, which ends with the program's status.
int ExitStatus(int systemResult) {
#ifdef _WIN32
    return systemResult;
#else
    return (systemResult & 0x7F) == 0 ? (systemResult >> 8) & 0xFF : 128 + (systemResult & 0x7F);
#endif
}

// A word for the shell: bare when it holds nothing the shell would take apart.
std::string ShellWord(const std::string& word) {
    if (!word.empty() && word.find_first_of(" \t\"'&|<>()^;$`\\*?") == std::string::npos) {
        return word;
    }
#ifdef _WIN32
    if (!word.empty() && word.find_first_of(" \t\"&|<>()^") == std::string::npos) {
        return word;  // backslashes of a Windows path are no concern of the command interpreter
    }
    return std::string(1, '"').append(word).append(1, '"');
#else
    std::string quoted = "'";
    for (const char c : word) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
#endif
}

// The command line that starts the program on the server at `address` with `arguments`. The variable
// is given to the program alone where the shell can; on Windows it is set in this process (and so
// inherited), which the run in process does not mind: it uses the back-end installed for it.
std::string CommandLine(const std::string& program, const std::string& address,
                        const std::vector<std::string>& arguments) {
    std::string line;
#ifdef _WIN32
    const std::string variable = std::string(platform::kVirtualPrinterVariable) + "=" + address;
    _putenv(variable.c_str());
    line = ShellWord(program);
#else
    line = std::string(platform::kVirtualPrinterVariable) + "=" + address + " exec " + ShellWord(program);
#endif
    for (const std::string& argument : arguments) {
        line.append(1, ' ').append(ShellWord(argument));
    }
    line += kDiscardOutput;
#ifdef _WIN32
    // The command interpreter strips the first and the last quote of the line it is given.
    if (line.front() == '"') {
        line = std::string(1, '"').append(line).append(1, '"');
    }
#endif
    return line;
}

Run RunProcess(const std::string& commandLine, FirstFrameClock& frames) {
    frames.Arm();
    const SteadyClock::time_point start = SteadyClock::now();
    const int result = std::system(commandLine.c_str());
    Run run;
    run.wall = Milliseconds(SteadyClock::now() - start);
    run.firstFrame = frames.Since(start);
    run.status = ExitStatus(result);
    return run;
}

Run RunInProcess(const std::vector<std::string>& arguments, FirstFrameClock& frames) {
    std::ostringstream out;
    std::ostringstream err;
    frames.Arm();
    const SteadyClock::time_point start = SteadyClock::now();
    Run run;
    run.status = tolvane_cli::RunTolvane(arguments, out, err);
    run.wall = Milliseconds(SteadyClock::now() - start);
    run.firstFrame = frames.Since(start);
    if (run.status != 0) {
        const std::string complaint = err.str();
        std::fprintf(stderr, "in process: %s\n", complaint.substr(0, complaint.find('\n')).c_str());
    }
    return run;
}

void PrintRun(const char* kind, int number, const Run& run) {
    std::printf("  %-11s run %d: %8.1f ms", kind, number, run.wall);
    if (run.firstFrame) {
        std::printf(", first frame after %7.1f ms", *run.firstFrame);
    } else {
        std::printf(", no frame reached the server");
    }
    std::printf(", exit status %d\n", run.status);
}

// "min / median / max" of the figures; "-" when there are none.
std::string Spread(std::vector<double> figures) {
    if (figures.empty()) {
        return "-";
    }
    std::sort(figures.begin(), figures.end());
    const std::size_t middle = figures.size() / 2;
    const double median =
        figures.size() % 2 == 1 ? figures[middle] : (figures[middle - 1] + figures[middle]) / 2;
    char text[96];
    std::snprintf(text, sizeof text, "%8.1f / %8.1f / %8.1f ms", figures.front(), median, figures.back());
    return text;
}

void PrintSummary(const char* kind, const std::vector<Run>& runs) {
    std::vector<double> walls;
    std::vector<double> firstFrames;
    int failed = 0;
    for (const Run& run : runs) {
        walls.push_back(run.wall);
        if (run.firstFrame) {
            firstFrames.push_back(*run.firstFrame);
        }
        failed += run.status != 0;
    }
    std::printf("%-28s whole run (min/median/max)   %s\n", kind, Spread(walls).c_str());
    std::printf("%-28s to the first frame           %s\n", "", Spread(firstFrames).c_str());
    if (failed > 0) {
        std::printf("%-28s %d of %zu run(s) FAILED\n", "", failed, runs.size());
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    std::vector<std::string> command(argv + std::min(argc, 2), argv + argc);
    if (command.empty()) {
        command = {"eeprom", "dump"};
    }
    std::vector<std::string> arguments{"--port", "USB1", "--profile", "VK-572D"};
    arguments.insert(arguments.end(), command.begin(), command.end());

    const std::string program = platform::ExecutableFolder() + kProgramName;
    std::error_code ignored;
    if (!std::filesystem::exists(std::filesystem::path(program), ignored)) {
        std::fprintf(stderr, "%s is missing: build the target tolvane first\n", program.c_str());
        return 1;
    }
    vprinter::LoopbackPrinters printers({"USB1=VK-572D"}, "");
    if (!printers.Ok()) {
        std::fprintf(stderr, "%s\n", printers.Error().c_str());
        return 1;
    }
    std::string answer;
    if (printers.Control("USB1", "latency-ms=1", &answer) != platform::VirtualPrinterClient::Result::Ok) {
        std::fprintf(stderr, "cannot set the latency: %s\n", answer.c_str());
        return 1;
    }
    printers.InstallAsDeviceBackend();

    std::string words;
    for (const std::string& argument : arguments) {
        words += " " + argument;
    }
    std::printf("tolvane%s, VK-572D at USB1 answering 1 ms late, %d run(s) each\n", words.c_str(), runs);

    FirstFrameClock frames(printers);
    const std::string shellOnly = "exit 0";
    std::vector<Run> shellRuns;
    for (int run = 0; run < runs; ++run) {
        shellRuns.push_back(RunProcess(shellOnly, frames));
    }
    const std::string commandLine = CommandLine(program, printers.Address(), arguments);
    std::vector<Run> processRuns;
    for (int run = 0; run < runs; ++run) {
        processRuns.push_back(RunProcess(commandLine, frames));
        PrintRun("process", run + 1, processRuns.back());
    }
    if (processRuns.front().firstFrame) {
        std::printf("  the program's first frame: %s\n", VerbName(frames.Verb()));
    }
    std::vector<Run> inProcessRuns;
    for (int run = 0; run < runs; ++run) {
        inProcessRuns.push_back(RunInProcess(arguments, frames));
        PrintRun("in process", run + 1, inProcessRuns.back());
    }

    PrintSummary("the shell alone", shellRuns);
    PrintSummary(kProgramName, processRuns);
    PrintSummary("RunTolvane in this process", inProcessRuns);
    const auto failed = [](const Run& run) { return run.status != 0; };
    return std::any_of(processRuns.begin(), processRuns.end(), failed) ||
                   std::any_of(inProcessRuns.begin(), inProcessRuns.end(), failed)
               ? 1
               : 0;
}
