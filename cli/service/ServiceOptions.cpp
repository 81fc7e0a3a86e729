#include "ServiceOptions.h"

#include <array>

namespace tolvane_cli {
namespace {

// The options that take a value, and where it goes.
struct ValueOption {
    const char* name;
    std::string ServiceOptions::*field;  // null: a command option kept in values
};

constexpr std::array<ValueOption, 8> kValueOptions = {{
    {"port", &ServiceOptions::port},
    {"profile", &ServiceOptions::profile},
    {"customer", &ServiceOptions::customer},
    {"language", &ServiceOptions::language},
    {"backup-dir", &ServiceOptions::backupDir},
    {"from", nullptr},
    {"to", nullptr},
    {"mode", nullptr},
}};

struct FlagOption {
    const char* name;
    bool ServiceOptions::*field;
};

constexpr std::array<FlagOption, 4> kFlagOptions = {{
    {"json", &ServiceOptions::json},
    {"dry-run", &ServiceOptions::dryRun},
    {"watch", &ServiceOptions::watch},
    {"help", &ServiceOptions::help},
}};

}  // namespace

std::optional<std::string> ServiceOptions::Value(const std::string& name) const {
    const auto found = values.find(name);
    return found == values.end() ? std::nullopt : std::optional<std::string>(found->second);
}

bool ParseServiceOptions(const std::vector<std::string>& arguments, ServiceOptions* options,
                         std::string* error) {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || argument[0] != '-' ||
            (argument[1] != '-' && argument != "-h")) {
            // A lone "-" and negative numbers ("-3") are words.
            options->words.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (argument == "-h") {
            options->help = true;
            continue;
        }
        const std::size_t equals = argument.find('=');
        const std::string name =
            argument.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
        bool known = false;
        for (const FlagOption& flag : kFlagOptions) {
            if (name == flag.name) {
                if (equals != std::string::npos) {
                    *error = "--" + name + " takes no value";
                    return false;
                }
                options->*flag.field = true;
                known = true;
            }
        }
        for (const ValueOption& option : kValueOptions) {
            if (name != option.name) {
                continue;
            }
            std::string value;
            if (equals != std::string::npos) {
                value = argument.substr(equals + 1);
            } else if (i + 1 < arguments.size()) {
                value = arguments[++i];
            } else {
                *error = "--" + name + " wants a value: --" + name + " VALUE";
                return false;
            }
            if (value.empty()) {
                *error = "--" + name + " wants a value that is not empty";
                return false;
            }
            if (option.field != nullptr) {
                options->*option.field = value;
            } else {
                options->values[name] = value;
            }
            known = true;
        }
        if (!known) {
            *error = "unknown option " + argument.substr(0, equals) + " (tolvane --help lists them)";
            return false;
        }
    }
    return true;
}

}  // namespace tolvane_cli
