#include "portselect/PlexerBinding.h"

namespace portselect {

PlexerPortFunctions FindPortFunctions(platform::LibraryHandle library) {
    PlexerPortFunctions functions;
    functions.portOpen = TOLVANE_PLEXER_FUNCTION(library, PortOpenByPlex);
    functions.send = TOLVANE_PLEXER_FUNCTION(library, SendByPlex);
    functions.receive = TOLVANE_PLEXER_FUNCTION(library, ReceiveByPlex);
    functions.portClose = TOLVANE_PLEXER_FUNCTION(library, PortCloseByPlex);
    functions.setReceiveType = TOLVANE_PLEXER_FUNCTION(library, SetReceiveTypeByPlex);
    functions.getModelName = TOLVANE_PLEXER_FUNCTION(library, GetModelNameByPlex);
    functions.errorCode = TOLVANE_PLEXER_FUNCTION(library, GetIoErrorCodeByPlex);
    return functions;
}

PlexerBinding::PlexerBinding(std::ostream& errors) : library_(platform::LoadSharedLibrary("Plexer.dll")) {
    if (library_ == nullptr) {
        errors << "tolvane: cannot load " << platform::LibraryFileName("Plexer.dll")
               << " or the port driver it chooses\n";
        return;
    }
    static_cast<PlexerPortFunctions&>(*this) = FindPortFunctions(library_);
    bound_ = Complete();
    if (!bound_) {
        errors << "tolvane: the driver selector lacks its port functions\n";
    }
}

PlexerBinding::~PlexerBinding() {
    platform::FreeSharedLibrary(library_);
}

int PlexerBinding::IoError() const {
    std::int16_t code = 0;
    errorCode(&code);
    return code;
}

}  // namespace portselect
