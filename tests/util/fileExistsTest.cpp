#include "util/paths.h"

#include "support/printQString.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

namespace {

TEST(FileExists, OnlyForFilesThatCanBeRead)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("ARC.LZH"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Folder.LZH")));

    EXPECT_TRUE(paths::FileExists(file));
    EXPECT_FALSE(paths::FileExists(dir.filePath(QStringLiteral("MISSING.LZH"))));
    EXPECT_FALSE(paths::FileExists(dir.filePath(QStringLiteral("Folder.LZH"))));
    EXPECT_FALSE(paths::FileExists(QString()));
}

TEST(FileExists, FalseForANamedPipeWithoutWaitingForAWriter)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString pipe = dir.filePath(QStringLiteral("PIPE.LZH"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_FALSE(paths::FileExists(pipe));
}

TEST(FileExists, FalseForAFileThatCannotBeOpened)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the super-user";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("LOCKED.LZH"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    ASSERT_TRUE(f.setPermissions(QFileDevice::WriteOwner));
    EXPECT_FALSE(paths::FileExists(file));
}

} // namespace
