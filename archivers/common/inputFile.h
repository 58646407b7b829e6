// The archive being converted, opened read-only; it is never written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include <sys/stat.h>

namespace tbarc {

class InputFile {
public:
    InputFile() = default;
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // kDone, or kCannotReadInput for a missing, unreadable or special file.
    int Open(const std::string& path);

    int Fd() const { return fd_; }
    std::uint64_t Size() const { return static_cast<std::uint64_t>(stat_.st_size); }
    const struct stat& Stat() const { return stat_; }
    // Reads up to length bytes at offset; returns the count read (short at the end).
    std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t length) const;

private:
    int fd_ = -1;
    struct stat stat_ {};
};

} // namespace tbarc
