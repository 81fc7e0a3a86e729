// Lazy binding of the eight imports: each resolves its function in Plexer at its first call and keeps
// it. Plexer is loaded by the start-up binding already, so this finds the same library.
#include <atomic>

#include "platform/DynamicLibrary.h"
#include "printer/PlexerImports.h"
#include "printer/PortStatus.h"

namespace {

platform::LibraryHandle Plexer() {
    // Held to the end of the process, as a delayed import is.
    static const platform::LibraryHandle library = platform::LoadSharedLibrary("Plexer.dll");
    return library;
}

// The function's address, looked up once; null when Plexer or the function is missing (looked up
// again at the next call then, as the library may come later).
template <class Function>
Function* Resolve(std::atomic<void*>& slot, const char* name) {
    void* address = slot.load();
    if (address == nullptr && Plexer() != nullptr) {
        address = platform::FindLibraryFunction(Plexer(), name);
        slot.store(address);
    }
    return reinterpret_cast<Function*>(address);
}

#define TOLVANE_PLEXER_IMPORT(name, Signature)   \
    Signature* Bound_##name() {                  \
        static std::atomic<void*> slot{nullptr}; \
        return Resolve<Signature>(slot, #name);  \
    }

using SetPortTimeOutSignature = std::uint32_t(std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t,
                                              std::uint32_t);
using PortCloseSignature = void();
using GetModelNameSignature = std::uint32_t(char*);
using PortOpenSignature = std::uint32_t(std::uint32_t);
using ReceiveSignature = std::uint32_t(std::uint8_t*, std::uint32_t*);
using SetReceiveTypeSignature = std::uint32_t(std::uint32_t);
using SendSignature = std::uint32_t(const std::uint8_t*, std::uint32_t, const std::uint8_t*);
using GetIoErrorCodeSignature = std::uint32_t(std::int16_t*);

TOLVANE_PLEXER_IMPORT(SetPortTimeOutByPlex, SetPortTimeOutSignature)
TOLVANE_PLEXER_IMPORT(PortCloseByPlex, PortCloseSignature)
TOLVANE_PLEXER_IMPORT(GetModelNameByPlex, GetModelNameSignature)
TOLVANE_PLEXER_IMPORT(PortOpenByPlex, PortOpenSignature)
TOLVANE_PLEXER_IMPORT(ReceiveByPlex, ReceiveSignature)
TOLVANE_PLEXER_IMPORT(SetReceiveTypeByPlex, SetReceiveTypeSignature)
TOLVANE_PLEXER_IMPORT(SendByPlex, SendSignature)
TOLVANE_PLEXER_IMPORT(GetIoErrorCodeByPlex, GetIoErrorCodeSignature)

#undef TOLVANE_PLEXER_IMPORT

constexpr std::uint32_t kMissing = printer::status::kLibraryMissing;

}  // namespace

extern "C" {

std::uint32_t SetPortTimeOutByPlex(std::uint32_t readInterval, std::uint32_t readMultiplier,
                                   std::uint32_t readConstant, std::uint32_t writeMultiplier,
                                   std::uint32_t writeConstant) {
    auto* function = Bound_SetPortTimeOutByPlex();
    return function == nullptr
               ? kMissing
               : function(readInterval, readMultiplier, readConstant, writeMultiplier, writeConstant);
}

void PortCloseByPlex() {
    if (auto* function = Bound_PortCloseByPlex()) {
        function();
    }
}

std::uint32_t GetModelNameByPlex(char* name) {
    auto* function = Bound_GetModelNameByPlex();
    return function == nullptr ? kMissing : function(name);
}

std::uint32_t PortOpenByPlex(std::uint32_t portNumber) {
    auto* function = Bound_PortOpenByPlex();
    return function == nullptr ? kMissing : function(portNumber);
}

std::uint32_t ReceiveByPlex(std::uint8_t* buffer, std::uint32_t* length) {
    auto* function = Bound_ReceiveByPlex();
    return function == nullptr ? kMissing : function(buffer, length);
}

std::uint32_t SetReceiveTypeByPlex(std::uint32_t type) {
    auto* function = Bound_SetReceiveTypeByPlex();
    return function == nullptr ? kMissing : function(type);
}

std::uint32_t SendByPlex(const std::uint8_t* data, std::uint32_t count, const std::uint8_t* cancel) {
    auto* function = Bound_SendByPlex();
    return function == nullptr ? kMissing : function(data, count, cancel);
}

std::uint32_t GetIoErrorCodeByPlex(std::int16_t* code) {
    auto* function = Bound_GetIoErrorCodeByPlex();
    return function == nullptr ? kMissing : function(code);
}

}  // extern "C"
