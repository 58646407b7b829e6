// How many threads verify an archive: the cores this process may use, or 1.
#pragma once

#include <cstdint>

namespace tbarc {

// 1 (the one-thread verification) on a one-core machine (taskset and
// cgroups count) or for an archive of fewer bytes than threads would pay
// for; otherwise the core count.
unsigned CheckThreads(std::uint64_t archiveBytes);

} // namespace tbarc
