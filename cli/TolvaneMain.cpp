// tolvane: the command line of the service tool. It reads the same profile and language files as the
// program beside it and answers what a technician or maintainer asks of them.
#include <iostream>
#include <string>
#include <vector>

#include "TolvaneCommandLine.h"

int main(int argc, char** argv) {
    return tolvane_cli::RunTolvane(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
