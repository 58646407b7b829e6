// The self-extractor being written: a temporary file in the output folder that
// becomes <folder>/<name> only when everything was written. Destroying an
// uncommitted OutputFile removes the temporary file, so a failed call leaves
// nothing behind.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <time.h>

namespace tbarc {

class InputFile;

class OutputFile {
public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Every call returns kDone or the result code of the failure. Small writes
    // are gathered and reach the file in one write(2), at the latest in Commit.
    int Create(const std::string& folder, const std::string& fileName);
    int Write(const void* data, std::size_t length);
    // Large stretches of a file on disk go through the kernel's copy instead.
    int CopyFrom(const InputFile& input, std::uint64_t offset, std::uint64_t length);
    // Moves the finished file into place; with replace false an existing file
    // of that name is kept and kOutputExists returned.
    int Commit(bool replace, const struct timespec* modificationTime);

    std::uint64_t BytesWritten() const { return written_; }

private:
    int Flush();
    int WriteNow(const char* data, std::size_t length);

    int fd_ = -1;
    std::vector<char> pending_;
    std::string tempPath_;
    std::string finalPath_;
    std::uint64_t written_ = 0;
};

// The result code for a failed write, create or rename with this errno: a
// full disk and a folder that takes no files stop a whole run; anything else
// fails this file alone.
int WriteErrorCode(int error);

} // namespace tbarc
