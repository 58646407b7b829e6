#include "run/backgroundCall.h"

#include <QEventLoop>
#include <QMetaObject>

#include <chrono>

namespace {

// A wait this short is not seen as a stopped window.
constexpr std::chrono::milliseconds kQuietWait{16};

} // namespace

BackgroundCall::~BackgroundCall()
{
    if (!worker_.joinable())
        return;
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    worker_.join();
}

int BackgroundCall::Run(const std::function<int()>& call)
{
    // Called again from an event the wait below handles: the worker is busy
    // with the first call, whose wait would never end under a second one,
    // so this call runs here and now.
    if (inCall_)
        return call();
    inCall_ = true;
    const struct Leave {
        bool& inCall;
        ~Leave() { inCall = false; }
    } leave{inCall_};
    std::unique_lock lock(mutex_);
    if (!worker_.joinable())
        worker_ = std::thread(&BackgroundCall::Work, this);
    job_ = call;
    done_ = false;
    failure_ = nullptr;
    changed_.notify_all();
    if (!changed_.wait_for(lock, kQuietWait, [this] { return done_; })) {
        QEventLoop loop;
        waiting_ = &loop;
        lock.unlock();
        loop.exec();
        lock.lock();
        waiting_ = nullptr;
    }
    if (failure_)
        std::rethrow_exception(failure_);
    return result_;
}

void BackgroundCall::Work()
{
    std::unique_lock lock(mutex_);
    while (true) {
        changed_.wait(lock, [this] { return stopping_ || job_; });
        if (stopping_)
            return;
        const std::function<int()> job = std::move(job_);
        job_ = nullptr;
        lock.unlock();
        int result = 0;
        std::exception_ptr failure;
        try {
            result = job();
        } catch (...) {
            failure = std::current_exception();
        }
        lock.lock();
        result_ = result;
        failure_ = failure;
        done_ = true;
        if (waiting_)
            QMetaObject::invokeMethod(waiting_, &QEventLoop::quit, Qt::QueuedConnection);
        changed_.notify_all();
    }
}
