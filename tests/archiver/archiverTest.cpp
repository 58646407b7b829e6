#include "archiver/archiver.h"
#include "archiver/sharedLibrary.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Folders the build fills with stand-in libraries (see CMakeLists.txt).
const QString Complete = QStringLiteral(STUB_DIR "/complete");
const QString Incomplete = QStringLiteral(STUB_DIR "/incomplete");
const QString RealSystemFolder = QStringLiteral(TB_BINARY_DIR "/lib/tollbrook2");

TEST(LoadInstalledLibraries, LoadsWhatTheSystemFolderHolds)
{
    const archiver::Libraries found = archiver::FindLibraries(Complete);
    ASSERT_TRUE(found.Of(archiver::kLzh));
    ASSERT_TRUE(found.Of(archiver::kCab));
    EXPECT_EQ(found.ofKind[archiver::kLzh].version, 123);
    EXPECT_EQ(found.ofKind[archiver::kCab].version, 456);
    EXPECT_FALSE(found.Of(archiver::kLzh)->GetRunning());
    EXPECT_EQ(found.Of(archiver::kLzh)->CheckArchive(QStringLiteral("/a/b.lzh"), 1), 1);
    EXPECT_EQ(found.Of(archiver::kLzh)->CheckArchive(QStringLiteral("/a/b.cab"), 1), 0);
}

TEST(LoadInstalledLibraries, CommandLineArrivesAsUtf8)
{
    auto unlha = archiver::SharedArchiverLibrary::Load(Complete + QStringLiteral("/libunlha32.so"), "Unlha");
    ASSERT_TRUE(unlha);
    const QString commandLine = QStringLiteral("s -+ -gw2 \"/データ/a b.lzh\" \"/出力/\"");
    const QByteArray bytes = commandLine.toUtf8();
    EXPECT_EQ(unlha->Run(commandLine), bytes.size());
    EXPECT_EQ(unlha->LastOutput(), bytes);
}

TEST(LoadInstalledLibraries, MissingOrBrokenLibrariesStayUnavailable)
{
    QTemporaryDir empty;
    QTemporaryDir junk;
    QFile garbage(junk.path() + QStringLiteral("/libcab32.so"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("not a shared object");
    garbage.close();

    struct Case {
        QString folder;
        bool unlha;
        bool cab;
    };
    const Case cases[] = {
        {QString(), false, false},
        {empty.path(), false, false},
        {junk.path(), false, false},
        {Incomplete, true, false}, // its Cab lacks CabCheckArchive
    };
    for (const Case& c : cases) {
        const archiver::Libraries found = archiver::FindLibraries(c.folder);
        EXPECT_EQ((found.Of(archiver::kLzh) != nullptr), c.unlha) << c.folder.toStdString();
        EXPECT_EQ((found.Of(archiver::kCab) != nullptr), c.cab) << c.folder.toStdString();
        if (!c.cab) {
            EXPECT_EQ(found.ofKind[archiver::kCab].version, 0);
        }
    }
}

TEST(LoadInstalledLibraries, FindsTheRealLibrariesOfTheBuild)
{
    const archiver::Libraries found = archiver::FindLibraries(RealSystemFolder);
    ASSERT_TRUE(found.Of(archiver::kLzh));
    ASSERT_TRUE(found.Of(archiver::kCab));
    EXPECT_GT(found.ofKind[archiver::kLzh].version, 0);
    EXPECT_GT(found.ofKind[archiver::kCab].version, 0);

    const QString corpus = QStringLiteral(TB_CORPUS_DIR);
    const QString lzh = corpus + QStringLiteral("/fragglet_lhasa/test/archives/lh2_222/lh5.lzh");
    const QString cab = corpus + QStringLiteral("/debian_libgcab-tests/test-mszip.cab");
    EXPECT_EQ(found.Of(archiver::kLzh)->CheckArchive(lzh, 1), 1);
    EXPECT_NE(found.Of(archiver::kLzh)->CheckArchive(cab, 1), 1);
    EXPECT_EQ(found.Of(archiver::kCab)->CheckArchive(cab, 1), 1);
    EXPECT_NE(found.Of(archiver::kCab)->CheckArchive(lzh, 1), 1);
}

} // namespace
