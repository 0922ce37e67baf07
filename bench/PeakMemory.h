#pragma once
// Peak resident set size of the benchmark process, for a peak_rss_MB counter.
#include <sys/resource.h>

inline double PeakRssMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;   // ru_maxrss is in KiB
}
