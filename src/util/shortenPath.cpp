// Shortening a long path for display.
#include "util/paths.h"
#include "util/pathStyle.h"

#include <QStringList>

namespace paths {
namespace {

// Paths of this many pieces or fewer are short enough to show whole.
constexpr qsizetype kMaximumUnshortenedPieces = 4;
// Deeper paths than this are shown whole rather than guessed at.
constexpr qsizetype kMaximumPieces = 256;

// Each piece runs up to and including a separator; the rest after the last
// separator (possibly empty) is the final piece.
QStringList CutIntoPieces(const QString& path, QChar sep)
{
    QStringList pieces;
    if (path.isEmpty())
        return pieces;
    qsizetype start = 0;
    for (qsizetype sepAt = path.indexOf(sep); sepAt >= 0; sepAt = path.indexOf(sep, start)) {
        pieces += path.mid(start, sepAt - start + 1);
        start = sepAt + 1;
    }
    pieces += path.mid(start);
    return pieces;
}

} // namespace

QString ShortenPath(const QString& path, PathStyle style)
{
    const QChar sep = Separator(style);
    const QStringList pieces = CutIntoPieces(path, sep);
    if (pieces.size() <= kMaximumUnshortenedPieces || pieces.size() > kMaximumPieces)
        return path;
    const qsizetype last = pieces.size() - 1;
    return pieces[0] + pieces[1] + QStringLiteral("...") + sep + pieces[last - 1] + pieces[last];
}

} // namespace paths
