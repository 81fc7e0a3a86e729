// The calling convention and visibility of the plain functions our libraries export by name. The
// 32-bit Windows convention is stdcall (the callee pops the arguments); x64 Windows and Linux have one
// convention only. Windows builds name their exports in a .def file, so the names stay undecorated.
#pragma once

#if defined(_WIN32) && defined(__i386__)
#define TOLVANE_STDCALL __stdcall
#else
#define TOLVANE_STDCALL
#endif

#if defined(_WIN32)
#define TOLVANE_EXPORT
#else
#define TOLVANE_EXPORT __attribute__((visibility("default")))
#endif
