#include "lzhParallelCheck.h"

#include "archiveStream.h"
#include "resultCodes.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

#include <sched.h>

namespace unlha32 {
namespace {

// Below this much archive, threads cost more than they save.
constexpr std::uint64_t kParallelFrom = 4u << 20;
// A batch holds members up to about this much archive...
constexpr std::uint64_t kBatchBytes = 1u << 20;
// ...or one member up to this size; a larger one keeps the whole archive on
// one thread, which streams it.
constexpr std::uint64_t kLargestMember = 16u << 20;

struct Batch {
    std::size_t first = 0, count = 0;
    std::vector<std::uint8_t> bytes; // the members, then the end-of-archive byte
    int result = tbarc::kDone;
    std::string detail;
};

// Batches waiting for a thread; at most `room` of them read ahead.
class BatchQueue {
public:
    explicit BatchQueue(std::size_t room) : room_(room) {}

    // Waits for room; false once a batch failed (nothing more is needed).
    bool Push(Batch* batch)
    {
        std::unique_lock lock(mutex_);
        roomFreed_.wait(lock, [&] { return waiting_.size() < room_ || failed_; });
        if (failed_)
            return false;
        waiting_.push_back(batch);
        batchReady_.notify_one();
        return true;
    }
    // The next batch, or nullptr when none will come.
    Batch* Pop()
    {
        std::unique_lock lock(mutex_);
        batchReady_.wait(lock, [&] { return !waiting_.empty() || closed_; });
        if (waiting_.empty())
            return nullptr;
        Batch* batch = waiting_.front();
        waiting_.pop_front();
        roomFreed_.notify_one();
        return batch;
    }
    void Failed()
    {
        std::lock_guard lock(mutex_);
        failed_ = true;
        roomFreed_.notify_all();
    }
    void Close()
    {
        std::lock_guard lock(mutex_);
        closed_ = true;
        batchReady_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable batchReady_, roomFreed_;
    std::deque<Batch*> waiting_;
    std::size_t room_;
    bool closed_ = false, failed_ = false;
};

// Members [first, end) up to about kBatchBytes of archive, at least one.
std::size_t BatchEnd(const std::vector<LzhMember>& members, std::size_t first)
{
    std::size_t end = first + 1;
    while (end < members.size() && members[end].end - members[first].start <= kBatchBytes)
        ++end;
    return end;
}

// The cores this process may run on (taskset, cgroups), not merely those
// the machine has.
unsigned UsableCores()
{
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof set, &set) == 0)
        return static_cast<unsigned>(CPU_COUNT(&set));
    return std::thread::hardware_concurrency();
}

} // namespace

unsigned ThreadsFor(const std::vector<LzhMember>& members)
{
    const unsigned cores = UsableCores();
    if (cores <= 1 || members.empty() || members.back().end - members.front().start < kParallelFrom)
        return 1;
    for (const LzhMember& member : members)
        if (member.end - member.start > kLargestMember)
            return 1;
    return cores;
}

int TestMembersOnAllCores(tbarc::ArchiveStream& stream, const std::vector<LzhMember>& members,
                          const std::vector<bool>& leaveOut, unsigned threads, std::string& detail)
{
    std::deque<Batch> batches; // in archive order; a deque keeps their places
    BatchQueue queue(threads + 1);
    std::vector<std::jthread> workers;
    // However this call ends, the workers learn that no batch will come and
    // are joined before the batches go.
    struct CloseAndJoin {
        BatchQueue& queue;
        std::vector<std::jthread>& workers;
        ~CloseAndJoin()
        {
            queue.Close();
            workers.clear();
        }
    } closeAndJoin{queue, workers};
    for (unsigned i = 0; i < threads; ++i)
        workers.emplace_back([&] {
            while (Batch* batch = queue.Pop()) {
                batch->result = TestMembersInMemory(batch->bytes.data(), batch->bytes.size(), batch->first,
                                                    batch->count, members, leaveOut, batch->detail);
                batch->bytes = std::vector<std::uint8_t>(); // (= {} would keep the capacity)
                if (batch->result != tbarc::kDone)
                    queue.Failed();
            }
        });
    bool shortRead = false;
    for (std::size_t first = 0; first < members.size() && !shortRead;) {
        const std::size_t end = BatchEnd(members, first);
        Batch& batch = batches.emplace_back();
        batch.first = first;
        batch.count = end - first;
        const std::uint64_t from = members[first].start, length = members[end - 1].end - from;
        batch.bytes.resize(length + 1); // the end-of-archive byte stays 0
        for (std::uint64_t done = 0; done < length;) {
            const std::size_t got = stream.ReadAt(from + done, batch.bytes.data() + done, length - done);
            if (got == 0) {
                shortRead = true;
                break;
            }
            done += got;
        }
        if (shortRead || !queue.Push(&batch)) {
            batches.pop_back();
            break;
        }
        first = end;
    }
    queue.Close();
    workers.clear(); // joins them: every batch pushed is decoded
    // A failed write makes the stream read nothing more: its cause comes first.
    if (stream.Error() != tbarc::kDone)
        return stream.Error();
    for (const Batch& batch : batches) {
        if (batch.result != tbarc::kDone) {
            detail = batch.detail;
            return batch.result;
        }
    }
    if (shortRead || batches.empty() || batches.back().first + batches.back().count != members.size()) {
        detail = kChanged;
        return tbarc::kCannotReadInput;
    }
    return tbarc::kDone;
}

} // namespace unlha32
