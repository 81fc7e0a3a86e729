// The printer commands as tolvane's command line reaches them: the tables of every family, matched
// against the words, and their help.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "ServiceCommand.h"

namespace tolvane_cli {

// Every printer command, family by family, in the order the help lists them.
std::vector<const ServiceCommand*> AllServiceCommands();

// The command the words start with (the longest name that matches); null when none does. *used gets
// the number of words its name took.
const ServiceCommand* FindServiceCommand(const std::vector<std::string>& words, std::size_t* used);

// Runs tolvane on the arguments after the program name, printer commands and the others alike.
int RunServiceCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace tolvane_cli
