// Runs a program of the build to its end while a printer behind a pseudo-terminal answers it: its
// standard output and error are collected, its environment is this process's with the given
// variables set or taken away. Linux only.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "PseudoTerminalPrinter.h"

namespace clitest {

struct ProgramRun {
    int status = -1;  // the exit status; -1 when it did not end by itself
    std::string out;
    std::string err;
};

// (name, value) pairs; an empty value takes the variable away.
using EnvironmentChanges = std::vector<std::pair<std::string, std::string>>;

// Starts `program` with the arguments and serves the printer until the program ends. A program
// still running after `limitMilliseconds` is killed (status -1).
ProgramRun RunBesidePrinter(const std::string& program, const std::vector<std::string>& arguments,
                            const EnvironmentChanges& environment, PseudoTerminalPrinter& printer,
                            unsigned limitMilliseconds);

}  // namespace clitest
