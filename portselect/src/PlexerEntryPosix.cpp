// The library entry of libPlexer.so. The loader cannot be told that a library refuses to load, so a
// failed attach leaves a selector without a driver: every forwarder then answers 0xB000.
#include "DriverSelector.h"
#include "platform/OsVersion.h"

namespace {

__attribute__((constructor)) void AttachProcess() {
    platform::OsVersionInfo version;
    platform::GetOsVersion(&version);
    plexer::ProcessSelector().Attach(version, plexer::LoadDriverLibrary);
}

__attribute__((destructor)) void DetachProcess() {
    plexer::ProcessSelector().Detach();
}

}  // namespace
