#include "lists/archiveTypes.h"

#include "core/options.h"
#include "util/paths.h"

ArchiveTypes ArchiveTypes::Current(const archiver::Libraries& libraries)
{
    ArchiveTypes types;
    const options::Options& current = options::Current();
    types.lzhUsable = current.convertLzh && libraries.unlha;
    types.cabUsable = current.convertCab && libraries.cab;
    types.lzhExe = current.convertLzhExe;
    types.cabExe = current.convertCabExe;
    types.lzhX = current.convertLzhX;
    types.lzhLha = current.convertLzhLha;
    return types;
}

QString ArchiveTypes::MakePattern() const
{
    QString pattern;
    if (lzhUsable)
        pattern = QStringLiteral("*.LZH");
    if (cabUsable)
        pattern = pattern.isEmpty() ? QStringLiteral("*.CAB") : pattern + QStringLiteral(";*.CAB");
    if ((lzhUsable && lzhExe) || (cabUsable && cabExe))
        pattern += QStringLiteral(";*.EXE");
    if (lzhUsable) {
        if (lzhX)
            pattern += QStringLiteral(";*.X");
        if (lzhLha)
            pattern += QStringLiteral(";*.LHA");
    }
    return pattern.isEmpty() ? QString::fromLatin1(NoFilesPattern) : pattern;
}

bool ArchiveTypes::AcceptsType(const QString& path) const
{
    const QString extension = paths::UpperCaseName(paths::GetExtension(path, false, false));
    if (extension == u".LZH")
        return lzhUsable;
    if (extension == u".LHA")
        return lzhUsable && lzhLha;
    if (extension == u".CAB")
        return cabUsable;
    if (extension == u".EXE")
        return (lzhUsable && lzhExe) || (cabUsable && cabExe);
    if (extension == u".X")
        return lzhUsable && lzhX;
    return false;
}
