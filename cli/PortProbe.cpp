#include "PortProbe.h"

#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/CallingConvention.h"
#include "platform/DynamicLibrary.h"

namespace tolvane_cli {
namespace {

using PortOpenFunction = std::uint32_t TOLVANE_STDCALL(std::uint32_t);
using GetModelNameFunction = std::uint32_t TOLVANE_STDCALL(char*);
using PortCloseFunction = void TOLVANE_STDCALL();

constexpr std::uint32_t kSuccess = 0x0001;

std::string PortName(int number) {
    if (number >= 0x0480) {
        return "LPT" + std::to_string(number - 0x047F);
    }
    return "USB" + std::to_string(number - 0x0400);
}

}  // namespace

int WritePorts(std::ostream& out, std::ostream& errors) {
    platform::LibraryHandle plexer = platform::LoadSharedLibrary("Plexer.dll");
    if (plexer == nullptr) {
        errors << "tolvane: cannot load " << platform::LibraryFileName("Plexer.dll")
               << " or the port driver it chooses\n";
        return 1;
    }
    auto* portOpen =
        reinterpret_cast<PortOpenFunction*>(platform::FindLibraryFunction(plexer, "PortOpenByPlex"));
    auto* getModelName =
        reinterpret_cast<GetModelNameFunction*>(platform::FindLibraryFunction(plexer, "GetModelNameByPlex"));
    auto* portClose =
        reinterpret_cast<PortCloseFunction*>(platform::FindLibraryFunction(plexer, "PortCloseByPlex"));
    if (portOpen == nullptr || getModelName == nullptr || portClose == nullptr) {
        errors << "tolvane: the driver selector lacks its port functions\n";
        platform::FreeSharedLibrary(plexer);
        return 1;
    }
    int found = 0;
    for (int number = kFirstProbedPort; number <= kLastProbedPort; ++number) {
        if ((portOpen(static_cast<std::uint32_t>(number)) & 0xFFFF) != kSuccess) {
            continue;
        }
        // The driver copies the name without a terminator into a zero-filled buffer of 1025 bytes.
        char model[1025] = {};
        std::uint32_t status = getModelName(model);
        portClose();
        char code[8];
        std::snprintf(code, sizeof code, "0x%04X", number);
        out << PortName(number) << "\t" << code << "\t"
            << ((status & 0xFFFF) == kSuccess ? model : "(no device ID)") << "\n";
        ++found;
    }
    if (found == 0) {
        out << "no printer answered on USB1-USB127 or LPT1-LPT3\n";
    }
    platform::FreeSharedLibrary(plexer);
    return 0;
}

}  // namespace tolvane_cli
