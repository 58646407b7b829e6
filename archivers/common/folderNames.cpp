#include "folderNames.h"

#include "caseTwins.h"

#include <cerrno>
#include <climits>
#include <memory>

#include <dirent.h>
#include <sys/inotify.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace tbarc {
namespace {

bool SameFolder(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// File systems whose folders other machines change: a watch sees only what
// this machine does there.
bool SharedOverNetwork(const std::string& folder)
{
    struct statfs system;
    if (statfs(folder.c_str(), &system) != 0)
        return true;
    switch (static_cast<unsigned long>(system.f_type)) {
    case 0x6969:     // NFS
    case 0x517B:     // SMB
    case 0xFF534D42: // CIFS
    case 0xFE534D42: // SMB2
    case 0x65735546: // FUSE (sshfs and the like)
    case 0x01021997: // 9P
    case 0x00C36400: // Ceph
    case 0x5346414F: // AFS
    case 0x6B414653: // kAFS
    case 0x73757245: // Coda
    case 0x7461636F: // OCFS2
    case 0x01161970: // GFS2
    case 0x0BD00BD0: // Lustre
        return true;
    default: return false;
    }
}

} // namespace

FolderNames::FolderNames(Watching watching) : watching_(watching) {}

FolderNames::~FolderNames()
{
    if (inotify_ >= 0)
        close(inotify_);
}

FolderNames::Matches FolderNames::Match(const std::string& folder, const struct stat& folderNow,
                                        const std::string& name, const std::string& prefix)
{
    const std::lock_guard<std::mutex> lock(mutex_);
    Refresh(folder, folderNow);
    Matches matches;
    matches.twins = TwinsOf(name);
    for (auto it = names_.lower_bound(prefix); it != names_.end() && it->starts_with(prefix); ++it)
        matches.starting.push_back(*it);
    return matches;
}

std::vector<std::string> FolderNames::TwinsOf(const std::string& name) const
{
    std::vector<std::string> twins;
    const auto [first, last] = folded_.equal_range(FoldedName(name));
    for (auto it = first; it != last; ++it) {
        if (it->second != name)
            twins.push_back(it->second);
    }
    return twins;
}

void FolderNames::Refresh(const std::string& folder, const struct stat& folderNow)
{
    // A forked child shares the parent's watch: reading it would take the
    // parent's events away. It leaves that watch to the parent.
    if (owner_ != getpid()) {
        if (inotify_ >= 0)
            close(inotify_);
        inotify_ = watch_ = -1;
        folder_.clear();
        owner_ = getpid();
    }
    if (folder != folder_ || !SameFolder(folderNow, folderId_) || !TakeChanges())
        List(folder, folderNow);
}

// Brings the names up to date from the watch; false when only a new listing
// can.
bool FolderNames::TakeChanges()
{
    alignas(inotify_event) char buffer[16384];
    for (;;) {
        const ssize_t got = read(inotify_, buffer, sizeof buffer);
        if (got < 0)
            return errno == EAGAIN;
        for (ssize_t at = 0; at < got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            // Events were lost (this one names no watch).
            if (event->mask & IN_Q_OVERFLOW)
                return false;
            // Left over from a folder watched before.
            if (event->wd != watch_)
                continue;
            // The folder itself went away or moved.
            if (event->mask & (IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF | IN_UNMOUNT))
                return false;
            if (event->len == 0)
                continue;
            const std::string entry(event->name);
            if (event->mask & (IN_CREATE | IN_MOVED_TO))
                Add(entry);
            else if (event->mask & (IN_DELETE | IN_MOVED_FROM))
                Erase(entry);
        }
        // Room for one more event was left: the queue was empty.
        if (got + static_cast<ssize_t>(sizeof(inotify_event) + NAME_MAX + 1)
            <= static_cast<ssize_t>(sizeof buffer))
            return true;
    }
}

// Lists folder; it is kept for the next answers only while it is watched.
void FolderNames::List(const std::string& folder, const struct stat& now)
{
    names_.clear();
    folded_.clear();
    folder_.clear();
    // The watch starts before the listing, so that nothing happens unseen
    // in between.
    const bool watched = Watch(folder);
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.c_str()), closedir);
    if (!dir)
        return;
    while (const dirent* entry = readdir(dir.get())) {
        const std::string_view entryName = entry->d_name;
        if (entryName != "." && entryName != "..")
            Add(std::string(entryName));
    }
    if (watched) {
        folder_ = folder;
        folderId_ = now;
    }
}

// Watches folder from now on instead of the folder watched before.
bool FolderNames::Watch(const std::string& folder)
{
    if (watch_ >= 0) {
        inotify_rm_watch(inotify_, watch_);
        watch_ = -1;
    }
    if (watching_ == Watching::Never || SharedOverNetwork(folder))
        return false;
    if (inotify_ < 0)
        inotify_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (inotify_ < 0)
        return false;
    // Events of the watch before are told apart by their number.
    watch_ = inotify_add_watch(inotify_, folder.c_str(),
                               IN_CREATE | IN_MOVED_TO | IN_MOVED_FROM | IN_DELETE | IN_DELETE_SELF
                                   | IN_MOVE_SELF | IN_ONLYDIR);
    return watch_ >= 0;
}

void FolderNames::Add(const std::string& name)
{
    if (names_.insert(name).second)
        folded_.emplace(FoldedName(name), name);
}

void FolderNames::Erase(const std::string& name)
{
    if (names_.erase(name) == 0)
        return;
    const auto [first, last] = folded_.equal_range(FoldedName(name));
    for (auto it = first; it != last; ++it) {
        if (it->second == name) {
            folded_.erase(it);
            return;
        }
    }
}

FolderNames& KnownFolderNames()
{
    static FolderNames names;
    return names;
}

} // namespace tbarc
