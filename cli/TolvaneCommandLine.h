// The command line of tolvane:
//   tolvane profiles
//   tolvane ports
//   tolvane send PORT FILE
//   tolvane menu PROFILE LANGUAGE
//   tolvane parts PROFILE LANGUAGE
//   tolvane sequence PROFILE LANGUAGE ROW [ROW ...]
// Answers go to out, complaints to err; an unknown command, profile, language or row ends with exit
// status 2, a sequence without any selected part with 1.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tolvane_cli {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitNothingSelected = 1;
inline constexpr int kExitUsage = 2;

// Runs the tool on the arguments after the program name and returns the exit status.
int RunTolvane(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace tolvane_cli
