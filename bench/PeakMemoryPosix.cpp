#include <sys/resource.h>

#include "PeakMemory.h"

long long PeakMemoryBytes() {
    rusage usage{};
    // Linux reports the peak resident set in kilobytes.
    return getrusage(RUSAGE_SELF, &usage) == 0 ? static_cast<long long>(usage.ru_maxrss) * 1024 : -1;
}
