// The command line of tolvane-patterns:
//   tolvane-patterns --profile NAME [--customer N] --list
//   tolvane-patterns --profile NAME [--customer N] BLOCK [KEY=VALUE ...]
// The block's bytes, built for the named profile below the program's Parameter folder, go to standard
// output. Unknown blocks, unknown keys and bad values end with a message and exit status 2.
#pragma once

#include <iosfwd>
#include <string>
#include <utility>
#include <vector>

#include "PatternBlockCatalogue.h"

namespace pattern_tool {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitBuildFailed = 1;
inline constexpr int kExitUsage = 2;

struct Request {
    std::string profile;
    int customer = 0;
    bool list = false;
    bool help = false;
    std::string block;
    std::vector<std::pair<std::string, std::string>> assignments;  // KEY=VALUE in command-line order
};

// The arguments after the program name. False with a message when they cannot be understood.
bool ParseCommandLine(const std::vector<std::string>& arguments, Request& request, std::string& error);

// A decimal number with an optional '-', or a hexadecimal one after 0x or 0X.
bool ParseNumber(const std::string& text, long long& value);

// Checks every KEY=VALUE against the block's parameters and the model, and fills in the defaults.
bool ResolveArguments(const PatternBlock& block,
                      const std::vector<std::pair<std::string, std::string>>& assignments,
                      const patterns::PatternModel& model, BlockArguments& resolved, std::string& error);

// Runs the tool: bytes to out, messages to err; returns the exit status.
int RunPatternTool(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace pattern_tool
