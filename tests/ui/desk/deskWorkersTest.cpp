// The desk's run on real worker processes: it returns at once, the desk
// answers while the run goes on, and what the run says, makes and leaves
// in the lists is what the same run in the desk's own process gives.
#include "archiver/archiver.h"
#include "run/workerProcesses.h"
#include "support/fileBytes.h"
#include "support/printQString.h"
#include "ui/children/outputListWindow.h"
#include "ui/deskRig.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <gtest/gtest.h>

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
