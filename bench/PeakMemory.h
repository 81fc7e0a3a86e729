// The process's peak memory use, for the benchmarks' reports; one implementation per OS.
#pragma once

// Bytes, or -1 when the OS does not tell.
long long PeakMemoryBytes();
