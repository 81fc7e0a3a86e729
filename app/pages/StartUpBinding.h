// The binding the program makes before anything else: Plexer.dll (which loads the port driver of the
// running system) and ChanLink.dll. Without either the program cannot reach a printer at all, so it
// says so and ends.
#pragma once

#include <string>

namespace pages {

// How the program ends after the start-up message. The program's own ends the process; the test
// suites install one that records the exit code instead.
using ProgramEnd = void (*)(int exitCode);
// Null brings back the program's own.
void SetProgramEnd(ProgramEnd end);

// The exit code of a start without its libraries.
inline constexpr int kExitLibrariesMissing = 1;

// Binds both libraries through CPortLibraryBinder. When either is missing: the system message box
// "Cannot fount DLL files.\nThis program is exit." (caption "error", stop icon), then the program
// ends. True when both are bound. The names are the program's own unless a test gives others.
bool BindPortLibrariesAtStartUp(const std::string& selectorName = "Plexer.dll",
                                const std::string& channelName = "ChanLink.dll");

}  // namespace pages
