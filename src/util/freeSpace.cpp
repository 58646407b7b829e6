// Free space of a file system, as shown beside a folder.
#include "util/paths.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

namespace paths {
namespace {

constexpr qint64 kMegabyte = 1048576;

// Digits grouped in threes with commas: "1234567" -> "1,234,567".
QString GroupThousands(qint64 value)
{
    QString digits = QString::number(value);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, u',');
    return digits;
}

// The nearest existing folder at or above `path`, so that a path about to be
// created still reports the file system it would land on.
QString NearestExistingFolder(const QString& path)
{
    QFileInfo info(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
    while (!info.exists()) {
        const QString parent = info.absolutePath();
        if (parent == info.absoluteFilePath())
            return {};
        info.setFile(parent);
    }
    return info.absoluteFilePath();
}

} // namespace

QString FormatFreeSpace(qint64 freeBytes)
{
    if (freeBytes <= 0)
        return {};
    // Whole tenths of a megabyte, rounded half up, in integers so that large
    // file systems keep their last digit exact.
    const qint64 tenths =
        freeBytes / kMegabyte * 10 + (freeBytes % kMegabyte * 10 + kMegabyte / 2) / kMegabyte;
    const QString number = GroupThousands(tenths / 10) + u'.' + QString::number(tenths % 10);
    return QStringLiteral(" (") + number + QStringLiteral("M Free)");
}

QString GetFreeSpaceText(const QString& path)
{
    if (path.isEmpty())
        return {};
    const QString folder = NearestExistingFolder(path);
    if (folder.isEmpty())
        return {};
    const QStorageInfo storage(folder);
    if (!storage.isValid() || !storage.isReady())
        return {};
    return FormatFreeSpace(storage.bytesAvailable());
}

} // namespace paths
