#include "platform/storageDrives.h"

#include <QStorageInfo>

#include <algorithm>

namespace platform {

namespace {

const QStringList kPseudoTypes = {
    QStringLiteral("autofs"),      QStringLiteral("binfmt_misc"), QStringLiteral("bpf"),
    QStringLiteral("cgroup"),      QStringLiteral("cgroup2"),     QStringLiteral("configfs"),
    QStringLiteral("debugfs"),     QStringLiteral("devpts"),      QStringLiteral("devtmpfs"),
    QStringLiteral("efivarfs"),    QStringLiteral("fusectl"),     QStringLiteral("hugetlbfs"),
    QStringLiteral("mqueue"),      QStringLiteral("nsfs"),        QStringLiteral("proc"),
    QStringLiteral("pstore"),      QStringLiteral("ramfs"),       QStringLiteral("rpc_pipefs"),
    QStringLiteral("securityfs"),  QStringLiteral("selinuxfs"),   QStringLiteral("squashfs"),
    QStringLiteral("sysfs"),       QStringLiteral("tracefs"),     QStringLiteral("fuse.gvfsd-fuse"),
    QStringLiteral("fuse.portal"),
};

// Places where the system keeps its runtime state; removable media mounted
// under /run/media stay visible.
bool IsSystemPlace(const QString& rootPath)
{
    for (const char* place : {"/proc", "/sys", "/dev", "/run", "/snap", "/boot/efi"}) {
        const QString prefix = QLatin1String(place);
        if (rootPath == prefix || rootPath.startsWith(prefix + QLatin1Char('/'))) {
            return !rootPath.startsWith(QLatin1String("/run/media/"));
        }
    }
    return false;
}

} // namespace

bool StorageDrives::IsUserFileSystem(const QString& fileSystemType, const QString& rootPath)
{
    return !kPseudoTypes.contains(fileSystemType) && !IsSystemPlace(rootPath);
}

QList<Drive> StorageDrives::MountedDrives()
{
    QList<Drive> drives;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady())
            continue;
        if (!IsUserFileSystem(QString::fromLatin1(volume.fileSystemType()), volume.rootPath()))
            continue;
        drives.append(Drive{volume.rootPath(), volume.name()});
    }
    std::sort(drives.begin(), drives.end(),
              [](const Drive& a, const Drive& b) { return a.rootPath < b.rootPath; });
    drives.erase(std::unique(drives.begin(), drives.end(),
                             [](const Drive& a, const Drive& b) { return a.rootPath == b.rootPath; }),
                 drives.end());
    return drives;
}

} // namespace platform
