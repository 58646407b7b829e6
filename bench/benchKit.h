// What the benchmarks share: the median of a round's figures and the
// processor time of this process.
#pragma once

#include <algorithm>
#include <ctime>
#include <vector>

namespace benchKit {

// The middle value (0 when there is none).
inline double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// Processor time of the whole process (user and system), in seconds.
inline double ProcessCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

} // namespace benchKit
