// Where temporary files go, where the archiver libraries, the manual and the
// translations are.
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

namespace {

// A folder given relative to the installation's root: the folder above the
// program's bin/, or the one holding the system folder where the running
// program is the worker that lives there. Empty when the executable cannot
// be located.
QString BesideTheProgram(const QString& relative)
{
    // The kernel's link to the running program works before (and without) a
    // QCoreApplication, which the automatic run and the tests may not have.
    const QString executable = QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
    if (executable.isEmpty())
        return {};
    const QString folder = QFileInfo(executable).absolutePath();
    const QString system = QStringLiteral("/" TB_SYSTEM_DIR_NAME);
    const QString root =
        folder.endsWith(system) ? folder.chopped(system.size()) : folder + QStringLiteral("/..");
    return QDir::cleanPath(root + u'/' + relative);
}

} // namespace

QString GetSystemDir()
{
    return BesideTheProgram(QStringLiteral(TB_SYSTEM_DIR_NAME));
}

QString GetManualDir()
{
    return BesideTheProgram(QStringLiteral(TB_MANUAL_DIR_NAME));
}

QString GetTranslationsDir()
{
    return BesideTheProgram(QStringLiteral(TB_TRANSLATIONS_DIR_NAME));
}

} // namespace paths
