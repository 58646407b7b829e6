#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// Path and file-name helpers. Every routine is a pure function over strings
// (apart from the ones that ask the file system); none reports an error: an
// empty result (false for FileExists) means "no answer".
//
// The name helpers work in either path style so the same rules serve Windows
// paths ("C:\A\B.LZH", root "X:\") and POSIX paths ("/a/B.LZH", root "/").
namespace paths {

enum class PathStyle { Windows, Posix }; // Windows: '\\' separators, "X:\\" roots; Posix: '/'
inline constexpr PathStyle HostStyle = PathStyle::Posix;

// The temporary folder, ending with '/'.
QString GetTempDir();

// The folder that holds the archiver libraries: <folder of the running
// executable>/../lib/tollbrook2, cleaned, without a trailing '/'; empty when
// the executable cannot be located. Needs no QCoreApplication.
QString GetSystemDir();

// The folder that holds the user manual: <folder of the running
// executable>/../share/tollbrook2/manual, cleaned, in the same form.
QString GetManualDir();

// The folder that holds the compiled translations of the windows' texts:
// <folder of the running executable>/../share/tollbrook2/translations.
QString GetTranslationsDir();

// " (1,500.0M Free)" for the file system holding `path`; empty when the free
// space is unknown or zero.
QString GetFreeSpaceText(const QString& path);

// The formatting step of GetFreeSpaceText: megabytes (2^20 bytes) rounded to
// the nearest tenth, grouped with commas whatever the user's locale, as
// " (1,500.0M Free)"; empty for zero or less.
QString FormatFreeSpace(qint64 freeBytes);

// A path of five or more pieces shortened for display to its first two
// pieces, "..." plus the separator, and its last two pieces.
QString ShortenPath(const QString& path, PathStyle style = HostStyle);

// The part after the last separator; empty when there is none or the path
// ends with one.
QString GetFileName(const QString& path, PathStyle style = HostStyle);

// The file name without its extension. `tarFlag` treats ".TAR.GZ", ".TAR.Z",
// ".TAR.BZ2" and `doubleArchiveFlag` ".LZH.LZH", ".LZH.ZIP", ".ZIP.LZH",
// ".ZIP.ZIP" (any case) as one extension.
QString GetBaseName(const QString& path, bool tarFlag, bool doubleArchiveFlag, PathStyle style = HostStyle);

// The part before the last separator; a bare root keeps its separator
// ("C:\" for "C:\F.LZH", "/" for "/F.LZH"); empty when there is no separator.
QString GetFolderPart(const QString& path, PathStyle style = HostStyle);

// The extension with its leading full stop, in the path's own case; a full
// stop in a folder name never counts. Flags as for GetBaseName.
QString GetExtension(const QString& path, bool tarFlag, bool doubleArchiveFlag, PathStyle style = HostStyle);

// The path rebuilt from the names under which the file system stores each
// component; a trailing separator is dropped; empty when a component is
// missing or the path is not absolute.
//
// Posix: every component must exist as it is written, so "missing/../a.lzh"
// gives the empty string; doubled separators and "." are then dropped and a
// ".." leads to the real parent folder, as the file system resolves it; "/"
// alone stays "/". Each component
// is looked up in its folder: the exact name when it is stored so, otherwise
// the stored spelling of a name that matches ignoring case (the first in name
// order when several do).
// Windows: there is no Windows file system to ask, so only the answers that
// need none are given: a bare drive root is upper-cased ("c:\" -> "C:\"),
// everything else gives the empty string.
QString GetLongPath(const QString& path, PathStyle style = HostStyle);

// The text upper-cased, except that full-width a-z (U+FF41-U+FF5A), Greek
// alpha-omega (U+03B1-U+03C9) and Cyrillic a-ya (U+0430-U+044F) stay small.
QString UpperCaseName(const QString& text);

// True when `path` names a regular file that can be opened for reading; a
// folder, a device or a named pipe gives false.
bool FileExists(const QString& path);

// Writes bytes as the whole content of `path`. Normally through a scratch
// file renamed over the old file, which a failed write leaves as it was, and
// which takes the old file's owner and mode. When the folder allows no new
// file, or the owner cannot be given to a new file, the old file is written
// in place. False when the file could not be written.
bool WriteFileReplacing(const QString& path, const QByteArray& bytes);

} // namespace paths
