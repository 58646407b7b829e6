// The verification of a large LZH archive on every core: this thread reads
// the archive through the stream (so the output is written as before, in
// order) and hands the members, a batch at a time, to threads that decode
// them from memory. The call returns only when every batch is done, with the
// first failure in archive order, as the one-thread verification would.
#pragma once

#include "lzhDecoder.h"

#include <string>
#include <vector>

namespace tbarc {
class ArchiveStream;
}

namespace unlha32 {

// How many threads verify members: 1 (the one-thread verification) on a
// one-core machine, for an archive small enough that threads would not pay,
// or with a member too large to hold in memory; otherwise the core count.
unsigned ThreadsFor(const std::vector<LzhMember>& members);

// TestMembers with threads (ThreadsFor of the members, more than 1).
int TestMembersOnAllCores(tbarc::ArchiveStream& stream, const std::vector<LzhMember>& members,
                          const std::vector<bool>& leaveOut, unsigned threads, std::string& detail);

} // namespace unlha32
