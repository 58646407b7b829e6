#include "lists/outputListModel.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(OutputList, RepeatsAndEntriesBeyondTheLimitAreIgnored)
{
    OutputListModel output;
    for (int i = 0; i < OutputListModel::MaxEntries; ++i)
        output.Add(QStringLiteral("/o/%1.EXE").arg(i));
    output.Add(QStringLiteral("/o/0.EXE"));
    output.Add(QStringLiteral("/o/extra.EXE"));
    EXPECT_EQ(output.Entries().size(), 1000);
    EXPECT_FALSE(output.Entries().contains(QStringLiteral("/o/extra.EXE")));
}

TEST(OutputList, RefreshDropsVanishedFilesAndKeepsTheOrder)
{
    QTemporaryDir dir;
    OutputListModel output;
    QStringList paths;
    for (const char* name : {"A.EXE", "B.EXE", "C.EXE", "D.EXE", "E.EXE"}) {
        paths << dir.path() + u'/' + QString::fromLatin1(name);
        QFile(paths.last()).open(QIODevice::WriteOnly);
        output.Add(paths.last());
    }
    QFile::remove(paths[1]);
    QFile::remove(paths[3]);
    output.Refresh();
    EXPECT_EQ(output.Entries(), QStringList({paths[0], paths[2], paths[4]}));

    output.SelectionModel().SelectAll();
    EXPECT_EQ(output.SelectedPaths(), output.Entries());
    output.SelectionModel().clearSelection();
    EXPECT_TRUE(output.SelectedPaths().isEmpty());

    output.Clear();
    EXPECT_TRUE(output.Entries().isEmpty());
    EXPECT_TRUE(QFile::exists(paths[0]));
}

TEST(OutputList, RepeatsAreJudgedOnTheCurrentEntries)
{
    QTemporaryDir dir;
    const QString stored = dir.path() + QStringLiteral("/Made.EXE");
    const QString otherCase = dir.path() + QStringLiteral("/MADE.EXE");
    QFile(stored).open(QIODevice::WriteOnly);

    OutputListModel output;
    output.Add(stored);
    output.Add(stored);
    EXPECT_EQ(output.Entries(), QStringList({stored}));

    // Emptied: the same path is new again.
    output.Clear();
    output.Add(stored);
    EXPECT_EQ(output.Entries(), QStringList({stored}));

    // After the file is gone and the list refreshed, it may come back.
    QFile::remove(stored);
    output.Refresh();
    EXPECT_TRUE(output.Entries().isEmpty());
    QFile(stored).open(QIODevice::WriteOnly);
    output.Add(stored);
    output.Add(otherCase); // another string, so another entry
    output.Add(stored);
    EXPECT_EQ(output.Entries(), QStringList({stored, otherCase}));
}

} // namespace
