#include "run/outputFolderLock.h"

#include <QFile>

#include <cerrno>
#include <chrono>
#include <thread>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace run {

OutputFolderLock::OutputFolderLock(const QString& folder, const std::function<void()>& waiting,
                                   const std::function<bool()>& stopped)
{
    fd_ = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0)
        return;
    bool saidWaiting = false;
    while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR)
            continue;
        if (errno != EWOULDBLOCK) {
            // No locks on this file system: nothing to wait for.
            ::close(std::exchange(fd_, -1));
            return;
        }
        if (!std::exchange(saidWaiting, true) && waiting)
            waiting();
        if (stopped && stopped()) {
            taken_ = false;
            ::close(std::exchange(fd_, -1));
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    // A stop that came while the folder was being let go still counts: the
    // run has not begun.
    if (saidWaiting && stopped && stopped()) {
        taken_ = false;
        ::close(std::exchange(fd_, -1));
    }
}

OutputFolderLock::~OutputFolderLock()
{
    // Closing the folder lets the lock go.
    if (fd_ >= 0)
        ::close(fd_);
}

} // namespace run
