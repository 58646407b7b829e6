#include "core/outputFolder.h"

#include "core/settings.h"
#include "util/paths.h"

#include <QFileInfo>

namespace core {

QString OutputStartFolder(const QString& currentFolder)
{
    const settings::Location& from = settings::GeometryLocation(QStringLiteral("OutDir_Left"));
    const QString fixed = settings::ReadText(from, QStringLiteral("Dir_Out"), currentFolder);
    bool fixedInForce = true;
    settings::ReadBoolean(from, QStringLiteral("Dir_Out_Yuko"), true, fixedInForce);
    const QString last = settings::ReadText(from, QStringLiteral("OldDir_Out"), currentFolder);

    const QFileInfo start(fixedInForce ? fixed : last);
    const QString opened =
        start.isAbsolute() && start.isDir() && start.isReadable() ? start.filePath() : currentFolder;
    const QString longForm = paths::GetLongPath(opened);
    return longForm.isEmpty() ? currentFolder : longForm;
}

} // namespace core
