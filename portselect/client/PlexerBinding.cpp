#include "portselect/PlexerBinding.h"

namespace portselect {
namespace {

template <class Function>
Function* Find(platform::LibraryHandle library, const char* name) {
    return reinterpret_cast<Function*>(platform::FindLibraryFunction(library, name));
}

}  // namespace

PlexerBinding::PlexerBinding(std::ostream& errors) : library_(platform::LoadSharedLibrary("Plexer.dll")) {
    if (library_ == nullptr) {
        errors << "tolvane: cannot load " << platform::LibraryFileName("Plexer.dll")
               << " or the port driver it chooses\n";
        return;
    }
    portOpen = Find<PortOpenFunction>(library_, "PortOpenByPlex");
    send = Find<SendFunction>(library_, "SendByPlex");
    portClose = Find<PortCloseFunction>(library_, "PortCloseByPlex");
    getModelName = Find<GetModelNameFunction>(library_, "GetModelNameByPlex");
    errorCode = Find<ErrorCodeFunction>(library_, "GetIoErrorCodeByPlex");
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
