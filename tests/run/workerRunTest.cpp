// The automatic run on workers against the run in one process: workers that
// run the same engine on the same fake library, finishing their archives in
// an order the case chooses.
#include "engineRig.h"

#include "common/resultCodes.h"
#include "run/runControl.h"
#include "run/runCreatedFiles.h"
#include "run/workerRun.h"
#include "support/fakeLibrary.h"
#include "util/programMessages.h"
#include "util/sharedMessages.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>

namespace {

using tbarc::SfxKind;

const QString Interrupted = messages::Text(messages::SharedMessage::Interrupted);

QString FileName(const QString& path)
{
    return path.mid(path.lastIndexOf(u'/') + 1);
}

// The archive's path below the test's input folder.
QString InputName(const QString& path)
{
    return path.mid(path.indexOf(QStringLiteral("/in/")) + 4);
}

// Workers that convert as a worker process does (a fresh engine for each
// archive, the made-earlier mark as the job says, no more of a batch after
// a stop or once told to start no more), a batch at the moment the run
// waits for it; they answer the batches in hand oldest or newest first.
struct FakeWorkers : run::IWorkers {
    enum class Order { OldestFirst, NewestFirst };

    FakeWorkers(const archiver::Libraries& libraries, int count, Order order)
        : libraries(libraries), count(count), order(order)
    {}

    int Open(int archives, tbarc::SfxKind runKind, const QString& outputFolder,
             const options::Options&) override
    {
        kind = runKind;
        folder = run::WithTrailingSeparator(outputFolder);
        return std::min(count, archives);
    }

    bool Start(int worker, const run::WorkerBatch& batch) override
    {
        if (++starts >= refusedFromStart)
            return false;
        EXPECT_FALSE(batch.isEmpty());
        for (const auto& held : inHand)
            EXPECT_NE(held.worker, worker) << "a worker got a second batch";
        inHand.push_back({worker, batch, false});
        largestBatch = std::max(largestBatch, int(batch.size()));
        return true;
    }

    void Cancel(int worker) override
    {
        const auto held =
            std::find_if(inHand.begin(), inHand.end(), [&](const Held& h) { return h.worker == worker; });
        ASSERT_NE(held, inHand.end()) << "a worker without a batch was told to stop";
        held->cancelled = true;
    }

    Finished WaitForAny() override
    {
        EXPECT_FALSE(inHand.empty());
        const auto chosen = order == Order::OldestFirst ? inHand.begin() : inHand.end() - 1;
        const Held held = *chosen;
        inHand.erase(chosen);
        run::WorkerReports reports;
        bool ended = false;
        for (const run::WorkerJob& job : held.batch) {
            if (held.cancelled)
                break;
            log << QStringLiteral("start ") + InputName(job.archive);
            RecordingHistory history;
            RecordingOutput output;
            run::SfxEngine engine(libraries, history, output);
            run::RunCreatedFiles created;
            if (job.madeEarlierThisRun)
                created.Add(folder + run::SelfExtractorName(job.archive));
            const run::Outcome outcome = engine.ConvertArchive(job.archive, folder, kind, created);
            log << QStringLiteral("end ") + InputName(job.archive);
            // The process ends while converting: no answer for the batch.
            if (lost.contains(FileName(job.archive))) {
                ended = true;
                break;
            }
            reports.push_back({history.lines, output.paths, outcome});
            if (outcome == run::OutcomeStop)
                break;
        }
        return {held.worker, ended ? std::nullopt : std::optional(reports)};
    }

    struct Held {
        int worker;
        run::WorkerBatch batch;
        bool cancelled;
    };

    const archiver::Libraries& libraries;
    const int count;
    const Order order;
    tbarc::SfxKind kind = SfxKind::Win32;
    QString folder;
    QStringList lost;               // archives whose worker ends without an answer
    int refusedFromStart = INT_MAX; // this start and every later one fail
    int starts = 0;
    int largestBatch = 0;
    std::vector<Held> inHand;
    QStringList log; // "start <path below in/>" and "end <path below in/>" in order
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
        libraries.Set(archiver::kLzh, unlha);
    }

    QString Out() const { return dir.path() + QStringLiteral("/out"); }

    QStringList Archives(const QStringList& names)
    {
        QStringList paths;
        for (const QString& name : names) {
            paths << dir.path() + QStringLiteral("/in/") + name;
            QFile(paths.last()).open(QIODevice::WriteOnly);
        }
        return paths;
    }
    QStringList Archives(std::initializer_list<const char*> names)
    {
        QStringList spelt;
        for (const char* name : names)
            spelt << QString::fromLatin1(name);
        return Archives(spelt);
    }

    struct Run {
        QStringList history;
        QStringList output;
        run::RunSummary summary;
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
            const int count = workers->Open(work.Count(), SfxKind::Win32, Out(), options::Current());
            run.summary = run::ConvertOnWorkers(work, history, output, *workers, count, Out());
        } else {
            run.summary = run::ConvertWholeList(work, history, engine, Out(), SfxKind::Win32);
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

// Many archives go out in batches of several: their names, in /in and
// /in/sub, come round again in other spellings at distances short and long.
QStringList ManyNames(int count)
{
    QStringList names;
    for (int i = 0; i < count; ++i) {
        const QString name = QStringLiteral("n%1.lzh").arg(i % 20);
        names << (i / 20 == 1 ? QStringLiteral("sub/") + name : i / 20 == 2 ? name.toUpper() : name);
    }
    return names;
}

TEST_F(WorkerRunTest, SaysAndMakesWhatTheRunInOneProcessDoes)
{
    // Done, damaged, not a target, skipped entries, and self-extractor names
    // met again in other spellings: after a made file (refused) and after a
    // failed one (made then).
    const QStringList few =
        Archives({"a.lzh", "b.lzh", "sub/A.lzh", "notes.txt", "B.LZH", "c.lzh", "sub/a.LZH", "d.lzh"});
    codes[QStringLiteral("b.lzh")] = tbarc::kDamagedData;
    codes[QStringLiteral("d.lzh")] = 3;
    codes[QStringLiteral("n5.lzh")] = tbarc::kDamagedData;
    codes[QStringLiteral("n7.lzh")] = 2;
    const QStringList many = Archives(ManyNames(56));
    for (const QStringList& paths : {few, many}) {
        const Run one = Convert(paths, nullptr);
        ASSERT_GE(one.summary.failed, 4);
        for (const Shape& shape : kShapes) {
            FakeWorkers workers(libraries, shape.workers, shape.order);
            const Run run = Convert(paths, &workers);
            const std::string said = Said(shape) + ", " + std::to_string(paths.size()) + " archives";
            EXPECT_EQ(run.history, one.history) << said;
            EXPECT_EQ(run.output, one.output) << said;
            EXPECT_EQ(run.files, one.files) << said;
            EXPECT_EQ(run.summary.done, one.summary.done) << said;
            EXPECT_EQ(run.summary.failed, one.summary.failed) << said;
            EXPECT_FALSE(run.summary.stopped);
            if (paths.size() > 40 && shape.workers == 2) {
                EXPECT_GT(workers.largestBatch, 1) << said;
            }
        }
    }
}

TEST_F(WorkerRunTest, AStopStartsNothingMoreAndReportsWhatWasStarted)
{
    // Few archives, one a batch; and many, where the other workers' batches
    // hold archives they have not started when the stop comes.
    const struct {
        QStringList paths;
        QString stopping;
    } lists[] = {
        {Archives({"a.lzh", "b.lzh", "c.lzh", "d.lzh", "e.lzh", "f.lzh", "g.lzh"}), QStringLiteral("c.lzh")},
        {Archives(ManyNames(56)), QStringLiteral("n12.lzh")}};
    for (const auto& [paths, stopping] : lists) {
        for (const int stopCode : {tbarc::kDiskFull, tbarc::kFolderNotWritable}) {
            codes.clear();
            codes[stopping] = stopCode;
            const Run one = Convert(paths, nullptr);
            ASSERT_EQ(one.history.last(), Interrupted);
            for (const Shape& shape : kShapes) {
                FakeWorkers workers(libraries, shape.workers, shape.order);
                const Run many = Convert(paths, &workers);
                const std::string said = Said(shape) + " code " + std::to_string(stopCode) + ", "
                    + std::to_string(paths.size()) + " archives";
                EXPECT_TRUE(many.summary.stopped) << said;
                // The one-process run's lines up to the stop, then those of the
                // archives already started, in list order, then the end line.
                EXPECT_EQ(many.history.mid(0, one.history.size() - 1),
                          one.history.mid(0, one.history.size() - 1))
                    << said;
                EXPECT_EQ(many.history.last(), Interrupted) << said;
                // After the stop no archive later in the list is started.
                const qsizetype stopAt = workers.log.indexOf(QStringLiteral("end ") + stopping);
                ASSERT_GE(stopAt, 0) << said;
                const qsizetype stopIndex = paths.indexOf(dir.path() + QStringLiteral("/in/") + stopping);
                for (const QString& entry : workers.log.mid(stopAt).filter(QStringLiteral("start ")))
                    EXPECT_LT(paths.indexOf(dir.path() + QStringLiteral("/in/") + entry.mid(6)), stopIndex)
                        << said << " " << entry.toStdString();
                // What was started is what the history heads.
                QStringList started, headed;
                for (const QString& entry : workers.log.filter(QStringLiteral("start ")))
                    started << entry.mid(6);
                for (const QString& line : many.history.filter(QStringLiteral("[ ")))
                    headed << InputName(line.chopped(2));
                started.sort();
                headed.sort();
                EXPECT_EQ(headed, started) << said;
                // Every file made is in the output list.
                QStringList listed;
                for (const QString& path : many.output)
                    listed << FileName(path);
                listed.sort();
                EXPECT_EQ(listed, many.files) << said;
                EXPECT_EQ(many.summary.done, many.files.size()) << said;
            }
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
        const qsizetype start = one.history.indexOf(run::ArchiveHeading(path));
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
         lines(paths[0]) + QStringList{run::ArchiveHeading(paths[1]), lost, failed} + lines(paths[2])
             + lines(paths[3])},
        {"no worker can start again",
         {},
         2,
         lines(paths[0]) + QStringList{run::ArchiveHeading(paths[1]), lost, failed}
             + QStringList{run::ArchiveHeading(paths[2]), lost, failed}
             + QStringList{run::ArchiveHeading(paths[3]), lost, failed}},
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
