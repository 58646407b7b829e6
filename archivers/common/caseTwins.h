// Names that a system ignoring letter case takes for one file. The options a
// caller passes were written for such a system: there "a.EXE" and "A.EXE" are
// the same file, and whether an existing file may be replaced must not depend
// on the letter case of the archive's name.
#pragma once

#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <sys/stat.h>

namespace tbarc {

// The name with every letter upper-cased one character for another (the
// simple Unicode mappings), as such a system compares names; bytes that are
// no UTF-8 stay as they are.
std::string FoldedName(std::string_view name);

// One folder's names by their folded form. A run fills one folder and the
// calling program renames what it gets, so the folder changes after every
// call: listing it for every call makes a run of n files read n times n
// names. Where it can, the folder is listed once and then watched (inotify):
// every name made, moved or removed there since, by anyone, is read from the
// watch before the next answer. Where it cannot (a network file system, whose
// other clients the watch does not see, or no watch left), every answer lists
// the folder anew.
class FolderSpellings {
public:
    enum class Watching { WhereItSeesAll, Never };
    explicit FolderSpellings(Watching watching = Watching::WhereItSeesAll);
    ~FolderSpellings();
    FolderSpellings(const FolderSpellings&) = delete;
    FolderSpellings& operator=(const FolderSpellings&) = delete;

    // The entries of folder other than name itself whose folded name is
    // name's. folderNow: the folder's status just taken.
    std::vector<std::string> Twins(const std::string& folder, const struct stat& folderNow,
                                   const std::string& name);

private:
    bool TakeChanges();
    void List(const std::string& folder, const struct stat& now);
    bool Watch(const std::string& folder);
    void Add(const std::string& name);
    void Erase(const std::string& name);

    const Watching watching_;
    std::mutex mutex_;
    int inotify_ = -1;
    int watch_ = -1;
    std::string folder_; // the folder listed and watched; empty: none
    struct stat folderId_ {};
    std::unordered_multimap<std::string, std::string> names_;
};

// The twins of name in folder, from one FolderSpellings for the process.
std::vector<std::string> CaseTwins(const std::string& folder, const struct stat& folderNow,
                                   const std::string& name);

} // namespace tbarc
