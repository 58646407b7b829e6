#include "run/upperCaseRename.h"

#include "common/separateFiles.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace run {
namespace {

// Moves source to target, never over an existing file; 0 or the errno of the
// failure (EEXIST: target is there). A file system with neither
// RENAME_NOREPLACE nor hard links (FAT through FUSE) gets a look first: a
// file made in the instant between is the one it could replace.
int MoveNoReplace(const QByteArray& source, const QByteArray& target)
{
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    if (::link(source.constData(), target.constData()) == 0) {
        ::unlink(source.constData());
        return 0;
    }
    if (errno != EPERM && errno != EOPNOTSUPP)
        return errno;
    struct stat existing;
    if (::lstat(target.constData(), &existing) == 0)
        return EEXIST;
    if (errno != ENOENT)
        return errno;
    return std::rename(source.constData(), target.constData()) == 0 ? 0 : errno;
}

// Gives the file at source the spelling of target on a folder that folds
// case, through a name of its own in between: a rename straight to the other
// spelling leaves the old one on some file systems (vfat, ext4 casefold: the
// two names are one file, so nothing is done) and frees the file's data on
// others (fusefat). Should the second step fail, the file goes back.
bool ChangeSpelling(const QString& folder, const QByteArray& source, const QByteArray& target)
{
    const QByteArray between = QFile::encodeName(
        folder
        + QStringLiteral(".tb-spelling-%1").arg(QRandomGenerator::global()->generate(), 8, 16, QChar(u'0')));
    if (MoveNoReplace(source, between) != 0)
        return false;
    if (MoveNoReplace(between, target) == 0)
        return true;
    MoveNoReplace(between, source);
    return false;
}

} // namespace

bool RenameToUpperCase(const QString& folder, const QString& name, const QString& upper)
{
    if (name == upper)
        return true;
    const QByteArray source = QFile::encodeName(folder + name);
    const QByteArray target = QFile::encodeName(folder + upper);
    const int moved = MoveNoReplace(source, target);
    if (moved != EEXIST)
        return moved == 0;
    if (tbarc::SeparateFiles(QFile::encodeName(folder).toStdString(), QFile::encodeName(name).toStdString(),
                             QFile::encodeName(upper).toStdString()))
        return false;
    return ChangeSpelling(folder, source, target);
}

} // namespace run
