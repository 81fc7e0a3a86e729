// A printer command of tolvane: its words, its help, and the function that runs it. Each family of
// commands lists its own in a table; the dispatcher and the help and manual page read the tables.
#pragma once

#include <span>
#include <string>
#include <vector>

namespace tolvane_cli {

class ServiceSession;

using CommandArguments = std::vector<std::string>;

struct ServiceCommand {
    // The command's words: "eeprom dump", "status".
    const char* name;
    // Its arguments and own options, after the name: "[--from A --to B]".
    const char* arguments;
    // One line for the overview.
    const char* summary;
    // The whole help: what it does, its output, its --json fields. Lines of at most 78 characters.
    const char* help;
    // Runs it on the words after the name. The session is not open yet: the command checks its
    // arguments first (kExitUsage, with the accepted form, before anything is sent), then calls
    // session.Open().
    int (*run)(ServiceSession& session, const CommandArguments& arguments);
};

// The families, each in its own file.
std::span<const ServiceCommand> StatusCommands();      // info, status, sensors
std::span<const ServiceCommand> EepromCommands();      // eeprom dump/save/restore/write/print/undo
std::span<const ServiceCommand> CounterCommands();     // counters, counters reset, fatal-history
std::span<const ServiceCommand> AdjustmentCommands();  // bid, margin, pe-threshold
std::span<const ServiceCommand> SetupCommands();       // serial, initial-setting, test-print, firmware

}  // namespace tolvane_cli
