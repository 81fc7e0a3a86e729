#include <psapi.h>
#include <windows.h>

#include "PeakMemory.h"

long long PeakMemoryBytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    return GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)
               ? static_cast<long long>(counters.PeakWorkingSetSize)
               : -1;
}
