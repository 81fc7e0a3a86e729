#include <sstream>

#include "platform/DebugOutput.h"
#include "portselect/ImportedSelector.h"
#include "portselect/PlexerBinding.h"

namespace portselect {

const PlexerPortFunctions* ImportedSelector() {
    // Bound once, at the first use, and kept for the life of the process as an imported library is.
    static const PlexerPortFunctions* const bound = []() -> const PlexerPortFunctions* {
        std::ostringstream errors;
        static const PlexerBinding binding(errors);
        if (!binding.Bound()) {
            platform::DebugOutput(errors.str().c_str());
            return nullptr;
        }
        return &binding;
    }();
    return bound;
}

}  // namespace portselect
