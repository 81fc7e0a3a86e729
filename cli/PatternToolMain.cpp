// tolvane-patterns: writes the print data of one test-pattern block to standard output.
#include <iostream>
#include <string>
#include <vector>

#include "PatternToolCommandLine.h"
#include "platform/StandardStreams.h"

int main(int argc, char** argv) {
    // The print data is binary: no CR may be added in front of its LF bytes.
    platform::SetStdoutBinary();
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return pattern_tool::RunPatternTool(arguments, std::cout, std::cerr);
}
