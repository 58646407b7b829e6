#include "stubLocator.h"

#include <cerrno>
#include <map>
#include <mutex>
#include <string>

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tbarc {
namespace {

std::string OwnFolder()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&OwnFolder), &info) == 0 || info.dli_fname == nullptr)
        return {};
    const std::string self = info.dli_fname;
    const auto slash = self.rfind('/');
    return slash == std::string::npos ? std::string(".") : self.substr(0, slash);
}

struct CachedStub {
    struct stat file {};
    StubBytes bytes;
};

bool SameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size
        && a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

// The whole file in one read, with the identity it was read under.
StubBytes ReadWhole(const std::string& path, struct stat& file)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    auto bytes = std::make_shared<std::vector<char>>();
    if (fstat(fd, &file) == 0 && S_ISREG(file.st_mode) && file.st_size > 0) {
        bytes->resize(static_cast<std::size_t>(file.st_size));
        std::size_t done = 0;
        while (done < bytes->size()) {
            const ssize_t n = read(fd, bytes->data() + done, bytes->size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            done += static_cast<std::size_t>(n);
        }
        bytes->resize(done);
    }
    close(fd);
    if (bytes->empty() || bytes->size() != static_cast<std::size_t>(file.st_size))
        return nullptr;
    return bytes;
}

} // namespace

StubBytes ReadStub(const char* fileName)
{
    static const std::string folder = OwnFolder();
    if (folder.empty())
        return nullptr;
    const std::string path = folder + "/sfx/" + fileName;
    static std::mutex mutex;
    static std::map<std::string, CachedStub> cache;
    std::lock_guard<std::mutex> guard(mutex);
    CachedStub& cached = cache[fileName];
    struct stat now;
    if (stat(path.c_str(), &now) != 0) {
        cached = {};
        return nullptr;
    }
    if (cached.bytes && SameFile(cached.file, now))
        return cached.bytes;
    cached.bytes = ReadWhole(path, cached.file);
    return cached.bytes;
}

} // namespace tbarc
