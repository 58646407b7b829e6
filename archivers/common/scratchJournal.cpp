#include "scratchJournal.h"

#include "userFolder.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tbarc {
namespace {

std::string NoteFolder()
{
    const std::string folder = UserFolder("XDG_STATE_HOME", ".local/state");
    return folder.empty() ? folder : folder + "/scratch";
}

// The path with its folder resolved, so that every spelling of one folder
// (relative, through a link) gives one note.
std::string CanonicalPath(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const std::unique_ptr<char, decltype(&std::free)> resolved(realpath(folder.c_str(), nullptr), &std::free);
    if (!resolved)
        return {};
    return std::string(resolved.get()) + "/" + path.substr(slash == std::string::npos ? 0 : slash + 1);
}

// The note's file: named by a 64-bit FNV-1a hash of the canonical path
// (the note itself holds the path, so a collision is never mistaken).
std::string NotePath(const std::string& folder, const std::string& canonical)
{
    std::uint64_t hash = 0xcbf29ce484222325u;
    for (const unsigned char c : canonical)
        hash = (hash ^ c) * 0x100000001b3u;
    char name[17];
    std::snprintf(name, sizeof name, "%016llx", static_cast<unsigned long long>(hash));
    return folder + "/" + name;
}

// Writes text as the note at notePath in one step: a killed writer leaves
// the old note or the new one, never half of one.
bool WriteNote(const std::string& notePath, const std::string& text)
{
    std::string draft = notePath + ".XXXXXX";
    const int fd = mkostemp(draft.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool written = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    if (close(fd) != 0 || !written || rename(draft.c_str(), notePath.c_str()) != 0) {
        unlink(draft.c_str());
        return false;
    }
    return true;
}

std::string ReadNote(const std::string& notePath)
{
    const int fd = open(notePath.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return {};
    std::string text(8192, '\0');
    const ssize_t got = read(fd, text.data(), text.size());
    close(fd);
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return text;
}

std::string Identity(const struct stat& file)
{
    return std::to_string(file.st_dev) + " " + std::to_string(file.st_ino) + "\n";
}

} // namespace

std::optional<ScratchNote> ScratchNoteOf(const std::string& path)
{
    const std::string folder = NoteFolder();
    std::string canonical = CanonicalPath(path);
    if (folder.empty() || canonical.empty())
        return std::nullopt;
    return ScratchNote{NotePath(folder, canonical), std::move(canonical)};
}

bool NoteScratchFile(const ScratchNote& note)
{
    // Made as private as the token beside it: the notes name the user's folders.
    const std::string folder = note.notePath.substr(0, note.notePath.rfind('/'));
    const std::string top = folder.substr(0, folder.rfind('/'));
    mkdir(top.substr(0, top.rfind('/')).c_str(), 0700);
    mkdir(top.c_str(), 0700);
    mkdir(folder.c_str(), 0700);
    return WriteNote(note.notePath, note.canonicalPath + "\n");
}

void NoteScratchIdentity(const ScratchNote& note, int fd)
{
    struct stat file;
    if (fstat(fd, &file) == 0)
        WriteNote(note.notePath, note.canonicalPath + "\n" + Identity(file));
}

void ForgetScratchFile(const ScratchNote& note)
{
    unlink(note.notePath.c_str());
}

bool IsNotedScratchFile(const std::string& path, const struct stat& file)
{
    const std::optional<ScratchNote> note = ScratchNoteOf(path);
    return note && ReadNote(note->notePath) == note->canonicalPath + "\n" + Identity(file);
}

} // namespace tbarc
