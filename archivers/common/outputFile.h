// The self-extractor being written: a scratch file in the output folder that
// becomes <folder>/<name> only when everything was written. Destroying an
// uncommitted OutputFile leaves nothing behind.
//
// Where the file system allows it the scratch file has no name at all
// (O_TMPFILE) and is linked into place at the end: a killed conversion then
// leaves nothing, and nothing needs cleaning. To replace an existing file
// it gets a short-lived scratch name first, for the rename. Elsewhere (FAT,
// many FUSE and network file systems) it is created new under a name of its
// own from the start.
//
// Scratch names are short, ".tb-" and eight hex digits, ".tmp", so they can
// neither meet an entry's name nor push a long output name over the file
// system's limit. The writer holds an flock(2) on its scratch file until it
// has its final name, and marks a named one as ours (scratchMark.h) while it
// holds it, or where no mark can be set notes it (scratchJournal.h): a
// marked or noted one that nobody holds is left over from a killed
// conversion, and the next conversion into that folder removes it.
#pragma once

#include "handOver.h"
#include "scratchJournal.h"
#include "spareBuffer.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <time.h>

namespace tbarc {

class OutputFile {
public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Every call returns kDone or the result code of the failure. Writes are
    // gathered and reach the file in one writev(2), at the latest in Commit.
    int Create(const std::string& folder, const std::string& fileName);
    // Copies the bytes: the caller may reuse its buffer at once.
    int Write(const void* data, std::size_t length);
    // Takes the bytes where they are, without copying them: they must stay
    // as they are until Commit (or this object's end).
    int WriteLasting(const void* data, std::size_t length);
    // What is written from now on is the archive the seal describes.
    void BeginArchive();
    // Fills the stub's seal record at sealOffset (see sfxseal.h) with the
    // archive's place, length and CRC-32.
    int Seal(std::size_t sealOffset);
    // Moves the finished file into place; with replace false an existing file
    // of that name is kept and kOutputExists returned.
    int Commit(bool replace, const struct timespec* modificationTime);
    // Finishes the file as Commit does but hands it over unplaced on socket
    // (handOver.h); replace travels with it.
    int HandOver(int socket, bool replace, const struct timespec* modificationTime);
    // Places a file handed over; see PlaceHandedOver.
    static int Place(HandedOver& file);

    std::uint64_t BytesWritten() const { return written_; }

private:
    // A stretch of the bytes not yet in the file: copied into pending_ at
    // copiedAt, or lasting where the caller keeps it.
    struct Piece {
        const char* lasting;
        std::size_t copiedAt;
        std::size_t length;
    };

    void Account(const char* data, std::size_t length);
    int Flush();
    int WriteNow(const char* data, std::size_t length);
    // Where the pending bytes at file offset `at` are copied to, when the
    // whole of [at, at + length) is one copied piece; nullptr otherwise.
    char* CopiedBytesAt(std::uint64_t at, std::size_t length);

    bool OpenUnnamed();
    int OpenNamed();
    // Closes fd_ and lockFd_, which lets go of the lock.
    void CloseFiles();
    // Drops the scratch file's note, if it has one.
    void DropNote();
    // Writes what is pending, sets the time and closes fd_ (which reports
    // a late write error); the lock stays.
    int Finish(const struct timespec* modificationTime);
    // Gives the held file its final name.
    int PlaceHeld(bool replace);
    int LinkIntoPlace(bool replace);
    int MoveIntoPlace(bool replace);

    int fd_ = -1;
    // The same open file, kept until the end: it holds the flock that tells
    // the scratch file is in use, and names an unnamed one for linkat(2).
    int lockFd_ = -1;
    bool unnamed_ = false;
    bool marked_ = false;
    std::string folder_;      // ends with '/'
    std::string scratchPath_; // the scratch file's name, while it has one
    // The note that names the scratch file where it cannot be marked.
    std::optional<ScratchNote> note_;
    ByteBuffer pending_;
    std::vector<Piece> pieces_;
    std::size_t gathered_ = 0;  // bytes in pieces_
    std::uint64_t flushed_ = 0; // bytes already in the file
    std::string finalPath_;
    std::uint64_t written_ = 0;
    std::uint64_t archiveStart_ = 0;
    bool inArchive_ = false;
    std::uint32_t crc_ = 0;
};

// The result code for a failed write, create or rename with this errno: a
// full disk and a folder that takes no files stop a whole run; anything else
// fails this file alone.
int WriteErrorCode(int error);

// How the names of OutputFile's scratch files start.
inline constexpr char kScratchPrefix[] = ".tb-";

// Removes the scratch files of killed conversions from folder (ending with
// '/'): of candidates, the folder's names that start with kScratchPrefix,
// the files named as OutputFile names them, owned by this user, marked as
// ours, that no process holds. Returns how many were removed. A conversion
// calls it before it creates its own.
int RemoveStaleScratchFiles(const std::string& folder, std::vector<std::string> candidates);

} // namespace tbarc
