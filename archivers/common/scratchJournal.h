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

#include <string>

struct stat;

namespace tbarc {

// Notes that path is about to be made; false when nothing could be noted
// (no state folder), and the file is then never taken for a leftover.
bool NoteScratchFile(const std::string& path);
// Adds the open file's device and inode to the note of path.
void NoteScratchIdentity(const std::string& path, int fd);
// Drops the note of path, if there is one.
void ForgetScratchFile(const std::string& path);
// Whether a note names path with this identity.
bool IsNotedScratchFile(const std::string& path, const struct stat& file);

} // namespace tbarc
