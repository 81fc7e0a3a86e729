// The command line of tolvane:
//   tolvane profiles
//   tolvane ports
//   tolvane send PORT FILE
//   tolvane menu PROFILE LANGUAGE
//   tolvane parts PROFILE LANGUAGE
//   tolvane sequence PROFILE LANGUAGE ROW [ROW ...]
//   tolvane [OPTIONS] COMMAND [ARGUMENTS]   (the printer commands: service/ServiceDispatch.h)
// Answers go to out, complaints to err; an unknown command, profile, language or row ends with exit
// status 2, a sequence without any selected part with 1; ExitCodes.h has the rest.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "ExitCodes.h"

namespace tolvane_cli {

// Runs the tool on the arguments after the program name and returns the exit status.
int RunTolvane(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace tolvane_cli
