// Rebuilding a path from the names the file system stores.
#include "util/basAll.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

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

// The name under which `folder` stores `name`, which must exist as given:
// the exact spelling, or on a case-insensitive mount the spelling the folder
// keeps. Empty when nothing answers to `name`. A case-sensitive folder never
// hands out another file that merely differs in case.
QString StoredName(const QString& folder, const QString& name)
{
    const QDir dir(folder);
    if (!QFileInfo::exists(dir.filePath(name)))
        return {};
    // When the same name in the other case is absent, the folder tells cases
    // apart and stores the name exactly as given; that saves listing a large
    // folder once per file.
    const QString turned = WithCaseTurned(name);
    if (turned == name || !QFileInfo::exists(dir.filePath(turned)))
        return name;
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
    const QStringList components = QDir::cleanPath(path).split(u'/', Qt::SkipEmptyParts);
    if (components.size() + 1 > kMaximumComponents)
        return {};
    QString result = QStringLiteral("/");
    for (const QString& component : components) {
        const QString stored = StoredName(result, component);
        if (stored.isEmpty())
            return {};
        if (!result.endsWith(u'/'))
            result += u'/';
        result += stored;
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
