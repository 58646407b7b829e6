// The busy flag of a library, held for the length of one main call. As a
// Windows DLL's state is, it belongs to the process: another call in this
// process (another thread) sees the library as busy; other processes convert
// side by side, their outputs kept apart by their own scratch files.
#pragma once

namespace tbarc {

class LibraryLock {
public:
    explicit LibraryLock(const char* libraryName);
    ~LibraryLock();
    LibraryLock(const LibraryLock&) = delete;
    LibraryLock& operator=(const LibraryLock&) = delete;

    // False when another call of this process holds the library.
    bool TryAcquire();

    // True while a call of this process holds the library.
    static bool IsHeld(const char* libraryName);

private:
    const char* libraryName_;
    bool held_ = false;
};

} // namespace tbarc
