// The mark that tells a named scratch file of ours from a user's file of
// the same shape: an extended attribute whose value is this user's random
// token, set by the writer while it holds the file's lock and taken off
// once the file has its final name. A name, a size or the first bytes can
// be a user's by chance; this value cannot.
//
// The token is made once, on first need, and kept in
// $XDG_CONFIG_HOME/tollbrook2-archivers/scratch-mark (~/.config without the
// variable): every process of the user, both libraries and every later
// session know it, while a file copied from another machine or user carries
// another. Where no token can be had (no home, a damaged token file, which
// is never written over) or the file system takes no extended attributes
// (FAT, many FUSE and network file systems), nothing is marked: a note in
// the user's state folder stands in for the mark there (scratchJournal.h).
#pragma once

namespace tbarc {

// Marks the open file; false when it could not be marked.
bool MarkScratchFile(int fd);
// Whether the open file carries this user's mark.
bool HasScratchMark(int fd);
void RemoveScratchMark(int fd);

} // namespace tbarc
