// Ownership of named scratch files on file systems that keep no mark (FAT,
// many FUSE and network file systems): a note per file in this user's state
// folder, $XDG_STATE_HOME/tollbrook2-archivers/scratch (~/.local/state
// without the variable), named after the file's path. The writer notes the
// path before it makes the file, adds the file's device and inode once it
// exists, and drops the note once the file has its final name or is gone;
// a note outlives its file only when its process was killed. A cleaner then
// removes a leftover only when a note names its path and identity: a file
// of the same shape that a user made is never named by a note.
#pragma once

#include <optional>
#include <string>

struct stat;

namespace tbarc {

// Where the note of one scratch file lives, and the file's path as the note
// names it (its folder resolved, so every spelling of a folder gives one
// note).
struct ScratchNote {
    std::string notePath;
    std::string canonicalPath;
};

// The note of the scratch file at path; none when there is no state folder
// (the file is then never taken for a leftover). Writes nothing.
std::optional<ScratchNote> ScratchNoteOf(const std::string& path);
// Notes that the file is about to be made; false when nothing was noted.
bool NoteScratchFile(const ScratchNote& note);
// Adds the open file's device and inode to its note.
void NoteScratchIdentity(const ScratchNote& note, int fd);
// Drops the note, if it is there.
void ForgetScratchFile(const ScratchNote& note);
// Whether a note names path with this identity.
bool IsNotedScratchFile(const std::string& path, const struct stat& file);

} // namespace tbarc
