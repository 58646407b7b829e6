// Writing a whole file over an older one.
#include "util/paths.h"

#include <QFile>
#include <QSaveFile>

#include <sys/stat.h>
#include <unistd.h>

namespace paths {
namespace {

// Truncates the file and writes it anew: the file keeps its owner and mode,
// at the price of an unfinished file when the write fails part way.
bool WriteInPlace(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size()
        && file.flush();
}

} // namespace

bool WriteFileReplacing(const QString& path, const QByteArray& bytes)
{
    struct stat existing;
    const bool exists =
        ::stat(QFile::encodeName(path).constData(), &existing) == 0 && S_ISREG(existing.st_mode);

    // A folder where no new file can be made still lets an existing file be
    // written over: then the save writes straight into it.
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    struct stat opened;
    const bool scratch = ::fstat(file.handle(), &opened) == 0
        && !(exists && opened.st_dev == existing.st_dev && opened.st_ino == existing.st_ino);
    if (scratch && exists) {
        // The new file takes the old one's place: it takes its owner and mode
        // too. Whoever may write the file but not give it away (another
        // user's file open to the group) writes into it, as editors do.
        const bool sameOwner = opened.st_uid == existing.st_uid && opened.st_gid == existing.st_gid;
        if (!sameOwner && ::fchown(file.handle(), existing.st_uid, existing.st_gid) != 0) {
            file.cancelWriting();
            return WriteInPlace(path, bytes);
        }
        ::fchmod(file.handle(), existing.st_mode & 07777);
    }
    // The flush is checked on its own: commit() alone would not notice a
    // failure while emptying the write buffer.
    if (file.write(bytes) == bytes.size() && file.flush() && file.commit())
        return true;
    file.cancelWriting();
    return false;
}

} // namespace paths
