// The folder of the running executable, where TOLVANE.INI, Parameter\ and the DLLs live.
#pragma once

#include <string>

namespace platform {

// The path of the running module up to and including its last separator ('\' on Windows, '/' on
// Linux). Never empty: falls back to the current folder when the OS does not tell.
std::string ExecutableFolder();

// The folder, with its trailing separator, of the executable or library that holds the address (a
// library finds its own folder by passing one of its own objects). Empty when the OS does not tell.
std::string ModuleFolderContaining(const void* address);

// Replaces the executable folder for this process: the test suites and the command-line tools point
// the program at a folder of their own (an empty text restores the real folder).
void OverrideExecutableFolder(const std::string& folder);

// The path in the form the OS takes: '\' becomes '/' on Linux, the path stays as it is on Windows.
std::string NativePath(const std::string& path);

}  // namespace platform
