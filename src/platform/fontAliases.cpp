#include "platform/fontAliases.h"

#include "util/paths.h"

#include <QDir>
#include <QFile>

#include <fontconfig/fontconfig.h>

namespace platform {

bool LoadFontAliases(const QString& rulesFile)
{
    if (!QFile::exists(rulesFile) || !FcInit())
        return false;
    const QByteArray name = QFile::encodeName(rulesFile);
    return FcConfigParseAndLoad(FcConfigGetCurrent(), reinterpret_cast<const FcChar8*>(name.constData()),
                                FcTrue)
        == FcTrue;
}

QString InstalledFontRules()
{
    const QString systemFolder = paths::GetSystemDir();
    if (systemFolder.isEmpty())
        return {};
    return QDir::cleanPath(systemFolder + QStringLiteral("/../../share/tollbrook2/fontconfig.conf"));
}

} // namespace platform
