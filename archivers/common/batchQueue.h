// Work for the verification threads of one large archive: batches wait here,
// at most `room` of them read ahead of the threads. Once a batch whose result
// counts has failed, nothing more is taken (the archive is refused anyway).
#pragma once

#include "resultCodes.h"

#include <concepts>
#include <condition_variable>
#include <deque>
#include <mutex>

namespace tbarc {

// What the queue reads and writes of a batch; a library's batch adds its
// work and its bytes.
struct QueuedBatch {
    int result = kDone; // kDone when it passed
    bool done = false;  // decoded (under the queue's lock)
    bool counts = true; // its result stands; not yet for a batch begun ahead of need
};

template <std::derived_from<QueuedBatch> Batch>
class BatchQueue {
public:
    explicit BatchQueue(std::size_t room) : room_(room) {}

    // Waits for room; false once a batch that counts failed (nothing more
    // is needed) or the queue stopped.
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
    // The thread has decoded the batch and set its result.
    void MarkDone(Batch* batch)
    {
        std::lock_guard lock(mutex_);
        batch->done = true;
        if (batch->counts && batch->result != kDone)
            StopTaking();
    }
    // The result of a batch begun before it was known to be needed stands
    // after all.
    void MarkCounting(Batch* batch)
    {
        std::lock_guard lock(mutex_);
        batch->counts = true;
        if (batch->done && batch->result != kDone)
            StopTaking();
    }
    void Close()
    {
        std::lock_guard lock(mutex_);
        closed_ = true;
        batchReady_.notify_all();
    }
    // Drops the batches not begun and takes no more.
    void Stop()
    {
        std::lock_guard lock(mutex_);
        waiting_.clear();
        StopTaking();
        closed_ = true;
        batchReady_.notify_all();
    }

private:
    void StopTaking()
    {
        failed_ = true;
        roomFreed_.notify_all();
    }

    std::mutex mutex_;
    std::condition_variable batchReady_, roomFreed_;
    std::deque<Batch*> waiting_;
    std::size_t room_;
    bool closed_ = false, failed_ = false;
};

} // namespace tbarc
