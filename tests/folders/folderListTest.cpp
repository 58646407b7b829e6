#include <gtest/gtest.h>

#include "folders/folderListModel.h"
#include "support/printQString.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>

namespace {

using folders::FolderListModel;

class FolderListTest : public ::testing::Test {
protected:
    FolderListTest()
    {
        for (const char* name : {"open/beta", "open/Alpha", "open/gamma/deep", "open/.hidden"})
            QDir(dir.path()).mkpath(QString::fromLatin1(name));
    }
    QString Path(const QString& relative) const { return dir.path() + u'/' + relative; }

    QTemporaryDir dir;
    FolderListModel folders;
    QAbstractItemModelTester tester{&folders};
};

TEST_F(FolderListTest, IndexesFollowTheControlConvention)
{
    ASSERT_TRUE(folders.SetPath(Path("open")));
    const QStringList ancestors = Path("open").split(u'/', Qt::SkipEmptyParts);
    // The open folder -1, its parent -2, ... the root at -(depth + 1).
    EXPECT_EQ(folders.EntryAt(-1), Path("open"));
    EXPECT_EQ(folders.EntryAt(-2), dir.path());
    EXPECT_EQ(folders.EntryAt(-static_cast<int>(ancestors.size()) - 1), QStringLiteral("/"));
    EXPECT_EQ(folders.EntryAt(-static_cast<int>(ancestors.size()) - 2), QString())
        << "nothing above the root";
    // Subfolders in name order, letter case aside; hidden ones left out.
    EXPECT_EQ(folders.SubfolderCount(), 3);
    EXPECT_EQ(folders.EntryAt(0), Path("open/Alpha"));
    EXPECT_EQ(folders.EntryAt(1), Path("open/beta"));
    EXPECT_EQ(folders.EntryAt(2), Path("open/gamma"));
    EXPECT_EQ(folders.EntryAt(3), QString());
    EXPECT_EQ(folders.ListIndexOf(folders.RowOf(-1)), -1);
    EXPECT_EQ(folders.index(folders.RowOf(0)).data().toString(), QStringLiteral("Alpha"));
    EXPECT_EQ(folders.index(folders.RowOf(-2)).data(FolderListModel::PathRole).toString(), dir.path());
}

TEST_F(FolderListTest, TheRootHasNoParentEntry)
{
    ASSERT_TRUE(folders.SetPath(QStringLiteral("/")));
    EXPECT_EQ(folders.EntryAt(-1), QStringLiteral("/"));
    EXPECT_EQ(folders.EntryAt(-2), QString());
    EXPECT_EQ(folders.index(0).data().toString(), QStringLiteral("/"));
}

TEST_F(FolderListTest, OnlyAChangeOfTheOpenFolderIsSignalled)
{
    QSignalSpy changed(&folders, &FolderListModel::PathChanged);
    ASSERT_TRUE(folders.SetPath(Path("open/")));
    ASSERT_TRUE(folders.SetPath(Path("open/gamma/..")));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).toString(), Path("open"));
    EXPECT_FALSE(folders.SetPath(Path("missing")));
    EXPECT_FALSE(folders.SetPath(QStringLiteral("open")));
    EXPECT_EQ(folders.Path(), Path("open"));
    EXPECT_EQ(changed.count(), 1);
}

TEST_F(FolderListTest, RereadPicksUpNewAndRemovedSubfolders)
{
    ASSERT_TRUE(folders.SetPath(Path("open")));
    QDir(Path("open")).mkdir(QStringLiteral("delta"));
    QDir(Path("open")).rmdir(QStringLiteral("beta"));
    folders.Reread();
    EXPECT_EQ(folders.EntryAt(1), Path("open/delta"));
    EXPECT_EQ(folders.SubfolderCount(), 3);
}

} // namespace
