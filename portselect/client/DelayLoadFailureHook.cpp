// The delay-load helper's failure hook of every program that imports Plexer.dll with delayed imports.
// The program loads Plexer by name at start-up, before any imported function is called, so what can
// fail is a function this Plexer lacks: the helper would raise an exception, which ends the process.
// The hook gives the call a stand-in that answers 0xB000 instead, as a lookup by name that finds
// nothing does. A failure of any other library keeps the helper's exception.
#include <windows.h>

#include <delayimp.h>

#include "portselect/PlexerStatus.h"

namespace {

constexpr INT_PTR kFunctionMissing = portselect::status::kMissing;

// One calling convention on x64: a function that takes nothing and returns a status word can stand
// in for every Plexer function (the callee ignores the arguments, a void caller the result).
INT_PTR WINAPI FunctionMissing() {
    return kFunctionMissing;
}

FARPROC WINAPI OnDelayLoadFailure(unsigned notification, PDelayLoadInfo info) {
    if (notification == dliFailGetProc && info != nullptr && lstrcmpiA(info->szDll, "Plexer.dll") == 0) {
        return &FunctionMissing;
    }
    return nullptr;
}

}  // namespace

// The helper reads its hook from this variable, which the runtime library defines as well, empty.
// Defined here with its value, it holds the hook from the start, before any code of the program runs,
// and the runtime's is not linked.
PfnDliHook __pfnDliFailureHook2 = &OnDelayLoadFailure;
