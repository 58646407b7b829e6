// Splitting a path into folder, file name, base name and extension.
#include "util/paths.h"
#include "util/pathStyle.h"

#include <QStringList>

namespace paths {
namespace {

const QStringList kTarExtensions = {QStringLiteral(".TAR.GZ"), QStringLiteral(".TAR.Z"),
                                    QStringLiteral(".TAR.BZ2")};
const QStringList kDoubleArchiveExtensions = {QStringLiteral(".LZH.LZH"), QStringLiteral(".LZH.ZIP"),
                                              QStringLiteral(".ZIP.LZH"), QStringLiteral(".ZIP.ZIP")};

// A two-part extension is only considered when the last full stop has at
// least five characters before it ("A.TAR.GZ" is the shortest such name).
constexpr qsizetype kTwoPartMinimumDotIndex = 5;
// Length of the first part (".TAR", ".LZH", ".ZIP") of a two-part extension.
constexpr qsizetype kFirstPartLength = 4;

// Whether `text`, ending in a full stop at `dotIndex` and what follows it,
// carries a two-part extension that one of the flags asks to keep whole.
bool HasTwoPartExtension(const QString& text, qsizetype dotIndex, bool tarFlag, bool doubleArchiveFlag)
{
    if (dotIndex < kTwoPartMinimumDotIndex)
        return false;
    const QString tail = text.mid(dotIndex - kFirstPartLength).toUpper();
    return (tarFlag && kTarExtensions.contains(tail))
        || (doubleArchiveFlag && kDoubleArchiveExtensions.contains(tail));
}

} // namespace

QString GetFileName(const QString& path, PathStyle style)
{
    const qsizetype sep = path.lastIndexOf(Separator(style));
    if (sep < 0)
        return {};
    return path.mid(sep + 1);
}

QString GetBaseName(const QString& path, bool tarFlag, bool doubleArchiveFlag, PathStyle style)
{
    const QString name = GetFileName(path, style);
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0)
        return name;
    if (HasTwoPartExtension(name, dot, tarFlag, doubleArchiveFlag))
        return name.left(dot - kFirstPartLength);
    return name.left(dot);
}

QString GetFolderPart(const QString& path, PathStyle style)
{
    const qsizetype sep = path.lastIndexOf(Separator(style));
    if (sep < 0)
        return {};
    QString folder = path.left(sep);
    if (style == PathStyle::Windows && folder.size() == 2 && folder.endsWith(u':'))
        folder += Separator(style);
    else if (style == PathStyle::Posix && folder.isEmpty())
        folder = Separator(style);
    return folder;
}

QString GetExtension(const QString& path, bool tarFlag, bool doubleArchiveFlag, PathStyle style)
{
    const QChar sep = Separator(style);
    for (qsizetype i = path.size() - 1; i >= 0; --i) {
        if (path[i] == sep)
            return {};
        if (path[i] == u'.') {
            if (HasTwoPartExtension(path, i, tarFlag, doubleArchiveFlag))
                return path.mid(i - kFirstPartLength);
            return path.mid(i);
        }
    }
    return {};
}

} // namespace paths
