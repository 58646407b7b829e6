// A finished self-extractor handed over to the caller instead of put in
// place (the option -gk<socket>): the caller decides when, and whether, it
// appears in the output folder, and places it by the library's own rules.
//
// The library sends one message on the Unix socket the option names: the
// open file (SCM_RIGHTS), which holds the flock that keeps scratch cleaners
// off it, and the names below. The file is then the receiver's: closing it
// unplaced leaves nothing of an unnamed file, and a named scratch file is
// removed by PlaceHandedOver's failure or, when its holder is killed, by the
// next conversion into that folder (outputFile.h).
#pragma once

#include <string>
#include <vector>

namespace tbarc {

struct HandedOver {
    int fd = -1;             // the finished file, open; owned by whoever holds the struct
    std::string finalPath;   // where it goes
    std::string scratchPath; // its scratch name; empty for a file without a name (O_TMPFILE)
    bool marked = false;     // a named scratch file carries the scratch mark
    bool replace = false;    // an existing file of its name may be replaced (-+)
};

// Sends file over socket (its fd stays the sender's to close); false when
// the socket takes no message.
bool SendHandedOver(int socket, const HandedOver& file);
// Receives one file from socket; false when none came whole.
bool ReceiveHandedOver(int socket, HandedOver& file);

// Puts the file in place as a conversion does: linked or moved under its
// final name, an existing file of that name kept unless file.replace (then
// kOutputExists), files of other spellings of the name that it replaces
// removed. Closes the file; a named scratch file that could not be placed
// is removed. kDone or the result code of the failure.
int PlaceHandedOver(HandedOver& file);

// Lets go of a file handed over without placing it: nothing of it stays.
void DiscardHandedOver(HandedOver& file);

class Report;

// After an output is in place, the files of other spellings of its name
// (twins, as FolderNames finds them) go, so one file remains where the
// options expect one; each is said on report when there is one. A spelling
// that reaches the output itself (a folder that folds case) is no other
// file.
void RemoveReplacedSpellings(const std::string& folder, const std::string& fileName,
                             const std::vector<std::string>& twins, Report* report);

} // namespace tbarc
