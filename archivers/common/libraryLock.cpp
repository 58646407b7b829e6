#include "libraryLock.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <map>
#include <mutex>
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
std::string LockPath(const char* runtime, const char* libraryName)
{
    std::string folder;
    if (runtime != nullptr && *runtime == '/' && IsOwnDirectory(runtime))
        folder = std::string(runtime) + "/tollbrook2";
    else
        folder = "/tmp/tollbrook2-" + std::to_string(geteuid());
    mkdir(folder.c_str(), 0700);
    if (!IsOwnDirectory(folder))
        return {};
    return folder + "/" + libraryName + ".lock";
}

// One library's lock file as this process keeps it. Every call locks and
// unlocks the one descriptor; heldHere tells the calls of this process apart,
// since flock(2) never makes a descriptor wait for itself.
struct LockFile {
    std::string runtime; // the XDG_RUNTIME_DIR the file was opened for
    pid_t owner = 0;     // the process that opened it: a child shares the open file
    int fd = -1;
    bool heldHere = false;
};

class LockFiles {
public:
    ~LockFiles()
    {
        for (auto& [name, file] : files_)
            if (file.fd >= 0)
                close(file.fd);
    }

    std::mutex& Mutex() { return mutex_; }

    // The library's lock file, opened again when the runtime folder changed or
    // the file was removed (a new one at that path would not see our locks).
    // Call with Mutex() held.
    LockFile& Current(const char* libraryName)
    {
        LockFile& file = files_[libraryName];
        const pid_t self = getpid();
        if (file.owner != self) {
            // A forked child must not lock through its parent's open file (the
            // two would never see each other), nor take over its parent's call.
            if (file.fd >= 0)
                close(file.fd);
            file = LockFile{};
            file.owner = self;
        }
        if (file.heldHere)
            return file;
        const char* env = std::getenv("XDG_RUNTIME_DIR");
        const std::string runtime = env != nullptr ? env : "";
        struct stat st;
        if (file.fd >= 0 && file.runtime == runtime && fstat(file.fd, &st) == 0 && st.st_nlink > 0)
            return file;
        if (file.fd >= 0)
            close(file.fd);
        const std::string path = LockPath(env, libraryName);
        file.fd = path.empty() ? -1 : open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        file.runtime = runtime; // without a lock file, the next call tries again
        return file;
    }

private:
    std::mutex mutex_;
    std::map<std::string, LockFile> files_;
};

LockFiles& Files()
{
    static LockFiles files;
    return files;
}

} // namespace

LibraryLock::LibraryLock(const char* libraryName) : libraryName_(libraryName) {}

LibraryLock::~LibraryLock()
{
    if (lockedFd_ < 0)
        return;
    std::lock_guard<std::mutex> guard(Files().Mutex());
    flock(lockedFd_, LOCK_UN);
    Files().Current(libraryName_).heldHere = false;
}

bool LibraryLock::TryAcquire()
{
    // IsHeld() of another process probes with a shared lock for a moment; wait that out.
    for (int attempt = 0; attempt < 20; ++attempt) {
        {
            std::lock_guard<std::mutex> guard(Files().Mutex());
            LockFile& file = Files().Current(libraryName_);
            // Without a lock file the library still works; it just cannot report busy.
            if (file.fd < 0)
                return true;
            if (!file.heldHere) {
                if (flock(file.fd, LOCK_EX | LOCK_NB) == 0) {
                    file.heldHere = true;
                    lockedFd_ = file.fd;
                    return true;
                }
                if (errno != EWOULDBLOCK)
                    return true;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return false;
}

bool LibraryLock::IsHeld(const char* libraryName)
{
    std::lock_guard<std::mutex> guard(Files().Mutex());
    const LockFile& file = Files().Current(libraryName);
    if (file.heldHere)
        return true;
    if (file.fd < 0)
        return false;
    if (flock(file.fd, LOCK_SH | LOCK_NB) != 0)
        return errno == EWOULDBLOCK;
    flock(file.fd, LOCK_UN);
    return false;
}

} // namespace tbarc
