#include "checkThreads.h"

#include <thread>

#include <sched.h>

namespace tbarc {
namespace {

// Below this much archive, threads cost more than they save.
constexpr std::uint64_t kParallelFrom = 4u << 20;

// The cores this process may run on, not merely those the machine has.
unsigned UsableCores()
{
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof set, &set) == 0)
        return static_cast<unsigned>(CPU_COUNT(&set));
    return std::thread::hardware_concurrency();
}

} // namespace

unsigned CheckThreads(std::uint64_t archiveBytes)
{
    const unsigned cores = UsableCores();
    return cores <= 1 || archiveBytes < kParallelFrom ? 1 : cores;
}

} // namespace tbarc
