#include "portselect/ImportedSelector.h"

namespace portselect {

// The addresses of the imports: in the Windows build the thunks of the delay-load library built from
// Plexer.def, elsewhere the lazy bindings of DelayedImportsPosix.cpp. Taking them loads nothing; the
// first call does.
const PlexerPortFunctions& ImportedSelector() {
    static const PlexerPortFunctions functions{
        &PortOpenByPlex,       &SendByPlex,         &ReceiveByPlex,       &PortCloseByPlex,
        &SetReceiveTypeByPlex, &GetModelNameByPlex, &GetIoErrorCodeByPlex};
    return functions;
}

}  // namespace portselect
