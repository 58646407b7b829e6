#include "scratchMark.h"

#include "userFolder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace tbarc {
namespace {

constexpr char kAttribute[] = "user.tollbrook2.scratch";
constexpr std::size_t kTokenBytes = 16;
constexpr std::size_t kTokenLength = 2 * kTokenBytes; // in hex digits

bool IsToken(const std::string& text)
{
    return text.size() == kTokenLength && text.find_first_not_of("0123456789abcdef") == std::string::npos;
}

// The file's text, when it is a token; empty otherwise.
std::string ReadToken(const std::string& path)
{
    const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return {};
    char text[kTokenLength + 1];
    const ssize_t got = read(fd, text, sizeof text);
    close(fd);
    const std::string token(text, got > 0 ? static_cast<std::size_t>(got) : 0);
    return IsToken(token) ? token : std::string();
}

// A new token under path, unless another process made one first: written
// whole under a name of its own, then linked, which never replaces a file.
void MakeToken(const std::string& folder, const std::string& path)
{
    unsigned char random[kTokenBytes];
    if (getrandom(random, sizeof random, 0) != static_cast<ssize_t>(sizeof random))
        return;
    std::string token;
    for (const unsigned char byte : random) {
        token += "0123456789abcdef"[byte >> 4];
        token += "0123456789abcdef"[byte & 0xF];
    }
    mkdir(folder.substr(0, folder.rfind('/')).c_str(), 0700);
    mkdir(folder.c_str(), 0700);
    std::string draft = path + ".XXXXXX";
    const int fd = mkostemp(draft.data(), O_CLOEXEC);
    if (fd < 0)
        return;
    const bool written = write(fd, token.data(), token.size()) == static_cast<ssize_t>(token.size());
    if (close(fd) == 0 && written)
        link(draft.c_str(), path.c_str());
    unlink(draft.c_str());
}

// This user's token, made on first need; empty when none can be had.
const std::string& Token()
{
    static const std::string token = [] {
        const std::string folder = UserFolder("XDG_CONFIG_HOME", ".config");
        if (folder.empty())
            return std::string();
        const std::string path = folder + "/scratch-mark";
        struct stat existing;
        // A file there that holds no token is kept as it is.
        if (lstat(path.c_str(), &existing) != 0 && errno == ENOENT)
            MakeToken(folder, path);
        return ReadToken(path);
    }();
    return token;
}

} // namespace

bool MarkScratchFile(int fd)
{
    const std::string& token = Token();
    return !token.empty() && fsetxattr(fd, kAttribute, token.data(), token.size(), 0) == 0;
}

bool HasScratchMark(int fd)
{
    const std::string& token = Token();
    if (token.empty())
        return false;
    char value[kTokenLength + 1];
    return fgetxattr(fd, kAttribute, value, sizeof value) == static_cast<ssize_t>(token.size())
        && std::memcmp(value, token.data(), token.size()) == 0;
}

void RemoveScratchMark(int fd)
{
    fremovexattr(fd, kAttribute);
}

} // namespace tbarc
