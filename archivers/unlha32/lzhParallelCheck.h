// The verification of a large LZH archive on every core. Threads decode the
// members from memory, a batch of them at a time. The first batches begin
// while the walk is still reading the headers (Walked), so the threads are
// busy from the start; Test passes their bytes to the output, then reads the
// rest of the archive through the stream (so the output is written in order,
// with exactly the bytes checked) and hands it on batch by batch. Test
// returns only when every batch is done, with the first failure in archive
// order, as the one-thread verification would.
#pragma once

#include "lzhDecoder.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tbarc {
class ArchiveStream;
class InputFile;
} // namespace tbarc

namespace unlha32 {

// How many threads verify the members walked (tbarc::CheckThreads); 1 with
// a member too large to hold in memory, which the one-thread verification
// streams.
unsigned ThreadsFor(const std::vector<LzhMember>& members);

class ParallelCheck {
public:
    ParallelCheck(const tbarc::InputFile& input, unsigned threads);
    // Batches not yet begun are dropped; the threads are joined.
    ~ParallelCheck();
    ParallelCheck(const ParallelCheck&) = delete;
    ParallelCheck& operator=(const ParallelCheck&) = delete;

    // The walk's members so far: a batch of them that is complete may begin,
    // while only a few are waiting to be written (they stay in memory until
    // then). Each is checked whole; Test checks again any that holds a
    // member left out.
    void Walked(const std::vector<LzhMember>& members);
    // TestMembers of every member walked, on the threads.
    int Test(tbarc::ArchiveStream& stream, const std::vector<LzhMember>& members,
             const std::vector<bool>& leaveOut, std::string& detail);

private:
    struct Work;
    std::unique_ptr<Work> work_;
};

} // namespace unlha32
