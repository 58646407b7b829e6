#pragma once

#include "run/stopRequest.h"

#include <signal.h>

namespace run {

// Ctrl+C and SIGTERM during an automatic run, taken as the desk's Cancel:
// nothing more starts, what is in hand is finished and reported, and the
// run ends as stopped. While the object lives the two signals are held back
// from this thread and wait on Fd(); the processes started meanwhile ignore
// Ctrl+C (the run decides for them) and take SIGTERM as usual.
class Interruption final : public IStopRequest {
public:
    Interruption();
    ~Interruption() override;
    Interruption(const Interruption&) = delete;
    Interruption& operator=(const Interruption&) = delete;

    int Fd() const override { return fd_; }
    bool Requested() override;

private:
    sigset_t previous_;
    int fd_ = -1;
    bool requested_ = false;
};

} // namespace run
