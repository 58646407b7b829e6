#include "outputFile.h"

#include "resultCodes.h"
#include "scratchJournal.h"
#include "scratchMark.h"

#include <isa-l/crc.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

namespace tbarc {
namespace {

constexpr char kScratchSuffix[] = ".tmp";
constexpr std::size_t kScratchDigits = 8;
constexpr std::size_t kScratchNameLength =
    sizeof kScratchPrefix - 1 + kScratchDigits + sizeof kScratchSuffix - 1;

// Gathered writes up to this size, in up to this many pieces; a
// self-extractor of small archives is written in one go.
constexpr std::size_t kGatherLimit = 1u << 20;
constexpr std::size_t kMostPieces = 64;

// Where the three numbers sit in a stub's seal record (sfxseal.h): after
// eight bytes of magic, offset, length and CRC-32, little-endian.
constexpr std::size_t kSealNumbers = 8;

bool IsScratchName(const char* name)
{
    if (std::strlen(name) != kScratchNameLength
        || std::strncmp(name, kScratchPrefix, sizeof kScratchPrefix - 1) != 0
        || std::strcmp(name + kScratchNameLength - (sizeof kScratchSuffix - 1), kScratchSuffix) != 0)
        return false;
    for (std::size_t i = 0; i < kScratchDigits; ++i) {
        const char c = name[sizeof kScratchPrefix - 1 + i];
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    }
    return true;
}

// A random start for the process, then a new name each call: the names are
// created exclusively, so one that another process happens to hold is just
// passed over.
std::uint32_t ProcessStart()
{
    std::uint32_t random = 0;
    if (getrandom(&random, sizeof random, GRND_NONBLOCK) != sizeof random)
        random =
            static_cast<std::uint32_t>(getpid()) * 2654435761u ^ static_cast<std::uint32_t>(time(nullptr));
    return random;
}

std::string ScratchName()
{
    static const std::uint32_t start = ProcessStart();
    static std::atomic<unsigned> counter{0};
    const std::uint32_t random = start ^ counter.fetch_add(1) * 0x9E3779B9u;
    std::string name = kScratchPrefix;
    for (int shift = 28; shift >= 0; shift -= 4)
        name += "0123456789abcdef"[(random >> shift) & 0xF];
    return name + kScratchSuffix;
}

bool SameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Whether an unnamed file can be given a name: linkat(2) reaches it through
// /proc/self/fd, which a chroot or a container may lack.
bool CanLinkUnnamed()
{
    static const bool procMounted = access("/proc/self/fd", X_OK) == 0;
    return procMounted;
}

std::string OpenFilePath(int fd)
{
    return "/proc/self/fd/" + std::to_string(fd);
}

// The result code for a refused link or rename into the output folder. The
// scratch file was made in the folder, so the folder takes files: a refusal
// (another user's file in a sticky folder) is this file's.
int PlacingErrorCode(int error)
{
    return error == EACCES || error == EPERM ? kOutputNotWritable : WriteErrorCode(error);
}

void PutLittle32(char* p, std::uint64_t value)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

} // namespace

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

int RemoveStaleScratchFiles(const std::string& folder, std::vector<std::string> candidates)
{
    std::erase_if(candidates, [](const std::string& name) { return !IsScratchName(name.c_str()); });
    if (candidates.empty())
        return 0;
    const int dirFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd < 0)
        return 0;
    int removed = 0;
    for (const std::string& name : candidates) {
        const int fd = openat(dirFd, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat open, named;
        // Ours: a regular file of this user with our mark or our note, which
        // only a writer holding the lock makes, and no writer holds it any more.
        if (fstat(fd, &open) == 0 && S_ISREG(open.st_mode) && open.st_uid == geteuid()
            && (HasScratchMark(fd) || IsNotedScratchFile(folder + name, open))
            && flock(fd, LOCK_EX | LOCK_NB) == 0
            && fstatat(dirFd, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 && SameFile(open, named)
            && unlinkat(dirFd, name.c_str(), 0) == 0) {
            if (const std::optional<ScratchNote> note = ScratchNoteOf(folder + name))
                ForgetScratchFile(*note);
            ++removed;
        }
        close(fd);
    }
    close(dirFd);
    return removed;
}

OutputFile::~OutputFile()
{
    if (fd_ >= 0)
        close(fd_);
    if (!scratchPath_.empty()) {
        unlink(scratchPath_.c_str());
        if (note_)
            ForgetScratchFile(*note_);
    }
    if (lockFd_ >= 0)
        close(lockFd_);
    ReturnSpareBuffer(std::move(pending_));
}

int OutputFile::Create(const std::string& folder, const std::string& fileName)
{
    folder_ = folder;
    if (folder_.empty() || folder_.back() != '/')
        folder_ += '/';
    finalPath_ = folder_ + fileName;
    if (!OpenUnnamed()) {
        if (const int rc = OpenNamed(); rc != kDone)
            return rc;
    }
    pending_ = TakeSpareBuffer();
    pending_.clear();
    pending_.reserve(64u << 10);
    return kDone;
}

// Any refusal of O_TMPFILE (a file system without it, an old kernel) leaves
// the named way, which reports what really stands in the way.
bool OutputFile::OpenUnnamed()
{
    if (!CanLinkUnnamed())
        return false;
    // Mode 0666 so the process umask decides, as for any new file.
    fd_ = open(folder_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd_ < 0)
        return false;
    // The lock belongs to the open file, which a duplicate shares: it
    // outlasts the close of fd_ in Commit, which still reports a late write
    // error. It matters once the file gets a short-lived name.
    lockFd_ = fcntl(fd_, F_DUPFD_CLOEXEC, 0);
    if (lockFd_ < 0 || flock(lockFd_, LOCK_EX | LOCK_NB) != 0) {
        CloseFiles();
        return false;
    }
    unnamed_ = true;
    return true;
}

void OutputFile::DropNote()
{
    if (note_)
        ForgetScratchFile(*note_);
    note_.reset();
}

void OutputFile::CloseFiles()
{
    if (fd_ >= 0)
        close(fd_);
    if (lockFd_ >= 0)
        close(lockFd_);
    fd_ = -1;
    lockFd_ = -1;
}

int OutputFile::OpenNamed()
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string candidate = folder_ + ScratchName();
        // Noted before it exists: a kill at any moment after leaves a note
        // that names it.
        note_ = ScratchNoteOf(candidate);
        if (note_ && !NoteScratchFile(*note_))
            note_.reset();
        fd_ = open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd_ < 0) {
            const int error = errno;
            DropNote();
            if (error == EEXIST)
                continue;
            return WriteErrorCode(error);
        }
        lockFd_ = fcntl(fd_, F_DUPFD_CLOEXEC, 0);
        const bool locked = lockFd_ >= 0 && flock(lockFd_, LOCK_EX | LOCK_NB) == 0;
        // A cleaner looking at the new, still unmarked file holds it for a
        // moment: this one goes (nobody else removes an unmarked file) and
        // another name is tried.
        if (lockFd_ >= 0 && !locked && errno == EWOULDBLOCK) {
            CloseFiles();
            unlink(candidate.c_str());
            DropNote();
            continue;
        }
        scratchPath_ = candidate;
        // Noted and marked only under the lock: a cleaner that sees either
        // finds the file held. Where no lock can be had (a file system
        // without flock) it is neither, so never taken for a stale one. The
        // identity is noted before the mark is tried: where no mark can be
        // set (FUSE asks its daemon first) a kill meanwhile would otherwise
        // leave a file no note names.
        if (!locked) {
            DropNote();
            return kDone;
        }
        if (note_)
            NoteScratchIdentity(*note_, lockFd_);
        marked_ = MarkScratchFile(lockFd_);
        if (marked_)
            DropNote();
        return kDone;
    }
    return kFolderNotWritable;
}

void OutputFile::Account(const char* data, std::size_t length)
{
    if (inArchive_)
        crc_ = crc32_gzip_refl(crc_, reinterpret_cast<const unsigned char*>(data), length);
    written_ += length;
}

int OutputFile::Write(const void* data, std::size_t length)
{
    const char* p = static_cast<const char*>(data);
    Account(p, length);
    if (length == 0)
        return kDone;
    // Large pieces go straight to the file: gathering them would only copy them.
    if (gathered_ + length > kGatherLimit || length >= kGatherLimit / 4 || pieces_.size() == kMostPieces) {
        if (const int rc = Flush(); rc != kDone)
            return rc;
        if (length >= kGatherLimit / 4)
            return WriteNow(p, length);
    }
    if (!pieces_.empty() && pieces_.back().lasting == nullptr)
        pieces_.back().length += length;
    else
        pieces_.push_back({nullptr, pending_.size(), length});
    pending_.insert(pending_.end(), p, p + length);
    gathered_ += length;
    return kDone;
}

int OutputFile::WriteLasting(const void* data, std::size_t length)
{
    const char* p = static_cast<const char*>(data);
    Account(p, length);
    if (length == 0)
        return kDone;
    if (gathered_ + length > kGatherLimit || pieces_.size() == kMostPieces) {
        if (const int rc = Flush(); rc != kDone)
            return rc;
    }
    pieces_.push_back({p, 0, length});
    gathered_ += length;
    return kDone;
}

void OutputFile::BeginArchive()
{
    inArchive_ = true;
    archiveStart_ = written_;
    crc_ = 0;
}

int OutputFile::Seal(std::size_t sealOffset)
{
    const std::uint64_t length = written_ - archiveStart_;
    if (archiveStart_ > 0xFFFFFFFFu || length > 0xFFFFFFFFu - archiveStart_)
        return kUnsupportedArchive; // a 32-bit program cannot reach that far into its file
    char numbers[12];
    PutLittle32(numbers, archiveStart_);
    PutLittle32(numbers + 4, length);
    PutLittle32(numbers + 8, crc_);
    const std::uint64_t at = sealOffset + kSealNumbers;
    if (char* copied = CopiedBytesAt(at, sizeof numbers)) {
        std::memcpy(copied, numbers, sizeof numbers);
        return kDone;
    }
    if (const int rc = Flush(); rc != kDone)
        return rc;
    if (pwrite(fd_, numbers, sizeof numbers, static_cast<off_t>(at)) != static_cast<ssize_t>(sizeof numbers))
        return WriteErrorCode(errno);
    return kDone;
}

char* OutputFile::CopiedBytesAt(std::uint64_t at, std::size_t length)
{
    std::uint64_t pieceStart = flushed_;
    for (const Piece& piece : pieces_) {
        if (at >= pieceStart && at + length <= pieceStart + piece.length)
            return piece.lasting == nullptr ? pending_.data() + piece.copiedAt + (at - pieceStart) : nullptr;
        pieceStart += piece.length;
    }
    return nullptr;
}

int OutputFile::Flush()
{
    iovec vectors[kMostPieces];
    std::size_t count = 0;
    for (const Piece& piece : pieces_) {
        const char* bytes = piece.lasting != nullptr ? piece.lasting : pending_.data() + piece.copiedAt;
        vectors[count++] = {const_cast<char*>(bytes), piece.length};
    }
    // One writev for everything gathered; what a short write leaves goes on.
    int rc = kDone;
    std::size_t first = 0;
    while (first < count) {
        const ssize_t n = writev(fd_, vectors + first, static_cast<int>(count - first));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            rc = WriteErrorCode(n < 0 ? errno : ENOSPC);
            break;
        }
        flushed_ += static_cast<std::uint64_t>(n);
        auto left = static_cast<std::size_t>(n);
        while (first < count && left >= vectors[first].iov_len)
            left -= vectors[first++].iov_len;
        if (first < count) {
            vectors[first].iov_base = static_cast<char*>(vectors[first].iov_base) + left;
            vectors[first].iov_len -= left;
        }
    }
    pieces_.clear();
    pending_.clear();
    gathered_ = 0;
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
        flushed_ += static_cast<std::uint64_t>(n);
    }
    return kDone;
}

int OutputFile::Finish(const struct timespec* modificationTime)
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
    return kDone;
}

int OutputFile::Commit(bool replace, const struct timespec* modificationTime)
{
    if (const int rc = Finish(modificationTime); rc != kDone)
        return rc;
    // The lock stays until the file has its final name.
    return PlaceHeld(replace);
}

int OutputFile::PlaceHeld(bool replace)
{
    const int rc = unnamed_ ? LinkIntoPlace(replace) : MoveIntoPlace(replace);
    // The finished file carries nothing of ours.
    if (rc == kDone && marked_)
        RemoveScratchMark(lockFd_);
    return rc;
}

int OutputFile::HandOver(int socket, bool replace, const struct timespec* modificationTime)
{
    if (const int rc = Finish(modificationTime); rc != kDone)
        return rc;
    if (!SendHandedOver(socket, {lockFd_, finalPath_, scratchPath_, marked_, replace}))
        return kBadCommand;
    // The receiver holds the file, its lock, its scratch name and its note now.
    scratchPath_.clear();
    note_.reset();
    return kDone;
}

int OutputFile::Place(HandedOver& file)
{
    OutputFile held;
    held.lockFd_ = file.fd;
    file.fd = -1;
    held.unnamed_ = file.scratchPath.empty();
    held.marked_ = file.marked;
    held.finalPath_ = file.finalPath;
    held.folder_ = file.finalPath.substr(0, file.finalPath.rfind('/') + 1);
    held.scratchPath_ = file.scratchPath;
    if (!file.marked && !file.scratchPath.empty())
        held.note_ = ScratchNoteOf(file.scratchPath);
    // Whatever becomes of it, the scratch name goes with `held`.
    return held.PlaceHeld(file.replace);
}

int OutputFile::LinkIntoPlace(bool replace)
{
    const std::string self = OpenFilePath(lockFd_);
    // A link is never made over an existing name. A free name is the common
    // case even when replacing is allowed, and the link alone takes it.
    if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, finalPath_.c_str(), AT_SYMLINK_FOLLOW) == 0)
        return kDone;
    if (errno != EEXIST)
        return PlacingErrorCode(errno);
    if (!replace)
        return kOutputExists;
    // rename(2) replaces in one step but wants a name to move: the file gets
    // a scratch name for that moment, marked and held like any named one.
    marked_ = MarkScratchFile(lockFd_);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string candidate = folder_ + ScratchName();
        if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, candidate.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            scratchPath_ = candidate;
            return MoveIntoPlace(true);
        }
        if (errno != EEXIST)
            return PlacingErrorCode(errno);
    }
    return kFolderNotWritable;
}

int OutputFile::MoveIntoPlace(bool replace)
{
    int renamed;
    if (replace) {
        renamed = rename(scratchPath_.c_str(), finalPath_.c_str());
    } else {
        // Never replace a file that appeared since the caller looked.
        renamed = renameat2(AT_FDCWD, scratchPath_.c_str(), AT_FDCWD, finalPath_.c_str(), RENAME_NOREPLACE);
        if (renamed != 0 && errno == EEXIST)
            return kOutputExists;
        if (renamed != 0 && (errno == EINVAL || errno == ENOSYS)) {
            // File systems without RENAME_NOREPLACE: a hard link fails on an existing name.
            renamed = link(scratchPath_.c_str(), finalPath_.c_str());
            if (renamed != 0 && errno == EEXIST)
                return kOutputExists;
            if (renamed == 0)
                unlink(scratchPath_.c_str());
        }
    }
    if (renamed != 0)
        return PlacingErrorCode(errno);
    DropNote();
    scratchPath_.clear();
    return kDone;
}

} // namespace tbarc
