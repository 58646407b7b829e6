#include "platform/iniInMemory.h"

#include "platform/writeAll.h"

#include <QScopeGuard>
#include <QSettings>

#include <atomic>
#include <cerrno>

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// Qt keeps what it read of a file by its path, size and modification time,
// and a descriptor number comes back once it is closed: every memory file
// gets a time of its own, so Qt never takes one for an earlier one.
bool GiveTimeOfItsOwn(int fd)
{
    static std::atomic<long> nextSecond{1};
    const timespec time{nextSecond.fetch_add(1), 0};
    const timespec times[2] = {time, time};
    return ::futimens(fd, times) == 0;
}

} // namespace

std::optional<IniValues> ReadIniInMemory(const QByteArray& text)
{
    const int fd = ::memfd_create("tollbrook2-settings", MFD_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    const auto closeFile = qScopeGuard([fd] { ::close(fd); });
    if (!WriteAll(fd, text) || !GiveTimeOfItsOwn(fd))
        return std::nullopt;

    // Only read: Qt never writes (nor locks) a file it has no changes for.
    QSettings reader(QStringLiteral("/proc/self/fd/%1").arg(fd), QSettings::IniFormat);
    IniValues read;
    for (const QString& key : reader.allKeys())
        read.values.insert(key, reader.value(key));
    if (reader.status() == QSettings::AccessError)
        return std::nullopt;
    read.understood = reader.status() == QSettings::NoError;
    return read;
}

} // namespace platform
