#include "util/paths.h"

#include "support/fileBytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using testSupport::ReadBytes;
using testSupport::WriteBytes;

constexpr uid_t kNobody = 65534;

struct stat StatOf(const QString& path)
{
    struct stat s {};
    EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &s), 0) << path.toStdString();
    return s;
}

// Runs `write` as a user who may write a file of `folder` (owned by nobody
// when the test runs as root) but not create files beside it: as root in a
// child process turned into nobody, otherwise with the folder made read-only
// for the time of the call.
bool WriteAsSomeoneWhoCannotCreateFiles(const QString& folder, const std::function<bool()>& write)
{
    if (::geteuid() != 0) {
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        const bool written = write();
        QFile::setPermissions(folder,
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        return written;
    }
    EXPECT_EQ(::chmod(QFile::encodeName(folder).constData(), 0755), 0);
    // The folders above may be passed through.
    EXPECT_EQ(::chmod(QFile::encodeName(QFileInfo(folder).path()).constData(), 0711), 0);
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(::setgid(kNobody) == 0 && ::setuid(kNobody) == 0 && write() ? 0 : 1);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

class WriteFileReplacing : public ::testing::Test {
protected:
    QString Path(const char* name) const { return dir.path() + u'/' + QString::fromLatin1(name); }

    QTemporaryDir dir;
};

TEST_F(WriteFileReplacing, NewAndReplacedFilesHoldExactlyTheBytes)
{
    const QString path = Path("run.LOG");
    EXPECT_TRUE(paths::WriteFileReplacing(path, "first\r\n"));
    EXPECT_EQ(ReadBytes(path), QByteArray("first\r\n"));
    EXPECT_TRUE(paths::WriteFileReplacing(path, "2"));
    EXPECT_EQ(ReadBytes(path), QByteArray("2"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"run.LOG"}));
    EXPECT_FALSE(paths::WriteFileReplacing(Path("no/such/run.LOG"), "x"));
}

TEST_F(WriteFileReplacing, AFolderThatTakesNoNewFileStillLetsAFileBeWrittenOver)
{
    const QString folder = Path("shared");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/run.LOG");
    WriteBytes(path, "an older and longer log");
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0664), 0);
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(QFile::encodeName(path).constData(), kNobody, kNobody), 0);
    }
    const struct stat before = StatOf(path);

    EXPECT_TRUE(WriteAsSomeoneWhoCannotCreateFiles(
        folder, [&] { return paths::WriteFileReplacing(path, "new log"); }));
    EXPECT_EQ(ReadBytes(path), QByteArray("new log"));
    const struct stat after = StatOf(path);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList({"run.LOG"}));
}

TEST_F(WriteFileReplacing, TheNewFileKeepsTheOwnerAndModeOfTheOldOne)
{
    const QString path = Path("run.LOG");
    WriteBytes(path, "old");
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    const bool otherOwner = ::geteuid() == 0;
    if (otherOwner) {
        ASSERT_EQ(::chown(QFile::encodeName(path).constData(), kNobody, kNobody), 0);
    }
    const struct stat before = StatOf(path);

    EXPECT_TRUE(paths::WriteFileReplacing(path, "new"));
    EXPECT_EQ(ReadBytes(path), QByteArray("new"));
    const struct stat after = StatOf(path);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
    if (otherOwner) {
        EXPECT_EQ(after.st_uid, kNobody);
    }
}

} // namespace
