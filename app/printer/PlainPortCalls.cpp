#include "printer/PlainPortCalls.h"

#include "platform/CallingConvention.h"
#include "platform/DynamicLibrary.h"

namespace printer::plainport {
namespace {

// The driver selector, loaded once on the first call and kept to process exit like a delayed import;
// loading it again while the binder holds it gives the same library.
void* Function(const char* name) {
    static const platform::LibraryHandle library = platform::LoadSharedLibrary("Plexer.dll");
    return library == nullptr ? nullptr : platform::FindLibraryFunction(library, name);
}

template <class Signature>
Signature* Bound(const char* name) {
    return reinterpret_cast<Signature*>(Function(name));
}

}  // namespace

Status Open(std::int16_t port) {
    auto* open = Bound<Status TOLVANE_STDCALL(std::uint32_t)>("PortOpenByPlex");
    return open == nullptr ? status::kLibraryMissing
                           : open(static_cast<std::uint32_t>(static_cast<std::int32_t>(port)));
}

void Close() {
    if (auto* close = Bound<void TOLVANE_STDCALL()>("PortCloseByPlex")) {
        close();
    }
}

Status ModelName(char* name) {
    auto* modelName = Bound<Status TOLVANE_STDCALL(char*)>("GetModelNameByPlex");
    return modelName == nullptr ? status::kLibraryMissing : modelName(name);
}

Status Receive(std::uint8_t* buffer, std::uint32_t* length) {
    auto* receive = Bound<Status TOLVANE_STDCALL(std::uint8_t*, std::uint32_t*)>("ReceiveByPlex");
    return receive == nullptr ? status::kLibraryMissing : receive(buffer, length);
}

Status SetReceiveType(std::uint32_t type) {
    auto* setType = Bound<Status TOLVANE_STDCALL(std::uint32_t)>("SetReceiveTypeByPlex");
    return setType == nullptr ? status::kLibraryMissing : setType(type);
}

Status Send(const std::uint8_t* data, std::uint32_t count) {
    auto* send =
        Bound<Status TOLVANE_STDCALL(const std::uint8_t*, std::uint32_t, const std::uint8_t*)>("SendByPlex");
    const std::uint8_t notCancelled = 0;
    return send == nullptr ? status::kLibraryMissing : send(data, count, &notCancelled);
}

Status IoErrorCode(std::int16_t* code) {
    auto* errorCode = Bound<Status TOLVANE_STDCALL(std::int16_t*)>("GetIoErrorCodeByPlex");
    return errorCode == nullptr ? status::kLibraryMissing : errorCode(code);
}

Status SetTimeOuts(std::uint32_t readInterval, std::uint32_t readMultiplier, std::uint32_t readConstant,
                   std::uint32_t writeMultiplier, std::uint32_t writeConstant) {
    auto* setTimeOuts = Bound<Status TOLVANE_STDCALL(std::uint32_t, std::uint32_t, std::uint32_t,
                                                     std::uint32_t, std::uint32_t)>("SetPortTimeOutByPlex");
    return setTimeOuts == nullptr
               ? status::kLibraryMissing
               : setTimeOuts(readInterval, readMultiplier, readConstant, writeMultiplier, writeConstant);
}

}  // namespace printer::plainport
