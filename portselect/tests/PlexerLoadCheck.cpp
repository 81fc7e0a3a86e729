// Loads the driver selector as the program does and reports the outcome, for the checks under Wine:
// exit 0 and the OS code when it loaded, 3 when loading it failed.
#include <cstdint>
#include <cstdio>

#include "platform/CallingConvention.h"
#include "platform/DynamicLibrary.h"

int main() {
    platform::LibraryHandle plexer = platform::LoadSharedLibrary("Plexer.dll");
    if (plexer == nullptr) {
        std::printf("Plexer.dll not loaded\n");
        return 3;
    }
    using GetOsVersionFunction = std::uint32_t TOLVANE_STDCALL();
    auto* getOsVersion =
        reinterpret_cast<GetOsVersionFunction*>(platform::FindLibraryFunction(plexer, "GetOsVersion"));
    std::printf("Plexer.dll loaded, OS code 0x%02X\n", getOsVersion != nullptr ? getOsVersion() : 0u);
    platform::FreeSharedLibrary(plexer);
    return 0;
}
