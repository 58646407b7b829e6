#include "inputFile.h"

#include "resultCodes.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

namespace tbarc {

const char* const kInputChanged = "the archive changed while it was being converted";

InputFile::~InputFile()
{
    if (fd_ >= 0)
        close(fd_);
    ReturnSpareBuffer(std::move(bytes_));
}

int InputFile::Open(const std::string& path)
{
    path_ = path;
    // O_NONBLOCK: a FIFO given as archive must fail, not hang the caller.
    fd_ = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd_ < 0 || fstat(fd_, &stat_) != 0 || !S_ISREG(stat_.st_mode))
        return kCannotReadInput;
    if (Size() <= kReadWholeLimit) {
        bytes_ = TakeSpareBuffer();
        if (bytes_.size() < Size())
            bytes_.resize(static_cast<std::size_t>(Size()));
        // A file that shrank since fstat() keeps what is left, as reads at the end would.
        length_ = ReadFromFile(0, bytes_.data(), static_cast<std::size_t>(Size()));
        stat_.st_size = static_cast<off_t>(length_);
        inMemory_ = true;
    }
    return kDone;
}

std::size_t InputFile::ReadAt(std::uint64_t offset, void* buffer, std::size_t length) const
{
    if (!inMemory_)
        return ReadFromFile(offset, buffer, length);
    if (offset >= length_)
        return 0;
    const std::size_t n = std::min<std::uint64_t>(length, length_ - offset);
    std::memcpy(buffer, bytes_.data() + offset, n);
    return n;
}

std::size_t InputFile::ReadFromFile(std::uint64_t offset, void* buffer, std::size_t length) const
{
    std::size_t done = 0;
    while (done < length) {
        const ssize_t n =
            pread(fd_, static_cast<char*>(buffer) + done, length - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

} // namespace tbarc
