// A tiny shared library for the loader tests, loaded by name like our deliverables.
#include <cstdint>

#include "platform/Clock.h"
#include "platform/MessageBox.h"

#ifdef _WIN32
#define TOLVANE_TEST_EXPORT __declspec(dllexport)
#else
#define TOLVANE_TEST_EXPORT __attribute__((visibility("default")))
#endif

extern "C" TOLVANE_TEST_EXPORT int TolvaneTestAnswer(int question) {
    return question + 41;
}

// Waits on the process's clock and tells the technician, as a port driver or the channel library
// does: both must reach the clock and the presenter that the loading program installed.
extern "C" TOLVANE_TEST_EXPORT std::uint32_t TolvaneTestWaitAndTell(std::uint32_t milliseconds,
                                                                    const char* text) {
    std::uint32_t before = platform::Clock().TickCount();
    platform::Clock().Sleep(milliseconds);
    platform::ShowMessage(text, platform::MessageIcon::Information);
    return platform::Clock().TickCount() - before;
}
