#include "lists/inputListModel.h"
#include "support/printQString.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class InputListTest : public ::testing::Test {
protected:
    void Touch(const QString& relative)
    {
        const QString path = dir.path() + u'/' + relative;
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QString Path(const QString& relative) const { return dir.path() + u'/' + relative; }

    // A work list of a given room that records what it was offered.
    InputListModel::AddToWorkList WorkList(int room)
    {
        return [this, room](const QString& path) {
            if (taken.size() >= room)
                return false;
            taken.append(path);
            return true;
        };
    }

    QTemporaryDir dir;
    InputListModel input;
    QAbstractItemModelTester tester{&input.Model()};
    QStringList taken;
};

TEST_F(InputListTest, ListsTheFilesOfThePatternInNameOrderWhateverTheirCase)
{
    for (const char* name : {"b.LZH", "a.lzh", "c.cab", "d.txt", "e.lha", ".hidden.lzh", "folder.lzh/x"})
        Touch(QString::fromLatin1(name));
    input.SetPattern(QStringLiteral("*.LZH;*.CAB"));
    ASSERT_TRUE(input.SetFolder(dir.path()));
    EXPECT_EQ(input.Names(), (QStringList{"a.lzh", "b.LZH", "c.cab"})) << "no folders, no hidden files";
    input.SetPattern(QStringLiteral("abcdzyxw.___"));
    EXPECT_TRUE(input.Names().isEmpty());
    input.SetPattern(QStringLiteral(";*.LHA"));
    EXPECT_EQ(input.Names(), QStringList{"e.lha"});
}

TEST_F(InputListTest, AFolderThatCannotBeListedChangesNothing)
{
    Touch(QStringLiteral("a.lzh"));
    input.SetPattern(QStringLiteral("*.LZH"));
    ASSERT_TRUE(input.SetFolder(dir.path()));
    EXPECT_FALSE(input.SetFolder(Path(QStringLiteral("missing"))));
    EXPECT_FALSE(input.SetFolder(QStringLiteral("relative")));
    EXPECT_EQ(input.Folder(), dir.path());
    EXPECT_EQ(input.Names(), QStringList{"a.lzh"});
}

TEST_F(InputListTest, AddSelectedTakesLongPathsInOrderAndDeselectsWhatWasTaken)
{
    for (const char* name : {"a.lzh", "b.lzh", "c.lzh", "d.lzh"})
        Touch(QString::fromLatin1(name));
    input.SetPattern(QStringLiteral("*.LZH"));
    input.SetFolder(dir.path() + QStringLiteral("/./"));
    for (int row : {0, 2, 3})
        input.SelectionModel().select(input.Model().index(row), QItemSelectionModel::Select);
    input.AddSelected(WorkList(2));
    EXPECT_EQ(taken, (QStringList{Path("a.lzh"), Path("c.lzh")}));
    // The list was full at d.lzh: it stays selected, the taken ones do not.
    EXPECT_FALSE(input.SelectionModel().isSelected(input.Model().index(0)));
    EXPECT_FALSE(input.SelectionModel().isSelected(input.Model().index(2)));
    EXPECT_TRUE(input.SelectionModel().isSelected(input.Model().index(3)));
}

TEST_F(InputListTest, AddAllIgnoresTheSelection)
{
    for (const char* name : {"a.lzh", "b.lzh"})
        Touch(QString::fromLatin1(name));
    input.SetPattern(QStringLiteral("*.LZH"));
    input.SetFolder(dir.path());
    input.AddAll(WorkList(10));
    EXPECT_EQ(taken, (QStringList{Path("a.lzh"), Path("b.lzh")}));
}

TEST_F(InputListTest, SubfolderCommandVisitsOneLevelDownInNameOrder)
{
    for (const char* name : {"top.lzh", "B/b.lzh", "A/a2.lzh", "A/a1.lzh", "A/C/deep.lzh", "A/skip.txt"})
        Touch(QString::fromLatin1(name));
    input.SetPattern(QStringLiteral("*.LZH"));
    input.SetFolder(dir.path());
    input.SelectionModel().SelectAll();
    input.AddWithSubfolders(WorkList(10));
    EXPECT_EQ(taken, (QStringList{Path("top.lzh"), Path("A/a1.lzh"), Path("A/a2.lzh"), Path("B/b.lzh")}));
    EXPECT_FALSE(input.SelectionModel().hasSelection());

    taken.clear();
    input.AddWithSubfolders(WorkList(2));
    EXPECT_EQ(taken.size(), 2) << "a full list stops the whole command";
}

} // namespace
