// The folder set by OverrideExecutableFolder, shared by the back-ends of ModulePath, and the real
// folder of the running executable, which the library loader searches even while a test overrides it.
#pragma once

#include <string>

namespace platform::detail {

// The override with its trailing separator, or empty when none is set.
std::string ExecutableFolderOverride();

// Stores the folder, adding the separator when it lacks one (either '\' or '/' counts).
void SetExecutableFolderOverride(const std::string& folder, char separator);

// The folder of the running executable with its trailing separator, whatever the override says.
// Asked of the OS once per process.
std::string RunningExecutableFolder();

// Each back-end gives these two: the OS's own answer, and the separator it adds to an override.
std::string FolderOfRunningExecutable();
extern const char kPathSeparator;

}  // namespace platform::detail
