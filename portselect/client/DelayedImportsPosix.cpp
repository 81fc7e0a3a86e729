// The imports of the selector's thirteen forwarders outside the Windows build, in the place of its
// delay-load library: each resolves its function in Plexer at its first call and keeps it. Plexer is
// loaded by the program's start-up binding already, so this finds the same library.
#include <atomic>

#include "platform/DynamicLibrary.h"
#include "portselect/PlexerExports.h"
#include "portselect/PlexerStatus.h"

namespace {

platform::LibraryHandle Plexer() {
    // Held to the end of the process, as a delayed import is.
    static const platform::LibraryHandle library = platform::LoadSharedLibrary("Plexer.dll");
    return library;
}

// The function's address, looked up once; null when Plexer or the function is missing (looked up
// again at the next call then).
template <class Function>
Function* Resolve(std::atomic<void*>& slot, const char* name) {
    void* address = slot.load();
    if (address == nullptr && Plexer() != nullptr) {
        address = platform::FindLibraryFunction(Plexer(), name);
        slot.store(address);
    }
    return reinterpret_cast<Function*>(address);
}

// Bound_PortOpenByPlex() and so on: the export's function in Plexer, typed by its declaration.
#define TOLVANE_PLEXER_IMPORT(name)                    \
    decltype(::name)* Bound_##name() {                 \
        static std::atomic<void*> slot{nullptr};       \
        return Resolve<decltype(::name)>(slot, #name); \
    }

TOLVANE_PLEXER_IMPORT(PortOpenByPlex)
TOLVANE_PLEXER_IMPORT(SendByPlex)
TOLVANE_PLEXER_IMPORT(ReceiveByPlex)
TOLVANE_PLEXER_IMPORT(PortCloseByPlex)
TOLVANE_PLEXER_IMPORT(CheckDeviceIDByPlex)
TOLVANE_PLEXER_IMPORT(GetModelNameByPlex)
TOLVANE_PLEXER_IMPORT(ResetDeviceByPlex)
TOLVANE_PLEXER_IMPORT(GetIoErrorCodeByPlex)
TOLVANE_PLEXER_IMPORT(GetPreviousSentDataSizeByPlex)
TOLVANE_PLEXER_IMPORT(SetReceiveTypeByPlex)
TOLVANE_PLEXER_IMPORT(SetWaitTimeBeforeReceiveByPlex)
TOLVANE_PLEXER_IMPORT(SetPortTimeOutByPlex)
TOLVANE_PLEXER_IMPORT(SetComSettingByPlex)

#undef TOLVANE_PLEXER_IMPORT

constexpr std::uint32_t kMissing = portselect::status::kMissing;

}  // namespace

extern "C" {

std::uint32_t PortOpenByPlex(std::uint32_t portNumber) {
    auto* function = Bound_PortOpenByPlex();
    return function == nullptr ? kMissing : function(portNumber);
}

std::uint32_t SendByPlex(const std::uint8_t* data, std::uint32_t count, const std::uint8_t* cancel) {
    auto* function = Bound_SendByPlex();
    return function == nullptr ? kMissing : function(data, count, cancel);
}

std::uint32_t ReceiveByPlex(std::uint8_t* buffer, std::uint32_t* length) {
    auto* function = Bound_ReceiveByPlex();
    return function == nullptr ? kMissing : function(buffer, length);
}

void PortCloseByPlex() {
    if (auto* function = Bound_PortCloseByPlex()) {
        function();
    }
}

std::uint32_t CheckDeviceIDByPlex() {
    auto* function = Bound_CheckDeviceIDByPlex();
    return function == nullptr ? kMissing : function();
}

std::uint32_t GetModelNameByPlex(char* name) {
    auto* function = Bound_GetModelNameByPlex();
    return function == nullptr ? kMissing : function(name);
}

std::uint32_t ResetDeviceByPlex() {
    auto* function = Bound_ResetDeviceByPlex();
    return function == nullptr ? kMissing : function();
}

std::uint32_t GetIoErrorCodeByPlex(std::int16_t* code) {
    auto* function = Bound_GetIoErrorCodeByPlex();
    return function == nullptr ? kMissing : function(code);
}

std::uint32_t GetPreviousSentDataSizeByPlex(std::uint32_t* size) {
    auto* function = Bound_GetPreviousSentDataSizeByPlex();
    return function == nullptr ? kMissing : function(size);
}

std::uint32_t SetReceiveTypeByPlex(std::uint32_t type) {
    auto* function = Bound_SetReceiveTypeByPlex();
    return function == nullptr ? kMissing : function(type);
}

std::uint32_t SetWaitTimeBeforeReceiveByPlex(std::int32_t parallel, std::int32_t usb, std::int32_t com) {
    auto* function = Bound_SetWaitTimeBeforeReceiveByPlex();
    return function == nullptr ? kMissing : function(parallel, usb, com);
}

std::uint32_t SetPortTimeOutByPlex(std::uint32_t readInterval, std::uint32_t readMultiplier,
                                   std::uint32_t readConstant, std::uint32_t writeMultiplier,
                                   std::uint32_t writeConstant) {
    auto* function = Bound_SetPortTimeOutByPlex();
    return function == nullptr
               ? kMissing
               : function(readInterval, readMultiplier, readConstant, writeMultiplier, writeConstant);
}

std::uint32_t SetComSettingByPlex(std::uint32_t baudRate, std::uint8_t dataBits, std::uint8_t parityCheck,
                                  std::uint8_t stopBits) {
    auto* function = Bound_SetComSettingByPlex();
    return function == nullptr ? kMissing : function(baudRate, dataBits, parityCheck, stopBits);
}

}  // extern "C"
