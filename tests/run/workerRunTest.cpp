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

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

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

// The two ends a worker's library hands its files over on.
struct HandOverPair {
    HandOverPair()
    {
        EXPECT_EQ(::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, ends), 0);
        ::fcntl(ends[1], F_SETFL, O_NONBLOCK);
    }
    ~HandOverPair()
    {
        ::close(ends[0]);
        ::close(ends[1]);
    }
    int ends[2];
};

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
        inHand.push_back({worker, batch});
        largestBatch = std::max(largestBatch, int(batch.size()));
        return true;
    }

    void Abandon(int worker) override
    {
        const auto held =
            std::find_if(inHand.begin(), inHand.end(), [&](const Held& h) { return h.worker == worker; });
        ASSERT_NE(held, inHand.end()) << "a worker without a batch was abandoned";
        inHand.erase(held);
        ++abandoned;
    }

    void WatchStopRequest(run::IStopRequest& request) override { stopRequest = &request; }

    Finished WaitForAny() override
    {
        EXPECT_FALSE(inHand.empty());
        if (answers++ == interruptAt || (stopRequest != nullptr && !stopSaid && stopRequest->Requested())) {
            stopSaid = true;
            return {-1, std::nullopt, true};
        }
        const auto chosen = order == Order::OldestFirst ? inHand.begin() : inHand.end() - 1;
        const Held held = *chosen;
        inHand.erase(chosen);
        run::WorkerReports reports;
        bool ended = false;
        for (const run::WorkerJob& job : held.batch) {
            log << QStringLiteral("start ") + InputName(job.archive);
            laterHeld = LaterHeld(job.archive);
            RecordingHistory history;
            RecordingOutput output;
            run::SfxEngine engine(libraries, history, output);
            run::RunCreatedFiles created;
            if (job.madeEarlierThisRun)
                created.Add(folder + run::SelfExtractorName(job.archive));
            std::optional<tbarc::HandedOver> handed;
            const run::Outcome outcome =
                engine.ConvertArchive(job.archive, folder, kind, created, sockets, handed);
            log << QStringLiteral("end ") + InputName(job.archive);
            // The process ends while converting: no answer for the batch.
            if (lost.removeOne(FileName(job.archive)) || endsAlways.contains(job.archive)) {
                if (handed)
                    tbarc::DiscardHandedOver(*handed);
                for (run::WorkerReport& report : reports) {
                    if (report.handedOver)
                        tbarc::DiscardHandedOver(*report.handedOver);
                }
                ended = true;
                break;
            }
            if (handed) {
                struct stat file;
                ::fstat(handed->fd, &file);
                staged.push_back({int(list.indexOf(job.archive)), handed->fd, file.st_ino});
            }
            reports.push_back({history.lines, output.paths, outcome, engine.LastLibraryCode(), handed});
            if (outcome == run::OutcomeStop)
                break;
        }
        return {held.worker, ended ? std::nullopt : std::optional(reports)};
    }

    struct Held {
        int worker;
        run::WorkerBatch batch;
    };

    const archiver::Libraries& libraries;
    const int count;
    const Order order;
    tbarc::SfxKind kind = SfxKind::Win32;
    QString folder;
    QStringList lost;       // archives whose worker ends without an answer, once each
    QStringList endsAlways; // archives (paths) whose worker ends every time
    QStringList list;       // the run's archives, in order
    bool laterHeld = false; // while an archive converts: a later one holds a file
    int interruptAt = -1;   // the wait that is interrupted (Ctrl+C) instead of answered
    run::IStopRequest* stopRequest = nullptr;
    bool stopSaid = false;
    int answers = 0;

    // Whether an archive after this one in the list is in another worker's
    // hand, or has a file handed over that is still open (the run closes
    // what it places or drops).
    bool LaterHeld(const QString& archive) const
    {
        const qsizetype index = list.indexOf(archive);
        for (const Held& held : inHand) {
            for (const run::WorkerJob& job : held.batch) {
                if (list.indexOf(job.archive) > index)
                    return true;
            }
        }
        for (const Staged& file : staged) {
            struct stat now;
            if (file.index > index && ::fstat(file.fd, &now) == 0 && now.st_ino == file.inode)
                return true;
        }
        return false;
    }
    struct Staged {
        int index;
        int fd;
        ino_t inode;
    };
    std::vector<Staged> staged;
    int abandoned = 0;
    int refusedFromStart = INT_MAX; // this start and every later one fail
    int starts = 0;
    int largestBatch = 0;
    HandOverPair handOver;
    run::HandOverSockets sockets{handOver.ends[0], handOver.ends[1]};
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
            // Full only while other archives hold files beside this one.
            for (const QString& name : fullBesideOthers) {
                if (commandLine.contains(u'/' + name + u'"') && laterHeld != nullptr && *laterHeld)
                    return int(tbarc::kDiskFull);
            }
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
        QMap<QString, QByteArray> files; // what the output folder holds afterwards
    };

    // A run into an emptied output folder, in this process (no workers) or
    // on them.
    Run Convert(const QStringList& paths, FakeWorkers* workers)
    {
        QDir(Out()).removeRecursively();
        QDir().mkpath(Out());
        if (!older.isEmpty()) {
            QFile file(Out() + u'/' + older);
            file.open(QIODevice::WriteOnly);
            file.write("older");
        }
        history.lines.clear();
        output.paths.clear();
        PlainWorkList work(paths);
        Run run;
        if (workers != nullptr) {
            const int count = workers->Open(work.Count(), SfxKind::Win32, Out(), options::Current());
            run.summary = run::ConvertOnWorkers(work, history, output, *workers, count, Out());
        } else {
            int asked = 0;
            run.summary = run::ConvertWholeList(work, history, engine, Out(), SfxKind::Win32,
                                                [&] { return asked++ == interruptBefore; });
        }
        run.history = history.lines;
        run.output = output.paths;
        for (const QString& name : QDir(Out()).entryList(QDir::Files | QDir::Hidden)) {
            QFile file(Out() + u'/' + name);
            file.open(QIODevice::ReadOnly);
            run.files[name] = file.readAll();
        }
        return run;
    }

    QTemporaryDir dir;
    QMap<QString, int> codes;        // archive file name -> library return code (else success)
    QStringList fullBesideOthers;    // archive file names whose disk is full beside other work
    const bool* laterHeld = nullptr; // the workers' word: a later archive holds a file
    QString older;                   // a file the output folder holds before each run, if any
    int interruptBefore = -1;        // in one process: the archive the run is interrupted before
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

// For every place a stop can come in the list, and every number of workers
// and order they finish in, the run says, lists and leaves exactly what the
// run in one process does: nothing after the stop is placed or said, and an
// older file a later archive would have replaced stays as it was. A full
// disk that only the work beside it caused is met again alone and passes;
// a worker that ends once under an archive costs nothing, one that ends
// every time loses that archive alone.
TEST_F(WorkerRunTest, TheResultIsTheOneProcessRunsWhateverTheWorkersAndWhereverTheRunStops)
{
    const QStringList paths = Archives(ManyNames(24));
    const QList<Shape> shapes = {
        {1, FakeWorkers::Order::OldestFirst}, kShapes[0], kShapes[1], kShapes[2], kShapes[3]};
    enum class Event { DiskFull, FolderNotWritable, DiskFullBesideOthers, WorkerEndsOnce, WorkerEndsAlways };
    const QString lost = messages::Text(messages::ProgramMessage::WorkerLost);
    const QString failed = messages::Text(messages::ProgramMessage::Failed);
    // An older file of the last archive's name, which only a run that gets
    // there replaces.
    older = FileName(run::SelfExtractorName(paths.last()));
    int droppedForAFullDisk = 0;
    for (qsizetype at = 0; at < paths.size(); ++at) {
        const QString name = FileName(paths[at]);
        for (const Event event : {Event::DiskFull, Event::FolderNotWritable, Event::DiskFullBesideOthers,
                                  Event::WorkerEndsOnce, Event::WorkerEndsAlways}) {
            codes.clear();
            fullBesideOthers.clear();
            if (event == Event::DiskFull || event == Event::FolderNotWritable)
                codes[name] = event == Event::DiskFull ? tbarc::kDiskFull : tbarc::kFolderNotWritable;
            if (event == Event::DiskFullBesideOthers)
                fullBesideOthers << name;
            // A worker that always ends under an archive has no one-process
            // counterpart: the run on one worker is the measure, and it
            // says the archive was lost.
            std::optional<Run> expected;
            if (event != Event::WorkerEndsAlways)
                expected = Convert(paths, nullptr);
            for (const Shape& shape : shapes) {
                FakeWorkers workers(libraries, shape.workers, shape.order);
                if (event == Event::WorkerEndsOnce)
                    workers.lost << name;
                if (event == Event::WorkerEndsAlways)
                    workers.endsAlways << paths[at];
                workers.list = paths;
                laterHeld = &workers.laterHeld;
                const Run many = Convert(paths, &workers);
                laterHeld = nullptr;
                if (!expected) {
                    const qsizetype line = many.history.indexOf(run::ArchiveHeading(paths[at]));
                    ASSERT_GE(line, 0);
                    EXPECT_EQ(many.history.mid(line + 1, 2), (QStringList{lost, failed}));
                    expected = many;
                }
                const Run& one = *expected;
                if (event == Event::DiskFullBesideOthers)
                    droppedForAFullDisk += workers.abandoned;
                const std::string said = Said(shape) + ", event " + std::to_string(int(event)) + " at "
                    + std::to_string(at) + " (" + name.toStdString() + ")";
                EXPECT_EQ(many.history, one.history) << said;
                EXPECT_EQ(many.output, one.output) << said;
                EXPECT_EQ(many.files, one.files) << said;
                EXPECT_EQ(many.summary.done, one.summary.done) << said;
                EXPECT_EQ(many.summary.failed, one.summary.failed) << said;
                EXPECT_EQ(many.summary.stopped, one.summary.stopped) << said;
            }
        }
    }
    EXPECT_GT(droppedForAFullDisk, 0) << "no later work was ever dropped for a full disk";
}

// When no worker process can be started any more, every archive left is
// said to be lost, in list order, and the run ends as usual.
TEST_F(WorkerRunTest, WithoutAnyWorkerLeftTheRestIsLost)
{
    const QStringList paths = Archives({"a.lzh", "b.lzh", "c.lzh", "d.lzh"});
    FakeWorkers workers(libraries, 2, FakeWorkers::Order::OldestFirst);
    workers.refusedFromStart = 2;
    const Run many = Convert(paths, &workers);
    const QStringList headings = many.history.filter(QStringLiteral("[ "));
    ASSERT_EQ(headings.size(), paths.size());
    for (qsizetype i = 0; i < paths.size(); ++i)
        EXPECT_EQ(headings[i], run::ArchiveHeading(paths[i]));
    EXPECT_EQ(many.history.count(messages::Text(messages::ProgramMessage::WorkerLost)), many.summary.failed);
    EXPECT_GT(many.summary.failed, 0);
    EXPECT_EQ(many.summary.done + many.summary.failed, paths.size());
    EXPECT_FALSE(many.summary.stopped);
}

// Interrupted (Ctrl+C, SIGTERM), the run starts nothing more, says what the
// workers had in hand and ends as the one-process run interrupted before
// the first archive it did not say.
TEST_F(WorkerRunTest, AnInterruptedRunEndsAsTheOneProcessRunInterruptedThere)
{
    const QStringList paths = Archives(ManyNames(40));
    for (const Shape& shape : kShapes) {
        for (const int interruptAt : {0, 1, 3}) {
            FakeWorkers workers(libraries, shape.workers, shape.order);
            workers.interruptAt = interruptAt;
            const Run many = Convert(paths, &workers);
            const std::string said = Said(shape) + ", interrupted at wait " + std::to_string(interruptAt);
            EXPECT_TRUE(many.summary.stopped) << said;
            const qsizetype saidArchives = many.history.filter(QStringLiteral("[ ")).size();
            EXPECT_GT(saidArchives, 0) << said;
            EXPECT_LT(saidArchives, paths.size()) << said;
            interruptBefore = int(saidArchives);
            const Run one = Convert(paths, nullptr);
            interruptBefore = -1;
            EXPECT_EQ(many.history, one.history) << said;
            EXPECT_EQ(many.output, one.output) << said;
            EXPECT_EQ(many.files, one.files) << said;
            EXPECT_EQ(many.summary.done, one.summary.done) << said;
            EXPECT_TRUE(one.summary.stopped) << said;
        }
    }
}

} // namespace
