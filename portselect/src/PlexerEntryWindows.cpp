// The library entry of Plexer.dll: the driver is chosen and loaded when a process attaches, and a
// failure makes the attach fail, so that loading Plexer.dll itself fails. Declared without
// <windows.h>: the entry needs only its calling convention and the two reasons.
#include "DriverSelector.h"
#include "platform/OsVersion.h"

namespace {

constexpr unsigned long kProcessDetach = 0;
constexpr unsigned long kProcessAttach = 1;

}  // namespace

extern "C" int __stdcall DllMain(void* module, unsigned long reason, void* reserved);

extern "C" int __stdcall DllMain(void*, unsigned long reason, void*) {
    if (reason == kProcessAttach) {
        platform::OsVersionInfo version;
        platform::GetOsVersion(&version);
        return plexer::ProcessSelector().Attach(version, plexer::LoadDriverLibrary) ==
               plexer::status::kSuccess;
    }
    if (reason == kProcessDetach) {
        plexer::ProcessSelector().Detach();
    }
    return 1;
}
