#include "libraryLock.h"

#include <mutex>
#include <set>
#include <string>

namespace tbarc {
namespace {

struct HeldLibraries {
    std::mutex mutex;
    std::set<std::string> names;
};

HeldLibraries& Held()
{
    static HeldLibraries held;
    return held;
}

} // namespace

LibraryLock::LibraryLock(const char* libraryName) : libraryName_(libraryName) {}

LibraryLock::~LibraryLock()
{
    if (!held_)
        return;
    std::lock_guard<std::mutex> guard(Held().mutex);
    Held().names.erase(libraryName_);
}

bool LibraryLock::TryAcquire()
{
    std::lock_guard<std::mutex> guard(Held().mutex);
    held_ = Held().names.insert(libraryName_).second;
    return held_;
}

bool LibraryLock::IsHeld(const char* libraryName)
{
    std::lock_guard<std::mutex> guard(Held().mutex);
    return Held().names.count(libraryName) > 0;
}

} // namespace tbarc
