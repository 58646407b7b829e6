// Whether two spellings of a name in one folder reach two files. On a folder
// that folds letter case (FAT, exFAT, SMB, ext4 with case folding) "a.EXE"
// and "A.EXE" are one file: removing or replacing the "other" one would take
// the file itself. One rule, read by the libraries before they remove a
// spelling their output replaced and by the program before its upper-case
// rename.
#pragma once

#include <memory>
#include <string>

#include <dirent.h>
#include <sys/stat.h>

namespace tbarc {

// True only when both names are there, are not the same file (device and
// inode), and the folder lists them as two entries. The listing decides
// where inode numbers cannot: some file systems (FUSE ones among them) give
// each spelling looked up a number of its own, though both reach one entry.
inline bool SeparateFiles(const std::string& folder, const std::string& one, const std::string& other)
{
    const std::string dir = folder.empty() || folder.back() == '/' ? folder : folder + '/';
    struct stat first, second;
    if (lstat((dir + one).c_str(), &first) != 0 || lstat((dir + other).c_str(), &second) != 0
        || (first.st_dev == second.st_dev && first.st_ino == second.st_ino))
        return false;
    const std::unique_ptr<DIR, int (*)(DIR*)> listing(opendir(dir.empty() ? "." : dir.c_str()), closedir);
    if (!listing)
        return false;
    bool oneListed = false;
    bool otherListed = false;
    while (const dirent* entry = readdir(listing.get())) {
        oneListed = oneListed || one == entry->d_name;
        otherListed = otherListed || other == entry->d_name;
    }
    return oneListed && otherListed;
}

} // namespace tbarc
