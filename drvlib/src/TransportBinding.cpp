// The transport library is an outside part of the printer maker, loaded by name at the first open
// that needs it and kept until the process ends.
#include "DriverModule.h"
#include "drvlib/CWinVexilDrv.h"
#include "platform/DebugOutput.h"

namespace drvlib {

TransportEntries& Transport() {
    static TransportEntries entries;
    return entries;
}

bool TransportBound() {
    return Transport().library != nullptr;
}

namespace {

template <typename Slot>
bool Bind(platform::LibraryHandle library, const char* name, Slot* slot) {
    *slot = reinterpret_cast<Slot>(platform::FindLibraryFunction(library, name));
    return *slot != nullptr;
}

}  // namespace
}  // namespace drvlib

int CWinVexilDrv::CBT_Init() {
    drvlib::TransportEntries& entries = drvlib::Transport();
    if (entries.library == nullptr) {
        entries.library = platform::LoadSharedLibrary("K_QDRM4TA.DLL");
        if (entries.library == nullptr) {
            entries.library = platform::LoadSharedLibrary("KCBTRG.DLL");
        }
        if (entries.library == nullptr) {
            return 0;
        }
    }
    platform::LibraryHandle library = entries.library;
    // All ten or none: a library that lacks one entry is not the transport this library speaks.
    const bool complete = drvlib::Bind(library, "KCBT_Open", &entries.open) &&
                          drvlib::Bind(library, "KCBT_Close", &entries.close) &&
                          drvlib::Bind(library, "KCBT_Awake", &entries.awake) &&
                          drvlib::Bind(library, "KCBT_Sleep", &entries.sleep) &&
                          drvlib::Bind(library, "KCBT_Write", &entries.write) &&
                          drvlib::Bind(library, "KCBT_Read", &entries.read) &&
                          drvlib::Bind(library, "KCBT_OpenChannel", &entries.openChannel) &&
                          drvlib::Bind(library, "KCBT_CloseChannel", &entries.closeChannel) &&
                          drvlib::Bind(library, "KCBT_GetSocketID", &entries.getSocketId) &&
                          drvlib::Bind(library, "KCBT_GetServiceName", &entries.getServiceName);
    if (!complete) {
        platform::DebugOutput("VexilDrv: the transport library lacks an entry point; it is not used\n");
        platform::FreeSharedLibrary(library);
        entries = drvlib::TransportEntries{};
        return 0;
    }
    return 1;
}

void CWinVexilDrv::CBT_Close() {
    drvlib::TransportEntries& entries = drvlib::Transport();
    if (entries.library != nullptr) {
        platform::FreeSharedLibrary(entries.library);
        entries = drvlib::TransportEntries{};
    }
}
