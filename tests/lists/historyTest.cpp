#include "lists/historyModel.h"
#include "platform/fake_dialogs.h"
#include "platform/memory_clipboard.h"
#include "platform/services.h"
#include "util/resAll.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class HistoryTest : public ::testing::Test {
protected:
    void Add(std::initializer_list<const char*> lines)
    {
        for (const char* line : lines)
            history.ListInAdd(QString::fromUtf8(line));
    }

    QTemporaryDir dir;
    platform::FakeDialogs dialogs;
    platform::MemoryClipboard clipboard;
    platform::ScopedServices services{platform::Services{nullptr, &dialogs, &clipboard, nullptr}};
    HistoryModel history;
};

TEST_F(HistoryTest, NewestLineIsSelected)
{
    EXPECT_EQ(history.SelectedIndex(), -1);
    Add({"one"});
    EXPECT_EQ(history.SelectedIndex(), 0);
    Add({"two", "three"});
    EXPECT_EQ(history.SelectedIndex(), 2);
    history.RefreshForm();
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
        history.ListInAdd(QString::number(i));
    EXPECT_EQ(history.Count(), 30002);
    EXPECT_EQ(history.SelectedIndex(), 30001);

    history.ListInAdd(QStringLiteral("newest"));
    EXPECT_EQ(history.Count(), 30002);
    EXPECT_EQ(history.Lines().first(), QStringLiteral("1"));
    EXPECT_EQ(history.Lines().last(), QStringLiteral("newest"));
    EXPECT_EQ(history.SelectedIndex(), 30001);

    // With an early line selected the history grows past the cap.
    history.SetSelectedIndex(10);
    history.ListInAdd(QStringLiteral("more"));
    EXPECT_EQ(history.Count(), 30003);
    EXPECT_EQ(history.SelectedIndex(), 11);
}

TEST_F(HistoryTest, LogCopyEndsEveryLineWithCrLf)
{
    clipboard.SetText(QStringLiteral("stale"));
    history.LogCopy();
    EXPECT_EQ(clipboard.Text(), QString());

    Add({"[ /a/b.lzh ]", "　ＬＺＨ自己解凍作成中です", "全て終了しました"});
    history.LogCopy();
    EXPECT_EQ(clipboard.Text(),
              QString::fromUtf8("[ /a/b.lzh ]\r\n　ＬＺＨ自己解凍作成中です\r\n全て終了しました\r\n"));
}

TEST_F(HistoryTest, LogFileIsUtf8WithCrLfAndNoBom)
{
    const QString path = dir.path() + QStringLiteral("/run.LOG");
    Add({"one"});
    history.WriteLogFile(path);
    EXPECT_EQ(ReadAll(path), QByteArray("one\r\n"));

    Add({"二"});
    dialogs.messageAnswers.enqueue(platform::MessageAnswer::Yes);
    history.WriteLogFile(path);
    EXPECT_EQ(ReadAll(path), QByteArray("one\r\n\xE4\xBA\x8C\r\n"));
    EXPECT_EQ(dialogs.messages(), QStringList({resAll::GetText(5100)}));
    EXPECT_EQ(dialogs.asked.last().buttons, platform::MessageButtons::YesNo);
}

TEST_F(HistoryTest, NoToTheOverwriteQuestionLeavesTheFile)
{
    const QString path = dir.path() + QStringLiteral("/run.LOG");
    WriteFile(path, "keep me");
    Add({"line"});
    dialogs.messageAnswers.enqueue(platform::MessageAnswer::No);
    history.WriteLogFile(path);
    EXPECT_EQ(ReadAll(path), QByteArray("keep me"));
}

TEST_F(HistoryTest, EmptyHistoryWritesNothingAndAsksNothing)
{
    const QString path = dir.path() + QStringLiteral("/run.LOG");
    history.WriteLogFile(path);
    EXPECT_FALSE(QFile::exists(path));
    WriteFile(path, "old");
    history.WriteLogFile(path);
    EXPECT_EQ(ReadAll(path), QByteArray("old"));
    EXPECT_TRUE(dialogs.asked.isEmpty());
}

TEST_F(HistoryTest, SaveIntoAMissingFolderReportsTheFailure)
{
    Add({"line"});
    history.WriteLogFile(dir.path() + QStringLiteral("/no/such/run.LOG"));
    EXPECT_EQ(dialogs.messages(), QStringList({resAll::GetText(5101)}));
}

TEST_F(HistoryTest, FailedSaveLeavesThePreviousFileWhole)
{
    const QString path = dir.path() + QStringLiteral("/run.LOG");
    WriteFile(path, "previous log");
    for (int i = 0; i < 200; ++i)
        history.ListInAdd(QStringLiteral("a line long enough to pass the file size limit %1").arg(i));
    dialogs.messageAnswers.enqueue(platform::MessageAnswer::Yes);

    // A file size limit makes the write fail part way, as a full disk would.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1024;
    setrlimit(RLIMIT_FSIZE, &small);
    history.WriteLogFile(path);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(ReadAll(path), QByteArray("previous log"));
    EXPECT_EQ(dialogs.messages().last(), resAll::GetText(5101));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"run.LOG"}));
}

TEST_F(HistoryTest, EveryLineIsAnnounced)
{
    QStringList seen;
    QObject::connect(&history, &HistoryModel::LineAdded, [&seen](const QString& line) { seen << line; });
    Add({"a", "b"});
    EXPECT_EQ(seen, QStringList({"a", "b"}));
}

} // namespace
