#include "engineRig.h"

#include "support/fakeLibrary.h"
#include "common/resultCodes.h"
#include "run/autoRun.h"
#include "run/runControl.h"
#include "util/sharedMessages.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

using tbarc::SfxKind;

const QString AllFinished = messages::Text(messages::SharedMessage::AllFinished);
const QString Interrupted = messages::Text(messages::SharedMessage::Interrupted);

// The main window around a run: records what the run asked of it.
struct RecordingDesk : run::IRunDesk {
    QStringList events;
    QString outputFolder;
    std::function<void(int)> onEvents; // called with the count of event rounds so far
    int rounds = 0;

    void LockForRun() override { events << QStringLiteral("lock"); }
    void ClearInputSelection() override { events << QStringLiteral("input-clear"); }
    void SetCancelEnabled(bool enabled) override
    {
        events << (enabled ? QStringLiteral("cancel-on") : QStringLiteral("cancel-off"));
    }
    QString OutputFolder() override { return outputFolder; }
    void ProcessPendingEvents() override
    {
        ++rounds;
        if (onEvents)
            onEvents(rounds);
    }
    void RefreshFolderWindows() override { events << QStringLiteral("refresh"); }
    void UnlockAfterRun() override { events << QStringLiteral("unlock"); }
    void UpdateExecuteButtons() override { events << QStringLiteral("buttons"); }
};

class RunControlTest : public ::testing::Test, protected EngineRig {
protected:
    RunControlTest()
    {
        unlha->run = [this](const QString& commandLine) {
            for (auto it = codes.cbegin(); it != codes.cend(); ++it) {
                if (commandLine.contains(u'/' + it.key() + u'"'))
                    return it.value();
            }
            return archiver::FakeArchiverLibrary::WritesExe()(commandLine);
        };
        libraries.Set(archiver::kLzh, unlha);
        desk.outputFolder = dir.path();
    }

    QStringList Archives(std::initializer_list<const char*> names)
    {
        QStringList paths;
        for (const char* name : names) {
            paths << dir.path() + u'/' + QString::fromLatin1(name);
            QFile(paths.last()).open(QIODevice::WriteOnly);
        }
        return paths;
    }

    QTemporaryDir dir;
    QMap<QString, int> codes; // file name -> library return code (else success)
    std::shared_ptr<archiver::FakeArchiverLibrary> unlha = std::make_shared<archiver::FakeArchiverLibrary>();
    RecordingDesk desk;
};

TEST_F(RunControlTest, FailedEntryStaysAndTheRunGoesOn)
{
    const QStringList paths = Archives({"a.lzh", "b.lzh", "c.lzh"});
    codes[QStringLiteral("b.lzh")] = tbarc::kCorruptArchive;
    PlainWorkList work(paths);
    history.lines << QStringLiteral("from the previous run");
    run::RunControl run(work, history, engine, desk);

    const run::RunSummary summary = run.Run(SfxKind::Win32);
    EXPECT_EQ(work.entries, QStringList({paths[1]}));
    EXPECT_EQ(work.selected, QList<bool>({false}));
    EXPECT_EQ(history.lines.first(), QStringLiteral("[ ") + paths[0] + QStringLiteral(" ]"));
    EXPECT_EQ(history.lines.last(), AllFinished);
    EXPECT_EQ(summary.done, 2);
    EXPECT_EQ(summary.failed, 1);
    EXPECT_FALSE(summary.stopped);
    EXPECT_EQ(desk.events,
              QStringList({"lock", "input-clear", "cancel-on", "refresh", "refresh", "refresh", "cancel-off",
                           "unlock", "buttons"}));
    EXPECT_FALSE(run.CancelRequested());
}

TEST_F(RunControlTest, CancelTakesEffectBeforeTheNextFile)
{
    const QStringList paths = Archives({"a.lzh", "b.lzh", "c.lzh"});
    PlainWorkList work(paths);
    run::RunControl run(work, history, engine, desk);
    // The click arrives while the first file is converted; the loop sees it
    // when it next lets events through.
    desk.onEvents = [&run](int round) {
        if (round == 2)
            run.RequestCancel();
    };

    const run::RunSummary summary = run.Run(SfxKind::Win32);
    EXPECT_EQ(work.entries, QStringList({paths[1], paths[2]}));
    EXPECT_EQ(history.lines.last(), Interrupted);
    EXPECT_EQ(summary.done, 1);
    EXPECT_TRUE(summary.stopped);
    EXPECT_FALSE(run.CancelRequested());
    EXPECT_EQ(desk.events.mid(desk.events.size() - 3), QStringList({"cancel-off", "unlock", "buttons"}));
}

TEST_F(RunControlTest, StopOutcomeLeavesTheRestUntouched)
{
    const QStringList paths = Archives({"a.lzh", "b.lzh", "c.lzh"});
    codes[QStringLiteral("b.lzh")] = tbarc::kDiskFull;
    PlainWorkList work(paths);
    run::RunControl run(work, history, engine, desk);

    const run::RunSummary summary = run.Run(SfxKind::Win32);
    EXPECT_EQ(work.entries, QStringList({paths[1], paths[2]}));
    EXPECT_EQ(history.lines.last(), Interrupted);
    EXPECT_TRUE(summary.stopped);
    EXPECT_EQ(unlha->calls.filter(QStringLiteral("c.lzh")), QStringList());
    EXPECT_FALSE(run.CancelRequested());
}

TEST_F(RunControlTest, EmptiedListDisablesTheButtons)
{
    PlainWorkList work(Archives({"a.lzh"}));
    EXPECT_TRUE(run::ExecuteButtonsEnabled(work));
    run::RunControl(work, history, engine, desk).Run(SfxKind::Win32);
    EXPECT_EQ(work.Count(), 0);
    EXPECT_FALSE(run::ExecuteButtonsEnabled(work));
}

TEST_F(RunControlTest, OutputFolderGetsItsSeparatorOnce)
{
    EXPECT_EQ(run::WithTrailingSeparator(QStringLiteral("/")), QStringLiteral("/"));
    EXPECT_EQ(run::WithTrailingSeparator(QStringLiteral("/out")), QStringLiteral("/out/"));
    EXPECT_EQ(run::WithTrailingSeparator(QStringLiteral("/out/")), QStringLiteral("/out/"));
}

TEST_F(RunControlTest, AutomaticRunGoesOnAfterAFailureAndRemovesNothing)
{
    const QStringList paths = Archives({"a.lzh", "b.lzh", "c.lzh"});
    codes[QStringLiteral("a.lzh")] = tbarc::kCorruptArchive;
    PlainWorkList work(paths);
    const run::RunSummary summary = run::ConvertWholeList(work, history, engine, dir.path(), SfxKind::Win32);
    EXPECT_EQ(work.entries, paths);
    EXPECT_EQ(history.lines.last(), AllFinished);
    EXPECT_EQ(summary.failed, 1);
    EXPECT_EQ(summary.done, 2);
    EXPECT_TRUE(QFile::exists(dir.path() + QStringLiteral("/C.EXE")));
}

TEST_F(RunControlTest, AutomaticRunStopsOnAStopOutcome)
{
    const QStringList paths = Archives({"a.lzh", "b.lzh", "c.lzh"});
    codes[QStringLiteral("b.lzh")] = tbarc::kFolderNotWritable;
    PlainWorkList work(paths);
    const run::RunSummary summary = run::ConvertWholeList(work, history, engine, dir.path(), SfxKind::Win32);
    EXPECT_TRUE(summary.stopped);
    EXPECT_EQ(history.lines.last(), Interrupted);
    EXPECT_FALSE(QFile::exists(dir.path() + QStringLiteral("/C.EXE")));
    EXPECT_TRUE(unlha->calls.filter(QStringLiteral("c.lzh")).isEmpty());
}

TEST_F(RunControlTest, AutoRunConvertsTheCommandLineAndCopiesTheHistory)
{
    const QStringList paths = Archives({"a.lzh", "b.lzh"});
    struct Case {
        bool copiesHistory;
        int copies;
    };
    for (const Case c : {Case{true, 1}, Case{false, 0}}) {
        options::Current().autoRunCopiesHistory = c.copiesHistory;
        history.lines.clear();
        history.copies = 0;
        PlainWorkList work;
        const auto outcome = run::AutoRun(paths, SfxKind::Win32, dir.path(), {work, history, engine});
        ASSERT_TRUE(outcome.summary);
        EXPECT_EQ(outcome.summary->done, 2);
        EXPECT_EQ(work.entries, paths);
        EXPECT_EQ(history.lines.last(), AllFinished);
        EXPECT_EQ(history.copies, c.copies);
    }
}

TEST_F(RunControlTest, AutoRunWithoutAnyFileTakenRunsNothing)
{
    const QStringList paths = Archives({"a.lzh"});
    struct Case {
        QStringList names;
        bool listFull;
    };
    const Case cases[] = {{{paths[0], QStringLiteral("/full.lzh")}, true},
                          {{QStringLiteral("/gone.lzh")}, false}};
    for (const Case& c : cases) {
        PlainWorkList work;
        work.refused << QStringLiteral("/full.lzh");
        work.passedOver.insert(QStringLiteral("/gone.lzh"), run::Admission::Missing);
        QList<run::CommandLineIntake> told;
        const run::AutoRunOutcome outcome =
            run::AutoRun(c.names, SfxKind::Win32, dir.path(),
                         {work, history, engine, [&](const run::CommandLineIntake& i) { told << i; }});
        EXPECT_FALSE(outcome.summary);
        EXPECT_EQ(outcome.intake.listFull, c.listFull);
        ASSERT_EQ(outcome.intake.passedOver.size(), 1);
        EXPECT_EQ(outcome.intake.passedOver[0].name, c.names.last());
        ASSERT_EQ(told.size(), 1) << "the names are reported once, before any conversion";
        EXPECT_EQ(told[0].passedOver.size(), 1);
        EXPECT_TRUE(history.lines.isEmpty());
        EXPECT_EQ(history.copies, 0);
    }
    EXPECT_TRUE(unlha->calls.isEmpty());
}

} // namespace
