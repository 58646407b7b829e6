#include "libraryLock.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tbarc {
namespace {

bool IsOwnDirectory(const std::string& path)
{
    struct stat st;
    return lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == geteuid();
}

// $XDG_RUNTIME_DIR/tollbrook2/<name>.lock, or /tmp/tollbrook2-<uid>/<name>.lock
// where the session has no runtime folder.
std::string LockPath(const char* libraryName)
{
    std::string folder;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && *runtime == '/' && IsOwnDirectory(runtime))
        folder = std::string(runtime) + "/tollbrook2";
    else
        folder = "/tmp/tollbrook2-" + std::to_string(geteuid());
    mkdir(folder.c_str(), 0700);
    if (!IsOwnDirectory(folder))
        return {};
    return folder + "/" + libraryName + ".lock";
}

int OpenLockFile(const char* libraryName)
{
    const std::string path = LockPath(libraryName);
    if (path.empty())
        return -1;
    return open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
}

} // namespace

LibraryLock::LibraryLock(const char* libraryName) : fd_(OpenLockFile(libraryName)) {}

LibraryLock::~LibraryLock()
{
    if (fd_ >= 0)
        close(fd_); // closing the descriptor releases the lock
}

bool LibraryLock::TryAcquire()
{
    // Without a lock file the library still works; it just cannot report busy.
    if (fd_ < 0)
        return true;
    // IsHeld() probes with a shared lock for a moment; wait that out.
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (flock(fd_, LOCK_EX | LOCK_NB) == 0)
            return true;
        if (errno != EWOULDBLOCK)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return false;
}

bool LibraryLock::IsHeld(const char* libraryName)
{
    const int fd = OpenLockFile(libraryName);
    if (fd < 0)
        return false;
    const bool held = flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    close(fd);
    return held;
}

} // namespace tbarc
