#include "util/paths.h"

#include "support/printQString.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

TEST(GetTempDir, FollowsTmpdirAndEndsWithASeparator)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const bool wasSet = qEnvironmentVariableIsSet("TMPDIR");
    const QByteArray previous = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(dir.path()));
    const QString chosen = paths::GetTempDir();
    qputenv("TMPDIR", QFile::encodeName(QStringLiteral("/")));
    const QString root = paths::GetTempDir();
    // An empty TMPDIR is not an unset one: later tests in this process
    // would find no temporary folder.
    if (wasSet)
        qputenv("TMPDIR", previous);
    else
        qunsetenv("TMPDIR");

    EXPECT_EQ(chosen, dir.path() + u'/');
    EXPECT_EQ(root, QStringLiteral("/"));
}

TEST(GetSystemDir, IsTheLibraryFolderBesideTheProgramsFolder)
{
    // Test programs are built into bin/ of the build tree, which mirrors the
    // installed layout.
    const QString systemDir = paths::GetSystemDir();
    EXPECT_EQ(systemDir, QDir::cleanPath(systemDir));
    EXPECT_TRUE(QFileInfo(systemDir).isAbsolute());
    EXPECT_TRUE(systemDir.endsWith(QStringLiteral("/lib/tollbrook2")));
    EXPECT_EQ(QFileInfo(systemDir).canonicalFilePath(),
              QFileInfo(QStringLiteral(TB_BINARY_DIR "/lib/tollbrook2")).canonicalFilePath());
}

TEST(GetManualDir, IsTheManualFolderOfTheSameTree)
{
    const QString manualDir = paths::GetManualDir();
    EXPECT_TRUE(manualDir.endsWith(QStringLiteral("/share/tollbrook2/manual")));
    EXPECT_TRUE(QFileInfo::exists(manualDir + QStringLiteral("/manual.html")))
        << "the build copies the manual where the program looks for it";
    EXPECT_EQ(QFileInfo(manualDir).canonicalFilePath(),
              QFileInfo(QStringLiteral(TB_BINARY_DIR "/share/tollbrook2/manual")).canonicalFilePath());
}

} // namespace
