#include "run/interruption.h"

#include <sys/signalfd.h>
#include <unistd.h>

namespace run {

Interruption::Interruption()
{
    sigset_t both;
    sigemptyset(&both);
    sigaddset(&both, SIGINT);
    sigaddset(&both, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &both, &previous_);
    fd_ = signalfd(-1, &both, SFD_CLOEXEC | SFD_NONBLOCK);
}

Interruption::~Interruption()
{
    if (fd_ >= 0)
        close(fd_);
    // A signal that came is answered by the orderly end; it is not let
    // through on top of it.
    sigset_t both;
    sigemptyset(&both);
    sigaddset(&both, SIGINT);
    sigaddset(&both, SIGTERM);
    const timespec none{0, 0};
    while (sigtimedwait(&both, nullptr, &none) > 0) {
    }
    pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
}

bool Interruption::Requested()
{
    signalfd_siginfo info;
    while (fd_ >= 0 && read(fd_, &info, sizeof info) == sizeof info)
        requested_ = true;
    return requested_;
}

} // namespace run
