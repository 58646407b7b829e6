#include "lzhParallelCheck.h"

#include "archiveStream.h"
#include "batchQueue.h"
#include "checkThreads.h"
#include "inputFile.h"
#include "resultCodes.h"

#include <algorithm>
#include <deque>
#include <new>
#include <thread>

namespace unlha32 {
namespace {

// A batch holds members up to about this much archive; towards the end of
// the archive less, down to the least, so the threads finish together.
constexpr std::uint64_t kBatchBytes = 1u << 20;
constexpr std::uint64_t kLeastBatchBytes = 128u << 10;
// ...or one member up to this size; a larger one keeps the whole archive on
// one thread, which streams it.
constexpr std::uint64_t kLargestMember = 16u << 20;

struct Batch : tbarc::QueuedBatch {
    // Its own members: the walk's list grows while the batch waits.
    std::vector<LzhMember> members;
    std::vector<bool> leaveOut;
    // The members' bytes, then the end-of-archive byte; the thread lets go
    // of them once decoded.
    std::shared_ptr<const std::vector<std::uint8_t>> bytes;
    std::string detail;
};

using BatchQueue = tbarc::BatchQueue<Batch>;

// A batch begun during the walk, with its bytes kept for the output.
struct EarlyBatch {
    Batch* batch;
    std::size_t first;
    std::shared_ptr<const std::vector<std::uint8_t>> bytes;
};

// How much archive a batch from `from` holds at about; the archive ends at
// archiveEnd.
std::uint64_t BatchBytes(std::uint64_t from, std::uint64_t archiveEnd, unsigned threads)
{
    const std::uint64_t left = archiveEnd > from ? archiveEnd - from : 0;
    return std::clamp<std::uint64_t>(left / (4 * threads), kLeastBatchBytes, kBatchBytes);
}

// Members [first, end) up to about a batch of archive, at least one.
std::size_t BatchEnd(const std::vector<LzhMember>& members, std::size_t first, std::uint64_t archiveEnd,
                     unsigned threads)
{
    const std::uint64_t size = BatchBytes(members[first].start, archiveEnd, threads);
    std::size_t end = first + 1;
    while (end < members.size() && members[end].end - members[first].start <= size)
        ++end;
    return end;
}

} // namespace

unsigned ThreadsFor(const std::vector<LzhMember>& members)
{
    if (members.empty())
        return 1;
    for (const LzhMember& member : members)
        if (member.end - member.start > kLargestMember)
            return 1;
    return tbarc::CheckThreads(members.back().end - members.front().start);
}

struct ParallelCheck::Work {
    Work(const tbarc::InputFile& input, unsigned threads) : input(input), threads(threads), queue(threads + 1)
    {}

    // A new batch of members [first, end) and its bytes.
    Batch& Add(const std::vector<LzhMember>& members, std::size_t first, std::size_t end,
               std::vector<bool> leaveOut, std::shared_ptr<const std::vector<std::uint8_t>> bytes)
    {
        Batch& batch = batches.emplace_back();
        batch.members.assign(members.begin() + static_cast<std::ptrdiff_t>(first),
                             members.begin() + static_cast<std::ptrdiff_t>(end));
        batch.leaveOut = std::move(leaveOut);
        batch.bytes = std::move(bytes);
        return batch;
    }

    // The next batch of the members walked so far, once it is complete.
    void BeginEarlyBatch(const std::vector<LzhMember>& members)
    {
        const LzhMember& last = members.back();
        // Early batches wait in memory until the output is written: a few
        // only, and never a member that the verification would rather stream.
        if (last.end - last.start > kLargestMember || early.size() > threads) {
            takingEarly = false;
            return;
        }
        // The walk hands the members over one at a time: the batch from first
        // is complete, without the newest member, once that one does not fit.
        const std::size_t first = walkedFirst;
        const std::size_t end = members.size() - 1;
        const std::uint64_t from = members[first].start;
        if (end == first || last.end - from <= BatchBytes(from, input.Size(), threads))
            return; // the batch may take more members yet
        const std::uint64_t length = members[end - 1].end - from;
        auto bytes =
            std::make_shared<std::vector<std::uint8_t>>(length + 1); // the end-of-archive byte stays 0
        if (input.ReadAt(from, bytes->data(), length) != length) {
            takingEarly = false; // the stream finds out what happened
            return;
        }
        Batch& batch = Add(members, first, end, std::vector<bool>(end - first, false), bytes);
        batch.counts = false;
        if (!queue.Push(&batch)) {
            batches.pop_back();
            takingEarly = false;
            return;
        }
        early.push_back({&batch, first, std::move(bytes)});
        walkedFirst = end;
    }

    const tbarc::InputFile& input;
    const unsigned threads;
    BatchQueue queue;
    std::deque<Batch> batches; // a deque keeps their places
    std::vector<EarlyBatch> early;
    std::size_t walkedFirst = 0; // the first member no early batch holds
    bool takingEarly = true;
    std::vector<std::jthread> workers;
};

ParallelCheck::ParallelCheck(const tbarc::InputFile& input, unsigned threads)
    : work_(std::make_unique<Work>(input, threads))
{
    Work& work = *work_;
    work.early.reserve(threads + 1);
    for (unsigned i = 0; i < threads; ++i)
        work.workers.emplace_back([&work] {
            while (Batch* batch = work.queue.Pop()) {
                const auto bytes = std::move(batch->bytes);
                batch->result = TestMembersInMemory(bytes->data(), bytes->size(), batch->members,
                                                    batch->leaveOut, batch->detail);
                work.queue.MarkDone(batch);
            }
        });
}

ParallelCheck::~ParallelCheck()
{
    work_->queue.Stop();
    work_->workers.clear(); // joins them before the batches go
}

void ParallelCheck::Walked(const std::vector<LzhMember>& members)
{
    // The walk calls it from inside the decoder's C code, which nothing may
    // be thrown through: without memory for a batch, Test reads it instead.
    try {
        if (work_->takingEarly)
            work_->BeginEarlyBatch(members);
    } catch (const std::bad_alloc&) {
        work_->takingEarly = false;
    }
}

int ParallelCheck::Test(tbarc::ArchiveStream& stream, const std::vector<LzhMember>& members,
                        const std::vector<bool>& leaveOut, std::string& detail)
{
    Work& work = *work_;
    work.takingEarly = false;
    std::vector<const Batch*> inOrder;
    const auto leaveOutOf = [&](std::size_t first, std::size_t end) {
        return std::vector<bool>(leaveOut.begin() + static_cast<std::ptrdiff_t>(first),
                                 leaveOut.begin() + static_cast<std::ptrdiff_t>(end));
    };
    // The early batches go to the output first. One that holds a member
    // left out was checked whole: it is checked again without that member.
    bool taking = true;
    for (EarlyBatch& early : work.early) {
        const std::size_t end = early.first + early.batch->members.size();
        stream.Take(members[early.first].start, early.bytes->data(), early.bytes->size() - 1);
        const std::vector<bool> marks = leaveOutOf(early.first, end);
        if (std::find(marks.begin(), marks.end(), true) == marks.end()) {
            work.queue.MarkCounting(early.batch);
            inOrder.push_back(early.batch);
        } else {
            Batch& again = work.Add(members, early.first, end, marks, std::move(early.bytes));
            taking = work.queue.Push(&again);
            if (!taking)
                break;
            inOrder.push_back(&again);
        }
        early.bytes.reset();
    }
    bool shortRead = false;
    std::size_t first = work.walkedFirst;
    while (taking && first < members.size() && stream.Error() == tbarc::kDone) {
        const std::size_t end = BatchEnd(members, first, members.back().end, work.threads);
        const std::uint64_t from = members[first].start, length = members[end - 1].end - from;
        auto bytes = std::make_shared<std::vector<std::uint8_t>>(length + 1);
        for (std::uint64_t done = 0; done < length && !shortRead;) {
            const std::size_t got = stream.ReadAt(from + done, bytes->data() + done, length - done);
            shortRead = got == 0;
            done += got;
        }
        if (shortRead)
            break;
        Batch& batch = work.Add(members, first, end, leaveOutOf(first, end), std::move(bytes));
        taking = work.queue.Push(&batch);
        if (!taking)
            break;
        inOrder.push_back(&batch);
        first = end;
    }
    work.queue.Close();
    work.workers.clear(); // joins them: every batch pushed is decoded
    // A failed write makes the stream read nothing more: its cause comes first.
    if (stream.Error() != tbarc::kDone)
        return stream.Error();
    for (const Batch* batch : inOrder) {
        if (batch->result != tbarc::kDone) {
            detail = batch->detail;
            return batch->result;
        }
    }
    if (shortRead || first != members.size()) {
        detail = tbarc::kInputChanged;
        return tbarc::kCannotReadInput;
    }
    return tbarc::kDone;
}

} // namespace unlha32
