#include "lists/inFileTypes.h"

#include "core/options.h"
#include "util/basAll.h"

InFileTypes InFileTypes::Current(const archiver::Libraries& libraries)
{
    InFileTypes types;
    types.lzhUsable = basTollbrook::Lzh && libraries.UnlhaAvailable;
    types.cabUsable = basTollbrook::Cab && libraries.CabAvailable;
    types.lzhExe = basTollbrook::Lzh_Exe;
    types.cabExe = basTollbrook::Cab_Exe;
    types.lzhX = basTollbrook::Lzh_X;
    types.lzhLha = basTollbrook::Lzh_Lha;
    return types;
}

QString InFileTypes::Pattern_Make() const
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

bool InFileTypes::Exp_Check(const QString& path) const
{
    const QString extension = basAll::UpperCaseName(basAll::GetExtension(path, false, false));
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
