// Where temporary files go and where the archiver libraries are.
#include "util/paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace paths {

QString GetTempDir()
{
    QString dir = QDir::tempPath();
    if (!dir.endsWith(u'/'))
        dir += u'/';
    return dir;
}

QString GetSystemDir()
{
    // The kernel's link to the running program works before (and without) a
    // QCoreApplication, which the automatic run and the tests may not have.
    const QString executable = QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
    if (executable.isEmpty())
        return {};
    return QDir::cleanPath(QFileInfo(executable).absolutePath() + QStringLiteral("/../" TB_SYSTEM_DIR_NAME));
}

} // namespace paths
