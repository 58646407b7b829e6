#include "lists/historyModel.h"
#include "support/fakeServices.h"
#include "support/fileBytes.h"
#include "util/sharedMessages.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace {

using testSupport::ReadBytes;
using testSupport::WriteBytes;

class HistoryTest : public ::testing::Test {
protected:
    void Add(std::initializer_list<const char*> lines)
    {
        for (const char* line : lines)
            history.Add(QString::fromUtf8(line));
    }

    QTemporaryDir dir;
    testSupport::FakeServices services;
    platform::FakeDialogs& dialogs = services.dialogs;
    platform::MemoryClipboard& clipboard = services.clipboard;
    HistoryModel history;
};

TEST_F(HistoryTest, NewestLineIsSelected)
{
    EXPECT_EQ(history.SelectedIndex(), -1);
    Add({"one"});
    EXPECT_EQ(history.SelectedIndex(), 0);
    Add({"two", "three"});
    EXPECT_EQ(history.SelectedIndex(), 2);
    history.Clear();
    EXPECT_EQ(history.Count(), 0);
    EXPECT_EQ(history.SelectedIndex(), -1);
}

TEST_F(HistoryTest, EarlierSelectionMovesDownOneLinePerAddition)
{
    Add({"a", "b", "c", "d"});
    history.SetSelectedIndex(1);
    Add({"e"});
    EXPECT_EQ(history.SelectedIndex(), 2);
    EXPECT_EQ(history.Count(), 5);
}

TEST_F(HistoryTest, CapDropsTheOldestLineOnceTheSelectionPassesIt)
{
    for (int i = 0; i < 30002; ++i)
        history.Add(QString::number(i));
    EXPECT_EQ(history.Count(), 30002);
    EXPECT_EQ(history.SelectedIndex(), 30001);

    history.Add(QStringLiteral("newest"));
    EXPECT_EQ(history.Count(), 30002);
    EXPECT_EQ(history.Lines().first(), QStringLiteral("1"));
    EXPECT_EQ(history.Lines().last(), QStringLiteral("newest"));
    EXPECT_EQ(history.SelectedIndex(), 30001);

    // With an early line selected the history grows past the cap.
    history.SetSelectedIndex(10);
    history.Add(QStringLiteral("more"));
    EXPECT_EQ(history.Count(), 30003);
    EXPECT_EQ(history.SelectedIndex(), 11);
}

TEST_F(HistoryTest, LinesAddedTogetherEqualTheSameLinesAddedOneByOne)
{
    const struct {
        int before;   // lines already there
        int selected; // the line selected then, -1 for the newest
        int together; // lines added at once
    } cases[] = {{0, -1, 5}, {10, 3, 7}, {29990, -1, 20}, {30002, -1, 3}, {30002, 10, 4}};
    for (const auto& c : cases) {
        HistoryModel one, many;
        QStringList before, added;
        for (int i = 0; i < c.before; ++i)
            before << QString::number(i);
        for (int i = 0; i < c.together; ++i)
            added << QStringLiteral("new %1").arg(i);
        for (HistoryModel* model : {&one, &many}) {
            model->AddLines(before);
            if (c.selected >= 0)
                model->SetSelectedIndex(c.selected);
        }
        for (const QString& line : added)
            one.Add(line);
        many.AddLines(added);
        EXPECT_EQ(many.Lines(), one.Lines()) << c.before << " + " << c.together;
        EXPECT_EQ(many.SelectedIndex(), one.SelectedIndex()) << c.before << " + " << c.together;
    }
}

TEST_F(HistoryTest, LogCopyEndsEveryLineWithCrLf)
{
    clipboard.SetText(QStringLiteral("stale"));
    history.CopyToClipboard();
    EXPECT_EQ(clipboard.Text(), QString());

    Add({"[ /a/b.lzh ]", "　ＬＺＨ自己解凍作成中です", "全て終了しました"});
    history.CopyToClipboard();
    EXPECT_EQ(clipboard.Text(),
              QString::fromUtf8("[ /a/b.lzh ]\r\n　ＬＺＨ自己解凍作成中です\r\n全て終了しました\r\n"));
}

TEST_F(HistoryTest, LogFileIsUtf8WithCrLfAndNoBom)
{
    const QString path = dir.path() + QStringLiteral("/run.LOG");
    Add({"one"});
    history.SaveLog(path);
    EXPECT_EQ(ReadBytes(path), QByteArray("one\r\n"));

    Add({"二"});
    dialogs.messageAnswers.enqueue(platform::MessageAnswer::Yes);
    history.SaveLog(path);
    EXPECT_EQ(ReadBytes(path), QByteArray("one\r\n\xE4\xBA\x8C\r\n"));
    EXPECT_EQ(dialogs.messages(), QStringList({messages::Text(messages::SharedMessage::OverwriteQuestion)}));
    EXPECT_EQ(dialogs.asked.last().buttons, platform::MessageButtons::YesNo);
}

TEST_F(HistoryTest, NoToTheOverwriteQuestionLeavesTheFile)
{
    const QString path = dir.path() + QStringLiteral("/run.LOG");
    WriteBytes(path, "keep me");
    Add({"line"});
    dialogs.messageAnswers.enqueue(platform::MessageAnswer::No);
    history.SaveLog(path);
    EXPECT_EQ(ReadBytes(path), QByteArray("keep me"));
}

TEST_F(HistoryTest, EmptyHistoryWritesNothingAndAsksNothing)
{
    const QString path = dir.path() + QStringLiteral("/run.LOG");
    history.SaveLog(path);
    EXPECT_FALSE(QFile::exists(path));
    WriteBytes(path, "old");
    history.SaveLog(path);
    EXPECT_EQ(ReadBytes(path), QByteArray("old"));
    EXPECT_TRUE(dialogs.asked.isEmpty());
}

TEST_F(HistoryTest, SaveIntoAMissingFolderReportsTheFailure)
{
    Add({"line"});
    history.SaveLog(dir.path() + QStringLiteral("/no/such/run.LOG"));
    EXPECT_EQ(dialogs.messages(), QStringList({messages::Text(messages::SharedMessage::SaveFailed)}));
}

TEST_F(HistoryTest, FailedSaveLeavesThePreviousFileWhole)
{
    const QString path = dir.path() + QStringLiteral("/run.LOG");
    WriteBytes(path, "previous log");
    for (int i = 0; i < 200; ++i)
        history.Add(QStringLiteral("a line long enough to pass the file size limit %1").arg(i));
    dialogs.messageAnswers.enqueue(platform::MessageAnswer::Yes);

    // A file size limit makes the write fail part way, as a full disk would.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1024;
    setrlimit(RLIMIT_FSIZE, &small);
    history.SaveLog(path);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(ReadBytes(path), QByteArray("previous log"));
    EXPECT_EQ(dialogs.messages().last(), messages::Text(messages::SharedMessage::SaveFailed));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"run.LOG"}));
}

TEST_F(HistoryTest, LogSaveCommandAsksForALogFileAndSavesThere)
{
    const QString path = dir.path() + QStringLiteral("/chosen.LOG");
    // An empty history still shows the dialog, but writes nothing.
    dialogs.saveAnswers.enqueue(path);
    history.AskAndSaveLog();
    EXPECT_FALSE(QFile::exists(path));

    Add({"line"});
    dialogs.saveAnswers.enqueue(QString()); // cancelled
    history.AskAndSaveLog();
    EXPECT_FALSE(QFile::exists(path));

    dialogs.saveAnswers.enqueue(path);
    history.AskAndSaveLog();
    EXPECT_EQ(ReadBytes(path), QByteArray("line\r\n"));

    ASSERT_EQ(dialogs.asked.size(), 3);
    for (const platform::FakeDialogs::Question& question : dialogs.asked) {
        EXPECT_EQ(question.kind, platform::FakeDialogs::Kind::SaveFile);
        EXPECT_EQ(question.text, QString::fromUtf8("LogFile(*.LOG)|*.LOG|全てのファイル(*.*)|*.*"));
        EXPECT_EQ(question.detail, QStringLiteral(".LOG"));
    }
}

TEST_F(HistoryTest, EveryLineIsAnnounced)
{
    QStringList seen;
    QObject::connect(&history, &HistoryModel::LineAdded, [&seen](const QString& line) { seen << line; });
    Add({"a", "b"});
    EXPECT_EQ(seen, QStringList({"a", "b"}));
}

} // namespace
