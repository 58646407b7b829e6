// Rebuilding a path from the names the file system stores.
#include "util/paths.h"

#include <QDir>
#include <QByteArrayView>
#include <QFile>
#include <QFileInfo>
#include <QElapsedTimer>
#include <QHash>
#include <QMutex>
#include <QSet>
#include <QStringList>

#include <optional>

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

// What was found out about folders a moment ago. A list of archives names
// the same folders over and over: each folder's spelling, and the listing of
// a folder that holds many of the names or does not tell cases apart, are
// looked up once and then taken from here for a short while. What they
// answer is only a name's spelling: whether a file exists is always asked
// anew.
class FolderMemory {
public:
    struct Listing {
        QStringList entries; // in name order
        QSet<QString> names; // the same, to look one up at once
    };

    static FolderMemory& Instance()
    {
        static FolderMemory memory;
        return memory;
    }

    std::optional<QString> Spelling(const QString& folder)
    {
        const QMutexLocker lock(&mutex_);
        const auto it = spellings_.constFind(folder);
        if (it == spellings_.constEnd() || !Fresh(it->at))
            return std::nullopt;
        return it->value;
    }

    void RememberSpelling(const QString& folder, const QString& spelling)
    {
        const QMutexLocker lock(&mutex_);
        Remember(spellings_, folder, {clock_.elapsed(), spelling});
    }

    // The folder's entries, listed now or a moment ago.
    Listing Entries(const QString& folder)
    {
        const QMutexLocker lock(&mutex_);
        const auto it = listings_.constFind(folder);
        if (it != listings_.constEnd() && Fresh(it->at))
            return it->value;
        Listing listing;
        listing.entries = QDir(folder).entryList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
        listing.names = QSet<QString>(listing.entries.cbegin(), listing.entries.cend());
        Remember(listings_, folder, {clock_.elapsed(), listing});
        return listing;
    }

private:
    // Long enough for one list of names, short enough that a renamed folder
    // is soon seen under its new spelling.
    static constexpr qint64 kLifetimeMs = 2000;
    static constexpr qsizetype kMostFolders = 256;

    template <typename T>
    struct Stamped {
        qint64 at;
        T value;
    };

    FolderMemory() { clock_.start(); }

    bool Fresh(qint64 at) const { return clock_.elapsed() - at < kLifetimeMs; }

    template <typename T>
    static void Remember(QHash<QString, Stamped<T>>& memory, const QString& folder, Stamped<T> what)
    {
        if (memory.size() >= kMostFolders)
            memory.clear();
        memory.insert(folder, std::move(what));
    }

    QMutex mutex_;
    QElapsedTimer clock_;
    QHash<QString, Stamped<QString>> spellings_;
    QHash<QString, Stamped<Listing>> listings_;
};

// The spelling a case-insensitive `folder` keeps for `name`; `name` itself
// when the folder holds that exact spelling or cannot be listed.
QString ListedSpelling(const QString& folder, const QString& name)
{
    const FolderMemory::Listing listing = FolderMemory::Instance().Entries(folder);
    if (listing.names.contains(name))
        return name;
    for (const QString& entry : listing.entries) {
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

// The stored spelling of `name` in the folder `given` (as the caller spells
// it; `stored` as the file system does). Only when the same name in the other
// case exists too can the folder fail to tell cases apart: then the folder is
// listed to find the spelling it keeps. A case-insensitive folder resolves
// the given spelling of the folders above it as well as the stored one, so
// the probe is made on the path as given.
QString StoredName(const QString& given, const QString& stored, const QString& name)
{
    const QByteArray encodedName = QFile::encodeName(name);
    const QByteArray turned = EncodedWithCaseTurned(name, encodedName);
    if (turned.isEmpty() || !Exists(QFile::encodeName(given) + '/' + turned))
        return name;
    return ListedSpelling(stored.isEmpty() ? QStringLiteral("/") : stored, name);
}

// The stored spelling of a folder that exists, given cleaned and absolute
// ("" for the root).
QString StoredFolder(const QString& folder)
{
    if (folder.isEmpty())
        return folder;
    FolderMemory& memory = FolderMemory::Instance();
    if (const std::optional<QString> known = memory.Spelling(folder))
        return *known;
    const qsizetype slash = folder.lastIndexOf(u'/');
    const QString parent = folder.left(slash);
    const QString storedParent = StoredFolder(parent);
    const QString stored = storedParent + u'/' + StoredName(parent, storedParent, folder.mid(slash + 1));
    memory.RememberSpelling(folder, stored);
    return stored;
}

QString PosixLongPath(const QString& path)
{
    if (!path.startsWith(u'/'))
        return {};
    // A trailing separator names what stands before it, file or folder.
    qsizetype end = path.size();
    while (end > 1 && path[end - 1] == u'/')
        --end;
    // Resolving the path as given looks up every component as it is written
    // ("missing/.." included), so one call tells whether each of them exists.
    if (!Exists(QFile::encodeName(QStringView(path).left(end).toString())))
        return {};
    const QString cleaned = HasDotComponent(path) ? WithoutDotComponents(path) : QDir::cleanPath(path);
    if (cleaned.size() == 1)
        return cleaned;
    if (cleaned.count(u'/') + 1 > kMaximumComponents)
        return {};
    // The folders above are the same for every file of a list: their
    // spelling is remembered a short while. When a name in the same folder
    // was asked within that while, the folder is listed once and a name it
    // holds exactly is its own stored spelling, on any file system; a lone
    // name is probed instead of listing a folder of any size, and so is a
    // name the listing lacks (made since, or written in another case).
    FolderMemory& memory = FolderMemory::Instance();
    const qsizetype slash = cleaned.lastIndexOf(u'/');
    const QString folder = cleaned.left(slash);
    const QString name = cleaned.mid(slash + 1);
    const std::optional<QString> known = memory.Spelling(folder);
    const QString storedFolder = known ? *known : StoredFolder(folder);
    if (known && memory.Entries(storedFolder).names.contains(name))
        return storedFolder + u'/' + name;
    return storedFolder + u'/' + StoredName(folder, storedFolder, name);
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
