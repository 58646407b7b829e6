// The automatic run on workers against the run in one process: workers that
// run the same engine on the same fake library, finishing their archives in
// an order the case chooses.
#include "engineRig.h"

#include "common/resultCodes.h"
#include "core/runControl.h"
#include "core/runCreatedFiles.h"
#include "core/workerRun.h"
#include "support/fakeLibrary.h"
#include "util/programMessages.h"
#include "util/sharedMessages.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <climits>
#include <memory>

namespace {

using tbarc::SfxKind;

const QString Interrupted = messages::Text(messages::SharedMessage::Interrupted);

QString FileName(const QString& path)
{
    return path.mid(path.lastIndexOf(u'/') + 1);
}

// Workers that convert an archive the moment it is handed to them, as a
// worker process would (a fresh engine, the made-earlier mark as the job
// says), and finish the archives in hand oldest or newest first.
struct FakeWorkers : core::IWorkers {
    enum class Order { OldestFirst, NewestFirst };

    FakeWorkers(const archiver::Libraries& libraries, int count, Order order)
        : libraries(libraries), count(count), order(order)
    {}

    int Open(int archives, tbarc::SfxKind runKind, const QString& outputFolder) override
    {
        kind = runKind;
        folder = core::WithTrailingSeparator(outputFolder);
        return std::min(count, archives);
    }

    bool Start(int worker, const core::WorkerJob& job) override
    {
        if (++starts >= refusedFromStart)
            return false;
        for (const auto& held : inHand)
            EXPECT_NE(held.worker, worker) << "a worker got a second archive";
        log << QStringLiteral("start ") + FileName(job.archive);
        RecordingHistory history;
        RecordingOutput output;
        core::SfxEngine engine(libraries, history, output);
        core::RunCreatedFiles created;
        if (job.madeEarlierThisRun)
            created.Add(folder + core::SelfExtractorName(job.archive));
        const core::Outcome outcome = engine.ConvertArchive(job.archive, folder, kind, created);
        std::optional<core::WorkerReport> report;
        if (!lost.contains(FileName(job.archive)))
            report = core::WorkerReport{history.lines, output.paths, outcome};
        inHand.push_back({worker, FileName(job.archive), report});
        return true;
    }

    Finished WaitForAny() override
    {
        EXPECT_FALSE(inHand.empty());
        const auto held = order == Order::OldestFirst ? inHand.begin() : inHand.end() - 1;
        const Finished finished{held->worker, held->report};
        log << QStringLiteral("end ") + held->archive;
        inHand.erase(held);
        return finished;
    }

    struct Held {
        int worker;
        QString archive;
        std::optional<core::WorkerReport> report;
    };

    const archiver::Libraries& libraries;
    const int count;
    const Order order;
    tbarc::SfxKind kind = SfxKind::Win32;
    QString folder;
    QStringList lost;               // archives whose worker ends without a report
    int refusedFromStart = INT_MAX; // this start and every later one fail
    int starts = 0;
    std::vector<Held> inHand;
    QStringList log; // "start <name>" and "end <name>" in order
};

class WorkerRunTest : public ::testing::Test, protected EngineRig {
protected:
    WorkerRunTest()
    {
        QDir(dir.path()).mkpath(QStringLiteral("in/sub"));
        QDir(dir.path()).mkpath(QStringLiteral("out"));
        unlha->run = [this](const QString& commandLine) {
            for (auto it = codes.cbegin(); it != codes.cend(); ++it) {
                // Entries left out: the file is made all the same.
                if (commandLine.contains(u'/' + it.key() + u'"'))
                    return it.value() > 0 && it.value() <= tbarc::kMaxLeftOutCount
                        ? archiver::FakeArchiverLibrary::WritesExe(it.value())(commandLine)
                        : it.value();
            }
            return archiver::FakeArchiverLibrary::WritesExe()(commandLine);
        };
        libraries.unlha = unlha;
    }

    QString Out() const { return dir.path() + QStringLiteral("/out"); }

    QStringList Archives(std::initializer_list<const char*> names)
    {
        QStringList paths;
        for (const char* name : names) {
            paths << dir.path() + QStringLiteral("/in/") + QString::fromLatin1(name);
            QFile(paths.last()).open(QIODevice::WriteOnly);
        }
        return paths;
    }

    struct Run {
        QStringList history;
        QStringList output;
        core::RunSummary summary;
        QStringList files; // what the output folder holds afterwards
    };

    // A run into an emptied output folder, in this process (no workers) or
    // on them.
    Run Convert(const QStringList& paths, FakeWorkers* workers)
    {
        QDir(Out()).removeRecursively();
        QDir().mkpath(Out());
        history.lines.clear();
        output.paths.clear();
        PlainWorkList work(paths);
        Run run;
        if (workers != nullptr) {
            const int count = workers->Open(work.Count(), SfxKind::Win32, Out());
            run.summary = core::ConvertOnWorkers(work, history, output, *workers, count, Out());
        } else {
            run.summary = core::ConvertWholeList(work, history, engine, Out(), SfxKind::Win32);
        }
        run.history = history.lines;
        run.output = output.paths;
        run.files = QDir(Out()).entryList(QDir::Files);
        return run;
    }

    QTemporaryDir dir;
    QMap<QString, int> codes; // archive file name -> library return code (else success)
    std::shared_ptr<archiver::FakeArchiverLibrary> unlha = std::make_shared<archiver::FakeArchiverLibrary>();
};

struct Shape {
    int workers;
    FakeWorkers::Order order;
};
const Shape kShapes[] = {{2, FakeWorkers::Order::OldestFirst},
                         {2, FakeWorkers::Order::NewestFirst},
                         {3, FakeWorkers::Order::NewestFirst},
                         {8, FakeWorkers::Order::NewestFirst}};

std::string Said(const Shape& shape)
{
    return std::to_string(shape.workers)
        + (shape.order == FakeWorkers::Order::OldestFirst ? " oldest first" : " newest first");
}

TEST_F(WorkerRunTest, SaysAndMakesWhatTheRunInOneProcessDoes)
{
    // Done, damaged, not a target, skipped entries, and self-extractor names
    // met again in other spellings: after a made file (refused) and after a
    // failed one (made then).
    const QStringList paths =
        Archives({"a.lzh", "b.lzh", "sub/A.lzh", "notes.txt", "B.LZH", "c.lzh", "sub/a.LZH", "d.lzh"});
    codes[QStringLiteral("b.lzh")] = tbarc::kDamagedData;
    codes[QStringLiteral("d.lzh")] = 3;
    const Run one = Convert(paths, nullptr);
    ASSERT_EQ(one.summary.failed, 4);
    for (const Shape& shape : kShapes) {
        FakeWorkers workers(libraries, shape.workers, shape.order);
        const Run many = Convert(paths, &workers);
        EXPECT_EQ(many.history, one.history) << Said(shape);
        EXPECT_EQ(many.output, one.output) << Said(shape);
        EXPECT_EQ(many.files, one.files) << Said(shape);
        EXPECT_EQ(many.summary.done, one.summary.done) << Said(shape);
        EXPECT_EQ(many.summary.failed, one.summary.failed) << Said(shape);
        EXPECT_FALSE(many.summary.stopped);
    }
}

TEST_F(WorkerRunTest, AStopStartsNothingMoreAndReportsWhatWasStarted)
{
    const QStringList paths = Archives({"a.lzh", "b.lzh", "c.lzh", "d.lzh", "e.lzh", "f.lzh", "g.lzh"});
    for (const int stopCode : {tbarc::kDiskFull, tbarc::kFolderNotWritable}) {
        codes[QStringLiteral("c.lzh")] = stopCode;
        const Run one = Convert(paths, nullptr);
        ASSERT_EQ(one.history.last(), Interrupted);
        for (const Shape& shape : kShapes) {
            FakeWorkers workers(libraries, shape.workers, shape.order);
            const Run many = Convert(paths, &workers);
            const std::string said = Said(shape) + " code " + std::to_string(stopCode);
            EXPECT_TRUE(many.summary.stopped) << said;
            // The one-process run's lines up to the stop, then those of the
            // archives already started, in list order, then the end line.
            EXPECT_EQ(many.history.mid(0, one.history.size() - 1), one.history.mid(0, one.history.size() - 1))
                << said;
            EXPECT_EQ(many.history.last(), Interrupted) << said;
            const qsizetype stopAt = workers.log.indexOf(QStringLiteral("end c.lzh"));
            ASSERT_GE(stopAt, 0) << said;
            EXPECT_TRUE(workers.log.mid(stopAt).filter(QStringLiteral("start ")).isEmpty()) << said;
            QStringList started, headed;
            for (const QString& entry : workers.log.filter(QStringLiteral("start ")))
                started << entry.mid(6);
            for (const QString& line : many.history.filter(QStringLiteral("[ ")))
                headed << FileName(line.chopped(2));
            EXPECT_EQ(headed, started) << said;
            // Every file made is in the output list.
            QStringList listed;
            for (const QString& path : many.output)
                listed << FileName(path);
            EXPECT_EQ(listed, many.files) << said;
            EXPECT_EQ(many.summary.done, many.files.size()) << said;
        }
    }
}

TEST_F(WorkerRunTest, AnArchiveWhoseWorkerEndsFailsAndTheRunGoesOn)
{
    const QStringList paths = Archives({"a.lzh", "b.lzh", "c.lzh", "d.lzh"});
    const QString lost = messages::Text(messages::ProgramMessage::WorkerLost);
    const QString failed = messages::Text(messages::ProgramMessage::Failed);
    const Run one = Convert(paths, nullptr);
    const auto lines = [&](const QString& path) {
        const qsizetype start = one.history.indexOf(core::ArchiveHeading(path));
        return one.history.mid(start, 3);
    };
    struct Case {
        const char* what;
        QStringList lost;
        int refusedFromStart;
        QStringList expected;
    };
    const Case cases[] = {
        {"one worker ends",
         {QStringLiteral("b.lzh")},
         INT_MAX,
         lines(paths[0]) + QStringList{core::ArchiveHeading(paths[1]), lost, failed} + lines(paths[2])
             + lines(paths[3])},
        {"no worker can start again",
         {},
         2,
         lines(paths[0]) + QStringList{core::ArchiveHeading(paths[1]), lost, failed}
             + QStringList{core::ArchiveHeading(paths[2]), lost, failed}
             + QStringList{core::ArchiveHeading(paths[3]), lost, failed}},
    };
    for (const Case& c : cases) {
        FakeWorkers workers(libraries, 2, FakeWorkers::Order::OldestFirst);
        workers.lost = c.lost;
        workers.refusedFromStart = c.refusedFromStart;
        const Run many = Convert(paths, &workers);
        EXPECT_EQ(many.history, c.expected + QStringList{one.history.last()}) << c.what;
        EXPECT_FALSE(many.summary.stopped) << c.what;
        EXPECT_EQ(many.summary.done + many.summary.failed, paths.size()) << c.what;
    }
}

} // namespace
