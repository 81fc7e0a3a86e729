#include "ServiceDispatch.h"

#include <ostream>

#include "ExitCodes.h"
#include "ServiceHelp.h"
#include "ServiceOptions.h"
#include "ServiceSession.h"

namespace tolvane_cli {
namespace {

// The name's words equal the first words given.
std::size_t MatchedWords(const std::string& name, const std::vector<std::string>& words) {
    std::size_t used = 0;
    std::size_t start = 0;
    while (start <= name.size()) {
        const std::size_t end = name.find(' ', start);
        const std::string word =
            name.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (used >= words.size() || words[used] != word) {
            return 0;
        }
        ++used;
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    return used;
}

}  // namespace

std::vector<const ServiceCommand*> AllServiceCommands() {
    std::vector<const ServiceCommand*> all;
    for (const auto family :
         {StatusCommands(), EepromCommands(), CounterCommands(), AdjustmentCommands(), SetupCommands()}) {
        for (const ServiceCommand& command : family) {
            all.push_back(&command);
        }
    }
    return all;
}

const ServiceCommand* FindServiceCommand(const std::vector<std::string>& words, std::size_t* used) {
    const ServiceCommand* found = nullptr;
    *used = 0;
    for (const ServiceCommand* command : AllServiceCommands()) {
        if (const std::size_t matched = MatchedWords(command->name, words); matched > *used) {
            found = command;
            *used = matched;
        }
    }
    return found;
}

int RunServiceCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    // Not in the overview: the build writes the manual page with it.
    if (arguments == std::vector<std::string>{"help", "--man"}) {
        WriteManPage(out);
        return kExitSuccess;
    }
    ServiceOptions options;
    std::string error;
    if (!ParseServiceOptions(arguments, &options, &error)) {
        err << "tolvane: " << error << "\n";
        return kExitUsage;
    }
    if (options.words.empty() || options.words[0] == "help") {
        if (options.help || (!options.words.empty() && options.words[0] == "help")) {
            WriteOverview(out);
            return kExitSuccess;
        }
        WriteOverview(err);
        return kExitUsage;
    }
    std::size_t used = 0;
    const ServiceCommand* command = FindServiceCommand(options.words, &used);
    if (command == nullptr) {
        WriteOverview(err);
        return kExitUsage;
    }
    if (options.help) {
        WriteCommandHelp(out, *command);
        return kExitSuccess;
    }
    const CommandArguments rest(options.words.begin() + static_cast<std::ptrdiff_t>(used),
                                options.words.end());
    ServiceSession session(options, out, err);
    return command->run(session, rest);
}

}  // namespace tolvane_cli
