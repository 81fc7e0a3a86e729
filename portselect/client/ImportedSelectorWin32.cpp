#include "portselect/ImportedSelector.h"
#include "portselect/PlexerExports.h"

namespace portselect {

// The addresses are those of the import thunks of the delay-load library built from Plexer.def: taking
// them loads nothing, the first call does.
const PlexerPortFunctions* ImportedSelector() {
    static const PlexerPortFunctions functions{&PortOpenByPlex, &SendByPlex, &PortCloseByPlex,
                                               &GetModelNameByPlex, &GetIoErrorCodeByPlex};
    return &functions;
}

}  // namespace portselect
