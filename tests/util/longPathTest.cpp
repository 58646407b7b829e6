#include "util/paths.h"

#include "support/printQString.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using paths::PathStyle;

namespace {

TEST(GetLongPathWindows, AnswersOnlyWhatNeedsNoFileSystem)
{
    struct Case {
        const char* path;
        const char* expected;
    };
    const Case cases[] = {
        {R"(c:\)", R"(C:\)"},
        {R"(C:\)", R"(C:\)"},
        {"C:", ""},
        {R"(\\server\share\F.LZH)", ""},
        {R"(C:\NO SUCH FOLDER\MISSING.LZH)", ""},
        {"", ""},
        {"c:/", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(paths::GetLongPath(QString::fromUtf8(c.path), PathStyle::Windows),
                  QString::fromUtf8(c.expected))
            << c.path;
    }
}

// A real tree on a case-sensitive file system:
//   <root>/Tree/Sub/File.LZH
//   <root>/Tree/mixed/ and <root>/Tree/MIXED/  (two spellings of one name)
//   <root>/Tree/Übung.lzh
class GetLongPathPosix : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        const QDir dir(root.path());
        ASSERT_TRUE(dir.mkpath(QStringLiteral("Tree/Sub")));
        ASSERT_TRUE(dir.mkpath(QStringLiteral("Tree/mixed")));
        ASSERT_TRUE(dir.mkpath(QStringLiteral("Tree/MIXED")));
        for (const QString& file : {QStringLiteral("Tree/Sub/File.LZH"), QStringLiteral("Tree/Übung.lzh")}) {
            QFile f(dir.filePath(file));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        }
    }

    // The temporary root itself is stored exactly as QTemporaryDir spells it.
    QString At(const char* relative) const { return root.path() + QString::fromUtf8(relative); }

    QTemporaryDir root;
};

TEST_F(GetLongPathPosix, RebuildsEachComponentFromTheStoredName)
{
    struct Case {
        const char* path;     // relative to the temporary root
        const char* expected; // relative to the temporary root; nullptr: empty result
    };
    const Case cases[] = {
        {"/Tree/Sub/File.LZH", "/Tree/Sub/File.LZH"},
        {"/Tree/Übung.lzh", "/Tree/Übung.lzh"},
        // This folder tells cases apart: another spelling names another
        // (here missing) file, never the stored one.
        {"/tree/sub/file.lzh", nullptr},
        {"/TREE/SUB/FILE.LZH", nullptr},
        {"/Tree/übung.LZH", nullptr},
        {"/Tree/Mixed", nullptr},
        // Two spellings that both exist each keep their own.
        {"/Tree/mixed", "/Tree/mixed"},
        {"/Tree/MIXED", "/Tree/MIXED"},
        // Trailing and doubled separators, "." and "..".
        {"/Tree/Sub/", "/Tree/Sub"},
        {"/Tree/Sub/File.LZH/", "/Tree/Sub/File.LZH"},
        {"/Tree//Sub///", "/Tree/Sub"},
        {"/Tree/./Sub/../Sub/File.LZH", "/Tree/Sub/File.LZH"},
        // Missing components, also those a ".." would step back out of.
        {"/Tree/Missing/../Sub/File.LZH", nullptr},
        {"/Tree/Sub/File.LZH/../File.LZH", nullptr},
        {"/Tree/Sub/Missing.LZH", nullptr},
        {"/Tree/Nowhere/File.LZH", nullptr},
        {"/Tree/Sub/File.LZH/inner", nullptr},
    };
    for (const Case& c : cases) {
        const QString expected = c.expected ? At(c.expected) : QString();
        EXPECT_EQ(paths::GetLongPath(At(c.path), PathStyle::Posix), expected) << c.path;
    }
}

TEST_F(GetLongPathPosix, NamesMadeOrRemovedSinceTheFolderWasListedAreAnsweredAsTheyAreNow)
{
    // A second name asked in a folder is looked up in the folder's listing,
    // which is then remembered a while; what changes meanwhile must not be
    // answered from it.
    ASSERT_EQ(paths::GetLongPath(At("/Tree/Sub/File.LZH"), PathStyle::Posix), At("/Tree/Sub/File.LZH"));
    ASSERT_EQ(paths::GetLongPath(At("/Tree/Sub/File.LZH"), PathStyle::Posix), At("/Tree/Sub/File.LZH"));
    for (const char* made : {"/Tree/Sub/Late.LZH", "/Tree/Sub/file.lzh"}) {
        QFile f(At(made));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(QFile::remove(At("/Tree/Sub/File.LZH")));

    struct Case {
        const char* path;
        const char* expected; // nullptr: empty result
    };
    const Case cases[] = {
        {"/Tree/Sub/Late.LZH", "/Tree/Sub/Late.LZH"},
        {"/Tree/Sub/late.lzh", nullptr},
        // The other case of a listed name, made since: its own spelling.
        {"/Tree/Sub/file.lzh", "/Tree/Sub/file.lzh"},
        {"/Tree/Sub/File.LZH", nullptr},
    };
    for (const Case& c : cases) {
        const QString expected = c.expected ? At(c.expected) : QString();
        EXPECT_EQ(paths::GetLongPath(At(c.path), PathStyle::Posix), expected) << c.path;
    }
}

TEST_F(GetLongPathPosix, DotDotAfterALinkLeadsWhereTheFileSystemGoes)
{
    // <root>/Link -> <root>/Tree/Sub: "Link/.." is Tree, not the root.
    ASSERT_TRUE(QFile::link(At("/Tree/Sub"), At("/Link")));
    EXPECT_EQ(paths::GetLongPath(At("/Link/../Übung.lzh"), PathStyle::Posix), At("/Tree/Übung.lzh"));
    EXPECT_EQ(paths::GetLongPath(At("/Link/File.LZH"), PathStyle::Posix), At("/Link/File.LZH"));
    EXPECT_EQ(paths::GetLongPath(At("/Link/../../Link/.."), PathStyle::Posix), At("/Tree"));
}

TEST_F(GetLongPathPosix, RootAndRelativePaths)
{
    EXPECT_EQ(paths::GetLongPath(QStringLiteral("/"), PathStyle::Posix), QStringLiteral("/"));
    EXPECT_EQ(paths::GetLongPath(QStringLiteral("//"), PathStyle::Posix), QStringLiteral("/"));
    EXPECT_EQ(paths::GetLongPath(QString(), PathStyle::Posix), QString());

    // A relative path has no root to start from, even where it exists.
    ASSERT_TRUE(QDir::setCurrent(root.path()));
    EXPECT_EQ(paths::GetLongPath(QStringLiteral("Tree/Sub"), PathStyle::Posix), QString());
}

TEST_F(GetLongPathPosix, GivesUpOnPathsDeeperThanItsLimit)
{
    // 256 components at most, the root "/" included.
    const qsizetype rootComponents = 1 + root.path().split(u'/', Qt::SkipEmptyParts).size();
    const QString deepest = root.path() + QStringLiteral("/d").repeated(256 - rootComponents);
    const QString tooDeep = deepest + QStringLiteral("/d");
    ASSERT_TRUE(QDir().mkpath(tooDeep));

    EXPECT_EQ(paths::GetLongPath(deepest, PathStyle::Posix), deepest);
    EXPECT_EQ(paths::GetLongPath(tooDeep, PathStyle::Posix), QString());
}

} // namespace
