// The driver selector imported by the program itself, for the print streams, the status reader and
// the screens that discover printers. In the Windows build the imports are delayed: Plexer.dll is
// loaded at the first call of one of its functions, by the system's search order, and a function it
// lacks answers 0xB000 through the delay-load helper's failure hook (the program's start-up has ruled
// out a missing library by loading it by name before any screen exists). Elsewhere each function is
// bound by name in Plexer at its first call and answers 0xB000 while it cannot be (PortCloseByPlex
// then does nothing). Either way the library stays loaded until the process ends, and it is the one
// library instance that CPortLibraryBinder loaded as well: a port opened through one path closes
// through the other.
#pragma once

#include "portselect/PlexerFunctions.h"

namespace portselect {

// The imported port functions, every one of them set. Calling them is calling the exports by name.
const PlexerPortFunctions& ImportedSelector();

}  // namespace portselect
