// The desk's run on real worker processes: it returns at once, the desk
// answers while the run goes on, and what the run says, makes and leaves
// in the lists is what the same run in the desk's own process gives.
#include "archiver/archiver.h"
#include "run/workerProcesses.h"
#include "support/fileBytes.h"
#include "support/printQString.h"
#include "ui/children/outputListWindow.h"
#include "ui/deskRig.h"
#include "util/programMessages.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <gtest/gtest.h>

#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

using namespace testSupport;

const QString SystemFolder = QStringLiteral(TB_BINARY_DIR "/lib/tollbrook2");

class DeskWorkersTest : public DeskTest {
protected:
    DeskWorkersTest() { libraries = archiver::FindLibraries(SystemFolder); }

    // Real archives, a damaged one and a name met twice among them.
    QStringList RealArchives()
    {
        QStringList archives;
        for (int i = 0; i < 24; ++i) {
            const QString name = i == 7 ? QStringLiteral("sub/a3.lzh") : QStringLiteral("a%1.lzh").arg(i);
            const QString path = input.path() + u'/' + name;
            QFile::copy(QStringLiteral(TB_SOURCE_DIR "/tests/data/lzh/lh5_h1.lzh"), path);
            archives << path;
        }
        QFile damaged(archives[11]);
        damaged.open(QIODevice::ReadWrite);
        damaged.seek(40);
        damaged.write("broken bytes");
        return archives;
    }

    struct Result {
        QStringList history, work, output, files;
    };
    Result Of(MainWindow& desk)
    {
        return {HistoryWindowOf(desk).History().Lines(), WorkListOf(desk).Work().Entries(),
                OutputListOf(desk).Output().Entries(),
                QDir(output.path()).entryList(QDir::Files | QDir::Hidden)};
    }
    void Empty() const
    {
        for (const QString& name : QDir(output.path()).entryList(QDir::Files | QDir::Hidden))
            QFile::remove(output.path() + u'/' + name);
    }
};

TEST_F(DeskWorkersTest, TheRunOnWorkersLeavesWhatTheRunInTheDesksProcessDoes)
{
    const QStringList archives = RealArchives();
    MainWindow& inProcess = Desk(archives);
    inProcess.Execute(tbarc::SfxKind::Win32);
    const Result one = Of(inProcess);
    ASSERT_EQ(one.history.constLast(), QStringLiteral("全て終了しました"));
    ASSERT_EQ(one.work.size(), 2) << "the damaged archive and the name met again stay";
    window.reset();
    Empty();

    MainWindow& desk = Desk(archives);
    desk.ConvertOnWorkers([] { return std::make_unique<run::WorkerProcesses>(2); });
    int turns = 0;
    QTimer ticking;
    QObject::connect(&ticking, &QTimer::timeout, [&] { ++turns; });
    ticking.start(1);
    desk.Execute(tbarc::SfxKind::Win32);
    EXPECT_TRUE(desk.IsRunning()) << "the run goes on after Execute returns";
    EXPECT_FALSE(ExecuteButtonOf(desk, 2).isEnabled());
    QElapsedTimer waited;
    waited.start();
    while (desk.IsRunning() && waited.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    ASSERT_FALSE(desk.IsRunning());
    EXPECT_GT(turns, 0) << "the desk's events turned during the run";
    const Result many = Of(desk);
    EXPECT_EQ(many.history, one.history);
    EXPECT_EQ(many.work, one.work);
    EXPECT_EQ(many.output, one.output);
    EXPECT_EQ(many.files, one.files);
    EXPECT_TRUE(ExecuteButtonOf(desk, 2).isEnabled());
}

TEST_F(DeskWorkersTest, CancelStartsNothingMoreAndTheRunEndsAsStopped)
{
    QStringList archives;
    for (int i = 0; i < 300; ++i) {
        archives << input.path() + QStringLiteral("/c%1.lzh").arg(i);
        QFile::copy(QStringLiteral(TB_SOURCE_DIR "/tests/data/lzh/lh5_h1.lzh"), archives.last());
    }
    MainWindow& desk = Desk(archives);
    desk.ConvertOnWorkers([] { return std::make_unique<run::WorkerProcesses>(2); });
    desk.Execute(tbarc::SfxKind::Win32);
    ASSERT_TRUE(desk.IsRunning());
    CancelButtonOf(desk).click();
    QElapsedTimer waited;
    waited.start();
    while (desk.IsRunning() && waited.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    ASSERT_FALSE(desk.IsRunning());
    const Result run = Of(desk);
    EXPECT_EQ(run.history.constLast(), QStringLiteral("中断しました"));
    const qsizetype said = run.history.filter(QStringLiteral("[ ")).size();
    EXPECT_LT(said, archives.size());
    // What was said is what was made and left the list; the rest stays.
    EXPECT_EQ(run.files.size(), said);
    EXPECT_EQ(run.output.size(), said);
    EXPECT_EQ(run.work, archives.mid(said));
}

} // namespace

// A run into a folder another run holds waits for it, says so once, and
// answers: released, it converts everything; cancelled, it ends stopped
// having made nothing. In the desk's process and on workers alike.
TEST_F(DeskWorkersTest, ARunWaitsForAnotherRunsOutputFolder)
{
    QStringList archives;
    for (int i = 0; i < 3; ++i) {
        archives << input.path() + QStringLiteral("/w%1.lzh").arg(i);
        QFile::copy(QStringLiteral(TB_SOURCE_DIR "/tests/data/lzh/lh5_h1.lzh"), archives.last());
    }
    const QString waiting = messages::Text(messages::ProgramMessage::WaitingForFolder);
    for (const bool onWorkers : {false, true}) {
        for (const bool cancelled : {false, true}) {
            window.reset();
            Empty();
            MainWindow& desk = Desk(archives);
            if (onWorkers)
                desk.ConvertOnWorkers([] { return std::make_unique<run::WorkerProcesses>(2); });
            int held =
                ::open(QFile::encodeName(output.path()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            ASSERT_EQ(::flock(held, LOCK_EX), 0);
            // Once the desk says it waits, the other run ends or the user cancels.
            bool filesWhileWaiting = false;
            QTimer other;
            QObject::connect(&other, &QTimer::timeout, [&] {
                if (!HistoryWindowOf(desk).History().Lines().contains(waiting))
                    return;
                other.stop();
                filesWhileWaiting = !QDir(output.path()).isEmpty();
                if (cancelled)
                    CancelButtonOf(desk).click();
                ::close(std::exchange(held, -1));
            });
            other.start(10);
            desk.Execute(tbarc::SfxKind::Win32);
            QElapsedTimer waited;
            waited.start();
            while (desk.IsRunning() && waited.elapsed() < 60000)
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
            ASSERT_FALSE(desk.IsRunning());
            if (held >= 0)
                ::close(held);
            const Result run = Of(desk);
            const std::string which =
                std::string(onWorkers ? "workers" : "desk") + (cancelled ? ", cancelled" : "");
            EXPECT_EQ(run.history.count(waiting), 1) << which;
            EXPECT_FALSE(filesWhileWaiting) << which;
            EXPECT_EQ(run.history.constLast(),
                      cancelled ? QStringLiteral("中断しました") : QStringLiteral("全て終了しました"))
                << which;
            EXPECT_EQ(run.files.size(), cancelled ? 0 : 3) << which;
            EXPECT_EQ(run.work.size(), cancelled ? 3 : 0) << which;
        }
    }
}
