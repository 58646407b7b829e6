// The busy flag of a library: an exclusive flock(2) on a per-user lock file,
// held for the length of one main call, so another process (or another call in
// this one) sees the library as busy. The lock file is opened once per process
// and kept open, so a call costs a few flock(2) calls and no path lookups.
#pragma once

namespace tbarc {

class LibraryLock {
public:
    explicit LibraryLock(const char* libraryName);
    ~LibraryLock();
    LibraryLock(const LibraryLock&) = delete;
    LibraryLock& operator=(const LibraryLock&) = delete;

    // False when someone else holds the lock.
    bool TryAcquire();

    // True while any call, in any process of this user, holds the lock.
    static bool IsHeld(const char* libraryName);

private:
    const char* libraryName_;
    int lockedFd_ = -1; // the descriptor whose exclusive lock this call holds
};

} // namespace tbarc
