// Rebuilding a path from the names the file system stores.
#include "util/paths.h"

#include <QDir>
#include <QByteArrayView>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <sys/stat.h>

namespace paths {
namespace {

// Deeper paths than this, root included, get no answer.
constexpr qsizetype kMaximumComponents = 256;

// `name` with the case of every letter turned over (simple mappings, the
// ones a case-insensitive file system folds with).
QString WithCaseTurned(QStringView name)
{
    QString turned = name.toString();
    for (QChar& c : turned)
        c = c.isLower() ? c.toUpper() : c.toLower();
    return turned;
}

// The encoded form of `name` with its case turned over, or empty when
// turning changes nothing. ASCII names, the usual case, are turned byte by
// byte without a round trip through the text codec.
QByteArray EncodedWithCaseTurned(QStringView name, QByteArrayView encodedName)
{
    bool ascii = true;
    bool hasLetter = false;
    for (const char byte : encodedName) {
        if (static_cast<unsigned char>(byte) >= 0x80) {
            ascii = false;
            break;
        }
        hasLetter = hasLetter || (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z');
    }
    if (ascii) {
        if (!hasLetter)
            return {};
        QByteArray turned = encodedName.toByteArray();
        for (char& byte : turned) {
            if (byte >= 'a' && byte <= 'z')
                byte = char(byte - 'a' + 'A');
            else if (byte >= 'A' && byte <= 'Z')
                byte = char(byte - 'A' + 'a');
        }
        return turned;
    }
    const QString turned = WithCaseTurned(name);
    return turned == name ? QByteArray() : QFile::encodeName(turned);
}

// Whether the encoded path names something (symbolic links followed).
bool Exists(const QByteArray& encodedPath)
{
    struct stat status;
    return ::stat(encodedPath.constData(), &status) == 0;
}

// The spelling a case-insensitive `folder` keeps for `name`; `name` itself
// when the folder holds that exact spelling or cannot be listed.
QString ListedSpelling(const QString& folder, const QString& name)
{
    const QStringList entries = QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    if (entries.contains(name))
        return name;
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    // A folder that may be entered but not listed answers for the name as given.
    return name;
}

// The path without "." and ".." components, each ".." taken as the file
// system takes it: the real parent of the folder reached so far, even when
// that folder was reached through a symbolic link.
QString WithoutDotComponents(const QString& path)
{
    QString result;
    for (const QStringView component : QStringView(path).split(u'/', Qt::SkipEmptyParts)) {
        if (component == u".")
            continue;
        if (component == u"..")
            result = QFileInfo((result.isEmpty() ? QStringLiteral("/") : result) + QStringLiteral("/.."))
                         .canonicalFilePath();
        else
            result += u'/' + component.toString();
        if (result == u"/")
            result.clear();
    }
    return result.isEmpty() ? QStringLiteral("/") : result;
}

bool HasDotComponent(const QString& path)
{
    return path.contains(QStringLiteral("/./")) || path.contains(QStringLiteral("/../"))
        || path.endsWith(QStringLiteral("/.")) || path.endsWith(QStringLiteral("/.."));
}

QString PosixLongPath(const QString& path)
{
    if (!path.startsWith(u'/'))
        return {};
    // Resolving the path as given looks up every component as it is written
    // ("missing/.." included), so one call tells whether each of them exists.
    // A trailing separator names what stands before it, file or folder.
    qsizetype end = path.size();
    while (end > 1 && path[end - 1] == u'/')
        --end;
    if (!Exists(QFile::encodeName(QStringView(path).left(end).toString())))
        return {};
    const QString cleaned = HasDotComponent(path) ? WithoutDotComponents(path) : QDir::cleanPath(path);
    const qsizetype components = cleaned.size() == 1 ? 0 : cleaned.count(u'/');
    if (components + 1 > kMaximumComponents)
        return {};
    const QByteArray encoded = QFile::encodeName(cleaned);

    // Each component then only needs to know whether its folder tells cases
    // apart: when the same name in the other case is absent, the folder
    // stores the name exactly as given, which saves listing a large folder
    // once per file. A case-insensitive folder resolves the given spelling
    // of the folders above it as well as the stored one, so the probe is made
    // on the path as given. The encoding keeps every '/' a single byte, so
    // both forms split at the same separators.
    QString result = cleaned;
    qsizetype shift = 0; // how much longer result has become than cleaned
    qsizetype start = 1, encodedStart = 1;
    for (qsizetype i = 0; i < components; ++i) {
        qsizetype end = cleaned.indexOf(u'/', start);
        qsizetype encodedEnd = encoded.indexOf('/', encodedStart);
        if (end < 0) {
            end = cleaned.size();
            encodedEnd = encoded.size();
        }
        const QStringView name = QStringView(cleaned).mid(start, end - start);
        const QByteArray turned = EncodedWithCaseTurned(
            name, QByteArrayView(encoded.constData() + encodedStart, encodedEnd - encodedStart));
        if (!turned.isEmpty()) {
            QByteArray probe;
            probe.reserve(encodedStart + turned.size());
            probe.append(encoded.constData(), encodedStart).append(turned);
            if (Exists(probe)) {
                const QString folder = result.left(start + shift - 1);
                const QString stored =
                    ListedSpelling(folder.isEmpty() ? QStringLiteral("/") : folder, name.toString());
                result.replace(start + shift, name.size(), stored);
                shift += stored.size() - name.size();
            }
        }
        start = end + 1;
        encodedStart = encodedEnd + 1;
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

} // namespace paths
