// The Windows integer types that the configuration members are declared with, spelled so that they
// agree with <windows.h> when a Win32 source includes both.
#pragma once

typedef int BOOL;
typedef unsigned short WORD;
#ifdef _WIN32
typedef unsigned long DWORD;
#else
typedef unsigned int DWORD;
#endif

#ifndef TRUE
constexpr BOOL TRUE = 1;
#endif
#ifndef FALSE
constexpr BOOL FALSE = 0;
#endif
