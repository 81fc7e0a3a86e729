// The delay-load helper resolves the eight imports from the selector client's delay-load import
// library of Plexer.dll. Plexer is loaded by the start-up binding already, so the helper's load finds it;
// a function Plexer lacks would make the helper raise an exception, so the failure hook answers
// with a stand-in that returns 0xB000 instead, as the binder does.
#include <windows.h>

#include <delayimp.h>

#include "printer/PortStatus.h"

namespace {

// One calling convention on x64: a function that takes nothing and returns a status word can stand
// in for any of the eight (the void one ignores the result).
INT_PTR WINAPI LibraryFunctionMissing() {
    return printer::status::kLibraryMissing;
}

FARPROC WINAPI OnDelayLoadFailure(unsigned notification, PDelayLoadInfo) {
    if (notification == dliFailGetProc) {
        return &LibraryFunctionMissing;
    }
    return nullptr;
}

// Installed before the program's first call can reach an import.
struct InstallFailureHook {
    InstallFailureHook() { __pfnDliFailureHook2 = OnDelayLoadFailure; }
} installFailureHook;

}  // namespace
