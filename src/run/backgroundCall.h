#pragma once

#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

class QEventLoop;

// Runs calls one at a time on a worker thread of its own while the calling
// thread waits for each. A call that ends within one frame of a screen is
// simply waited for; a longer one keeps the caller's event loop turning
// until it ends, so windows repaint and take clicks meanwhile.
class BackgroundCall {
public:
    BackgroundCall() = default;
    ~BackgroundCall();
    BackgroundCall(const BackgroundCall&) = delete;
    BackgroundCall& operator=(const BackgroundCall&) = delete;

    // The call's result; what it throws is thrown here. A call made while
    // one waits (from an event handled meanwhile) runs on the caller's
    // thread at once.
    int Run(const std::function<int()>& call);

private:
    void Work();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::function<int()> job_; // set while a call waits for the worker
    bool done_ = false;
    bool stopping_ = false;
    int result_ = 0;
    std::exception_ptr failure_;
    QEventLoop* waiting_ = nullptr; // the caller's loop, while it turns
    bool inCall_ = false;           // the caller's thread is in Run
    std::thread worker_;
};
