// Run-time loading of our shared libraries by their Windows names. "Plexer.dll" loads Plexer.dll on
// Windows and libPlexer.so on Linux; on Linux the executable's folder is searched first, then the
// loader's own search path. Loading may block while the library initialises itself.
#pragma once

#include <string>

namespace platform {

using LibraryHandle = void*;

// The platform's file name of a library given by its Windows name ("Plexer.dll" -> "libPlexer.so").
std::string LibraryFileName(const std::string& windowsName);

// Null when the library cannot be loaded; the reason goes to the debug output.
LibraryHandle LoadSharedLibrary(const std::string& windowsName);

// Null when the library lacks the function.
void* FindLibraryFunction(LibraryHandle library, const char* name);

void FreeSharedLibrary(LibraryHandle library);

}  // namespace platform
