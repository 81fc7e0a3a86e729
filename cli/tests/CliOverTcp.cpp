#include "CliOverTcp.h"

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "TolvaneCommandLine.h"

namespace clitest {
namespace {

bool Names(const std::vector<std::string>& arguments, const std::string& option) {
    return std::any_of(arguments.begin(), arguments.end(), [&](const std::string& argument) {
        return argument == option || argument.rfind(option + "=", 0) == 0;
    });
}

}  // namespace

CliOverTcp::CliOverTcp() : printers({"USB1=VK-572D", "USB2=VK-2240II"}, "", {"--print-dir", prints.Path()}) {}

void CliOverTcp::SetUp() {
    ASSERT_TRUE(printers.Ok()) << printers.Error();
    printers.InstallAsDeviceBackend();
}

CliRun CliOverTcp::Run(std::vector<std::string> arguments) {
    if (!Names(arguments, "--port")) {
        arguments.insert(arguments.begin(), {"--port", "USB1"});
    }
    if (!Names(arguments, "--profile")) {
        arguments.insert(arguments.begin(), {"--profile", "VK-572D"});
    }
    if (!Names(arguments, "--backup-dir")) {
        arguments.insert(arguments.begin(), {"--backup-dir", backups.Path()});
    }
    return RunAsGiven(arguments);
}

CliRun CliOverTcp::RunAsGiven(const std::vector<std::string>& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    CliRun run;
    run.status = tolvane_cli::RunTolvane(arguments, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

std::string CliOverTcp::Control(const std::string& words, const std::string& printer) {
    std::string answer;
    EXPECT_EQ(printers.Control(printer, words, &answer), platform::VirtualPrinterClient::Result::Ok)
        << answer;
    return answer;
}

int CliOverTcp::Peek(int address, const std::string& printer) {
    const std::string answer = Control("peek=" + std::to_string(address), printer);
    const std::size_t colon = answer.find(":0x");
    return colon == std::string::npos ? -1 : std::stoi(answer.substr(colon + 3, 2), nullptr, 16);
}

void CliOverTcp::Poke(int address, int value, const std::string& printer) {
    Control("poke=" + std::to_string(address) + ":" + std::to_string(value), printer);
}

int CliOverTcp::PagesPrinted() const {
    int pages = 0;
    for (const auto& entry : std::filesystem::directory_iterator(prints.Root())) {
        pages += entry.path().extension() == ".png" ? 1 : 0;
    }
    return pages;
}

std::vector<std::string> CliOverTcp::Backups() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(backups.Root())) {
        if (entry.path().extension() == ".eep") {
            names.push_back(entry.path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace clitest
