// Starting another program of ours and waiting for it to end: the firmware page starts the flashing
// program from the program's folder and waits for it while it keeps its own windows painting.
//
// On Windows the program is opened with the shell's "open" verb in a normal window, without
// parameters; on Linux it is executed directly. A program given by its Windows name ("Kindler.exe")
// is found under its Linux name ("kindler") there.
#pragma once

#include <string>

namespace platform {

class StartedProgram;
using ProgramHandle = StartedProgram*;

// The platform's file name of a program given by its Windows name: the name itself on Windows,
// without ".exe" and in lower case on Linux.
std::string ProgramFileName(const std::string& windowsName);

// Does not block beyond the start itself. Null when the program cannot be started (no such file,
// not executable, the folder missing); the reason goes to the debug output.
ProgramHandle StartProgram(const std::string& path, const std::string& workingFolder);

enum class ProgramWait {
    Ended,    // the program has ended; its exit code is known
    Running,  // the time passed and it still runs
    Failed,   // the OS cannot tell (a handle of no program)
};

// Blocks up to `milliseconds` for the program to end. On Ended the exit code goes to *exitCode when
// it is not null. Waiting again after Ended answers Ended again.
ProgramWait WaitForProgram(ProgramHandle program, unsigned milliseconds, int* exitCode = nullptr);

// Forgets the program (it goes on running if it has not ended) and frees the handle; null is fine.
void CloseProgram(ProgramHandle program);

}  // namespace platform
