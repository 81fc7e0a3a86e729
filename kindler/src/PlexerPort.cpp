#include "PlexerPort.h"

#include "platform/DebugOutput.h"

namespace kindler {
namespace {

template <class Function>
Function Find(platform::LibraryHandle library, const char* name) {
    return reinterpret_cast<Function>(platform::FindLibraryFunction(library, name));
}

}  // namespace

PlexerPort::PlexerPort() : library_(platform::LoadSharedLibrary("Plexer.dll")) {
    if (library_ == nullptr) {
        platform::DebugOutput("Kindler: Plexer.dll or the port driver it chooses cannot be loaded\n");
        return;
    }
    portOpen = Find<PortOpenFunction>(library_, "PortOpenByPlex");
    portClose = Find<PortCloseFunction>(library_, "PortCloseByPlex");
    send = Find<SendFunction>(library_, "SendByPlex");
    receive = Find<ReceiveFunction>(library_, "ReceiveByPlex");
    setReceiveType = Find<SetReceiveTypeFunction>(library_, "SetReceiveTypeByPlex");
    getModelName = Find<GetModelNameFunction>(library_, "GetModelNameByPlex");
    errorCode = Find<ErrorCodeFunction>(library_, "GetIoErrorCodeByPlex");
    bound_ = portOpen != nullptr && portClose != nullptr && send != nullptr && receive != nullptr &&
             setReceiveType != nullptr && getModelName != nullptr && errorCode != nullptr;
    if (!bound_) {
        platform::DebugOutput("Kindler: Plexer.dll lacks one of its port functions\n");
    }
}

PlexerPort::~PlexerPort() {
    platform::FreeSharedLibrary(library_);
}

int PlexerPort::IoError() const {
    std::int16_t code = 0;
    errorCode(&code);
    return code;
}

}  // namespace kindler
