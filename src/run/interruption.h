#pragma once

#include <signal.h>

namespace run {

// Ctrl+C and SIGTERM during an automatic run, taken as the desk's Cancel:
// nothing more starts, what is in hand is finished and reported, and the
// run ends as stopped. While the object lives the two signals are held back
// from this thread and wait on Fd(); the processes started meanwhile ignore
// Ctrl+C (the run decides for them) and take SIGTERM as usual.
class Interruption {
public:
    Interruption();
    ~Interruption();
    Interruption(const Interruption&) = delete;
    Interruption& operator=(const Interruption&) = delete;

    // Readable when a signal waits; -1 when none can be watched.
    int Fd() const { return fd_; }
    // Whether a signal came; takes those waiting. Does not wait.
    bool Requested();

private:
    sigset_t previous_;
    int fd_ = -1;
    bool requested_ = false;
};

} // namespace run
