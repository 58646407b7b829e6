#include "inputFile.h"

#include "resultCodes.h"

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace tbarc {

InputFile::~InputFile()
{
    if (fd_ >= 0)
        close(fd_);
}

int InputFile::Open(const std::string& path)
{
    // O_NONBLOCK: a FIFO given as archive must fail, not hang the caller.
    fd_ = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd_ < 0 || fstat(fd_, &stat_) != 0 || !S_ISREG(stat_.st_mode))
        return kCannotReadInput;
    return kDone;
}

std::size_t InputFile::ReadAt(std::uint64_t offset, void* buffer, std::size_t length) const
{
    std::size_t done = 0;
    while (done < length) {
        const ssize_t n = pread(fd_, static_cast<char*>(buffer) + done, length - done,
                                static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

} // namespace tbarc
