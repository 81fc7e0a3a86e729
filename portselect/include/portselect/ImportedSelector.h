// The driver selector bound to the program itself, for the screens that discover printers: in the
// Windows build by delayed import (Plexer.dll is loaded at the first call of one of its functions,
// by the system's search order), elsewhere by loading it by name at the first use. Either way the
// library stays loaded until the process ends.
#pragma once

#include "portselect/PlexerFunctions.h"

namespace portselect {

// The selector's port functions; null when the selector cannot be bound (outside the Windows build
// only: there a missing Plexer.dll fails the first call, which the program's start-up has ruled out
// by loading the library by name before any screen exists).
const PlexerPortFunctions* ImportedSelector();

}  // namespace portselect
