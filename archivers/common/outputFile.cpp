#include "outputFile.h"

#include "inputFile.h"
#include "resultCodes.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tbarc {

int WriteErrorCode(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT: return kDiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
    case ENOENT:
    case ENOTDIR:
    case EIO: return kFolderNotWritable;
    // ENAMETOOLONG, EILSEQ, EINVAL (a name the file system refuses), EFBIG,
    // EISDIR and the like concern this file alone.
    default: return kOutputNotWritable;
    }
}

OutputFile::~OutputFile()
{
    if (fd_ >= 0)
        close(fd_);
    if (!tempPath_.empty())
        unlink(tempPath_.c_str());
}

int OutputFile::Create(const std::string& folder, const std::string& fileName)
{
    static std::atomic<unsigned> counter{0};
    std::string dir = folder.empty() ? std::string(".") : folder;
    if (dir.back() != '/')
        dir += '/';
    finalPath_ = dir + fileName;
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[64];
        std::snprintf(suffix, sizeof suffix, ".%d.%u.part", static_cast<int>(getpid()), counter.fetch_add(1));
        const std::string candidate = dir + "." + fileName + suffix;
        // Mode 0666 so the process umask decides, as for any new file.
        fd_ = open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0) {
            tempPath_ = candidate;
            pending_.reserve(64u << 10);
            return kDone;
        }
        if (errno != EEXIST)
            return WriteErrorCode(errno);
    }
    return kFolderNotWritable;
}

namespace {

// Gathered writes up to this size; a self-extractor of small archives is
// written in one go.
constexpr std::size_t kGatherLimit = 1u << 20;

} // namespace

int OutputFile::Write(const void* data, std::size_t length)
{
    const char* p = static_cast<const char*>(data);
    if (pending_.size() + length > kGatherLimit) {
        if (const int rc = Flush(); rc != kDone)
            return rc;
        if (length > kGatherLimit) {
            const int rc = WriteNow(p, length);
            written_ += rc == kDone ? length : 0;
            return rc;
        }
    }
    pending_.insert(pending_.end(), p, p + length);
    written_ += length;
    return kDone;
}

int OutputFile::Flush()
{
    const int rc = WriteNow(pending_.data(), pending_.size());
    pending_.clear();
    return rc;
}

int OutputFile::WriteNow(const char* data, std::size_t length)
{
    std::size_t done = 0;
    while (done < length) {
        const ssize_t n = write(fd_, data + done, length - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return WriteErrorCode(n < 0 ? errno : ENOSPC);
        done += static_cast<std::size_t>(n);
    }
    return kDone;
}

int OutputFile::CopyFrom(const InputFile& input, std::uint64_t offset, std::uint64_t length)
{
    if (input.InMemory()) {
        const std::string_view bytes = input.Contents();
        if (offset > bytes.size() || length > bytes.size() - offset)
            return kCannotReadInput; // the input shrank under us
        return Write(bytes.data() + offset, static_cast<std::size_t>(length));
    }
    if (const int rc = Flush(); rc != kDone)
        return rc;
    // The kernel copies (or shares extents) without a trip through user space.
    loff_t in = static_cast<loff_t>(offset);
    while (length > 0) {
        const ssize_t n = copy_file_range(input.Fd(), &in, fd_, nullptr, length, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP))
            break; // fall back to read and write below
        if (n < 0)
            return WriteErrorCode(errno);
        if (n == 0)
            return kCannotReadInput; // the input shrank under us
        length -= static_cast<std::uint64_t>(n);
        written_ += static_cast<std::uint64_t>(n);
    }
    std::vector<char> buffer(length > 0 ? 1 << 20 : 0);
    while (length > 0) {
        const std::size_t chunk = length < buffer.size() ? length : buffer.size();
        const std::size_t got = input.ReadAt(static_cast<std::uint64_t>(in), buffer.data(), chunk);
        if (got == 0)
            return kCannotReadInput;
        if (const int rc = WriteNow(buffer.data(), got); rc != kDone)
            return rc;
        written_ += got;
        in += static_cast<loff_t>(got);
        length -= got;
    }
    return kDone;
}

int OutputFile::Commit(bool replace, const struct timespec* modificationTime)
{
    if (const int rc = Flush(); rc != kDone)
        return rc;
    if (modificationTime != nullptr) {
        const struct timespec times[2] = {{0, UTIME_OMIT}, *modificationTime};
        futimens(fd_, times);
    }
    const int fd = fd_;
    fd_ = -1;
    if (close(fd) != 0)
        return WriteErrorCode(errno);
    int renamed;
    if (replace) {
        renamed = rename(tempPath_.c_str(), finalPath_.c_str());
    } else {
        // Never replace a file that appeared since the caller looked.
        renamed = renameat2(AT_FDCWD, tempPath_.c_str(), AT_FDCWD, finalPath_.c_str(), RENAME_NOREPLACE);
        if (renamed != 0 && errno == EEXIST)
            return kOutputExists;
        if (renamed != 0 && (errno == EINVAL || errno == ENOSYS)) {
            // File systems without RENAME_NOREPLACE: a hard link fails on an existing name.
            renamed = link(tempPath_.c_str(), finalPath_.c_str());
            if (renamed != 0 && errno == EEXIST)
                return kOutputExists;
        }
    }
    // The scratch file was made in the folder, so the folder takes files: a
    // refused rename (another user's file in a sticky folder) is this file's.
    if (renamed != 0)
        return errno == EACCES || errno == EPERM ? kOutputNotWritable : WriteErrorCode(errno);
    if (!replace)
        unlink(tempPath_.c_str()); // harmless after a rename; needed after link()
    tempPath_.clear();
    return kDone;
}

} // namespace tbarc
