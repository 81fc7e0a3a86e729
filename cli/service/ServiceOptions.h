// The options every printer command of tolvane shares, and the words left for the command itself.
// Options may stand anywhere after the program name: `tolvane --port USB2 eeprom dump --json`.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tolvane_cli {

struct ServiceOptions {
    std::string port;       // --port: "USB1", "LPT2", or a device path; empty: the first printer found
    std::string profile;    // --profile; empty: TOLVANE.INI's, else the profile the printer reports
    std::string customer;   // --customer: a customer title or slot number; empty: TOLVANE.INI's
    std::string language;   // --language; empty: TOLVANE.INI's, else the profile's first
    std::string backupDir;  // --backup-dir; empty: the per-user data folder
    bool json = false;      // --json
    bool dryRun = false;    // --dry-run
    bool watch = false;     // --watch
    bool help = false;      // --help or -h
    // Options that only some commands take (--from, --to, --mode), by name without the dashes.
    std::map<std::string, std::string> values;
    // The command and its arguments, options removed, in order.
    std::vector<std::string> words;

    // The value of a command option, if it was given.
    std::optional<std::string> Value(const std::string& name) const;
};

// Splits the arguments after the program name. False with a one-line message in *error for an
// unknown option or one without its value; --name=value and --name value are both accepted. A lone
// "--" ends the options: every word after it is a command word.
bool ParseServiceOptions(const std::vector<std::string>& arguments, ServiceOptions* options,
                         std::string* error);

}  // namespace tolvane_cli
