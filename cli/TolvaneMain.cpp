// tolvane: the command line of the service tool. It reads the same profile and language files as the
// program beside it and answers what a technician or maintainer asks of them, and does every service
// item on one printer with the program's own printer code.
#include <iostream>
#include <string>
#include <vector>

#include "TolvaneCommandLine.h"
#include "Watch.h"

int main(int argc, char** argv) {
    tolvane_cli::InstallInterruptHandler();
    return tolvane_cli::RunTolvane(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
