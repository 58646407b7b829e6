// The names in one folder, kept between library calls. A run fills one
// folder and the calling program renames what it gets, so the folder changes
// after every call: listing it for every call makes a run of n files read n
// times n names. Where it can, the folder is listed once and then watched
// (inotify): every name made, moved or removed there since, by anyone, is
// read from the watch before the next answer. Where it cannot (a network
// file system, whose other clients the watch does not see, or no watch left)
// every answer lists the folder anew.
#pragma once

#include <mutex>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include <sys/stat.h>
#include <sys/types.h>

namespace tbarc {

class FolderNames {
public:
    enum class Watching { WhereItSeesAll, Never };
    explicit FolderNames(Watching watching = Watching::WhereItSeesAll);
    ~FolderNames();
    FolderNames(const FolderNames&) = delete;
    FolderNames& operator=(const FolderNames&) = delete;

    // What a conversion asks of its output folder (folder ends with '/';
    // folderNow is its status just taken), answered from one look at it
    // (without a watch, one listing): name's twins, the names other than name
    // whose folded form (FoldedName) is name's, and the names that start with
    // prefix.
    struct Matches {
        std::vector<std::string> twins;
        std::vector<std::string> starting;
    };
    Matches Match(const std::string& folder, const struct stat& folderNow, const std::string& name,
                  const std::string& prefix);

private:
    void Refresh(const std::string& folder, const struct stat& folderNow);
    std::vector<std::string> TwinsOf(const std::string& name) const;
    bool TakeChanges();
    void List(const std::string& folder, const struct stat& now);
    bool Watch(const std::string& folder);
    void Add(const std::string& name);
    void Erase(const std::string& name);

    const Watching watching_;
    std::mutex mutex_;
    pid_t owner_ = 0; // the process whose watch this is (a forked child makes its own)
    int inotify_ = -1;
    int watch_ = -1;
    std::string folder_; // the folder listed and watched; empty: none
    struct stat folderId_ {};
    std::set<std::string> names_;                              // as they are
    std::unordered_multimap<std::string, std::string> folded_; // by folded name
};

// The one FolderNames of the process, which the library calls share.
FolderNames& KnownFolderNames();

} // namespace tbarc
