// Kindler: started with no parameters from the program's folder by the firmware update page, which
// waits for it to end.
#include "FirmwareFlasher.h"
#include "platform/CallingConvention.h"

#ifdef _WIN32
// A GUI program: the runtime enters here. The arguments are the instance, the previous instance,
// the command line and the show state, none of which it needs.
extern "C" int TOLVANE_STDCALL WinMain(void*, void*, char*, int);

extern "C" int TOLVANE_STDCALL WinMain(void*, void*, char*, int) {
    return kindler::RunKindler();
}
#else
int main() {
    return kindler::RunKindler();
}
#endif
