// Rebuilding a path from the names the file system stores.
#include "util/basAll.h"

#include <QDir>
#include <QFile>
#include <QStringList>

#include <sys/stat.h>

namespace basAll {
namespace {

// Deeper paths than this, root included, get no answer.
constexpr qsizetype kMaximumComponents = 256;

// `name` with the case of every letter turned over (simple mappings, the
// ones a case-insensitive file system folds with).
QString WithCaseTurned(const QString& name)
{
    QString turned = name;
    for (QChar& c : turned)
        c = c.isLower() ? c.toUpper() : c.toLower();
    return turned;
}

// Whether the encoded path names something (symbolic links followed).
bool Exists(const QByteArray& encodedPath)
{
    struct stat status;
    return ::stat(encodedPath.constData(), &status) == 0;
}

// The name under which `folder` (encoded: `encodedFolder`) stores `name`,
// which is known to exist: the exact spelling, or on a case-insensitive
// mount the spelling the folder keeps. A case-sensitive folder never hands
// out another file that merely differs in case.
QString StoredName(const QString& folder, const QByteArray& encodedFolder, const QString& name)
{
    // When the same name in the other case is absent, the folder tells cases
    // apart and stores the name exactly as given; that saves listing a large
    // folder once per file. Names without cased letters need no probe.
    const QString turned = WithCaseTurned(name);
    if (turned == name)
        return name;
    QByteArray probe = encodedFolder;
    if (!probe.endsWith('/'))
        probe += '/';
    probe += QFile::encodeName(turned);
    if (!Exists(probe))
        return name;
    const QDir dir(folder);
    const QStringList entries =
        dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                      QDir::Name);
    if (entries.contains(name))
        return name;
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    // A folder that may be entered but not listed answers for the name as given.
    return name;
}

QString PosixLongPath(const QString& path)
{
    if (!path.startsWith(u'/'))
        return {};
    const QString cleaned = QDir::cleanPath(path);
    const QStringList components = cleaned.split(u'/', Qt::SkipEmptyParts);
    if (components.size() + 1 > kMaximumComponents)
        return {};
    // Resolving the whole path looks up every component as given, so one
    // call tells whether each of them exists.
    if (!Exists(QFile::encodeName(cleaned)))
        return {};
    QString result = QStringLiteral("/");
    QByteArray encodedResult = "/";
    for (const QString& component : components) {
        const QString stored = StoredName(result, encodedResult, component);
        if (!result.endsWith(u'/')) {
            result += u'/';
            encodedResult += '/';
        }
        result += stored;
        encodedResult += QFile::encodeName(stored);
    }
    return result;
}

// Without a Windows file system only a bare drive root can be answered.
QString WindowsLongPath(const QString& path)
{
    const bool hasDriveRoot = path.size() >= 3 && path[1] == u':' && path[2] == u'\\';
    if (hasDriveRoot && path.size() == 3)
        return path.toUpper();
    return {};
}

} // namespace

QString GetLongPath(const QString& path, PathStyle style)
{
    return style == PathStyle::Windows ? WindowsLongPath(path) : PosixLongPath(path);
}

} // namespace basAll
