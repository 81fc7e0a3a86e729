#include <windows.h>

// After <windows.h>, which it needs.
#include <psapi.h>

#include "PeakMemory.h"

long long PeakMemoryBytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    return GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)
               ? static_cast<long long>(counters.PeakWorkingSetSize)
               : -1;
}
