#include <gtest/gtest.h>

#include <ostream>

#include <QDir>

#include "platform/storageDrives.h"

namespace {

struct MountCase {
    const char* name;
    QString type;
    QString root;
    bool shown;
    // Names the case in test listings instead of dumping its bytes.
    friend void PrintTo(const MountCase& c, std::ostream* os) { *os << c.name; }
};

class MountFilter : public ::testing::TestWithParam<MountCase> {};

TEST_P(MountFilter, ShowsOnlyFileSystemsWithUserFiles)
{
    EXPECT_EQ(platform::StorageDrives::IsUserFileSystem(GetParam().type, GetParam().root), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Mounts, MountFilter,
    ::testing::Values(
        MountCase{"RootExt4", QStringLiteral("ext4"), QStringLiteral("/"), true},
        MountCase{"ContainerRoot", QStringLiteral("overlay"), QStringLiteral("/"), true},
        MountCase{"HomeBtrfs", QStringLiteral("btrfs"), QStringLiteral("/home"), true},
        MountCase{"UsbStick", QStringLiteral("vfat"), QStringLiteral("/run/media/u/STICK"), true},
        MountCase{"TmpInMemory", QStringLiteral("tmpfs"), QStringLiteral("/tmp"), true},
        MountCase{"Proc", QStringLiteral("proc"), QStringLiteral("/proc"), false},
        MountCase{"Sysfs", QStringLiteral("sysfs"), QStringLiteral("/sys"), false},
        MountCase{"Cgroups", QStringLiteral("cgroup2"), QStringLiteral("/sys/fs/cgroup"), false},
        MountCase{"DevShm", QStringLiteral("tmpfs"), QStringLiteral("/dev/shm"), false},
        MountCase{"RunUser", QStringLiteral("tmpfs"), QStringLiteral("/run/user/1000"), false},
        MountCase{"Snap", QStringLiteral("squashfs"), QStringLiteral("/snap/core/1"), false},
        MountCase{"Runner", QStringLiteral("ext4"), QStringLiteral("/runner"), true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StorageDrivesTest, TheRootOfThisMachineIsListedOnce)
{
    platform::StorageDrives drives;
    const QList<platform::Drive> mounted = drives.MountedDrives();
    int roots = 0;
    for (const platform::Drive& drive : mounted) {
        if (drive.rootPath == QDir::rootPath())
            ++roots;
        EXPECT_FALSE(drive.rootPath.startsWith(QStringLiteral("/proc")));
    }
    EXPECT_EQ(roots, 1);
}

} // namespace
