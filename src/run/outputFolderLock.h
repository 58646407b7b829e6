#pragma once

#include <QString>

#include <functional>

namespace run {

// A run's hold on its output folder: an advisory lock on the folder itself,
// so that two runs into one folder (two automatic runs, or one and a desk)
// convert one after the other. Each decides a file's final name (its
// capitals, whether it replaces an older one) from what the folder holds;
// at the same time, both would make m07.EXE and M07.EXE. Runs into other
// folders go on side by side. Where the folder cannot be opened or its file
// system takes no locks, the run goes on without one: the lock only orders
// runs, it protects nothing else.
class OutputFolderLock {
public:
    // Takes the lock on folder, waiting while another run holds it. waiting
    // is called once, when there is something to wait for; stopped is asked
    // about ten times a second while it waits, and ends the wait when it
    // says yes (the lock is then not held).
    OutputFolderLock(const QString& folder, const std::function<void()>& waiting,
                     const std::function<bool()>& stopped);
    ~OutputFolderLock();
    OutputFolderLock(const OutputFolderLock&) = delete;
    OutputFolderLock& operator=(const OutputFolderLock&) = delete;

    // False only when the wait was stopped.
    bool Taken() const { return taken_; }

private:
    int fd_ = -1;
    bool taken_ = true;
};

} // namespace run
