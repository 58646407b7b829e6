// One automatic run over 1000 small archives through the real libraries,
// against copying the bytes that run writes. Each round does both, one right
// after the other, so a busy machine slows both alike; the counter "ratio"
// is the run's time over the copy's (target: at most 1.3). "cpu_ratio" is the
// same for the processor time of the process, steadier on a shared machine.
#include "archiver/archiver.h"
#include "core/autoRun.h"
#include "core/engine.h"
#include "core/options.h"
#include "lists/historyModel.h"
#include "lists/outputListModel.h"
#include "lists/workListModel.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>

#include <time.h>

namespace {

constexpr int ArchiveCount = 1000;
using Clock = std::chrono::steady_clock;

// Processor time of the whole process (user and system), in milliseconds.
double ProcessCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

struct Batch {
    QTemporaryDir dir;
    QStringList names;
    int rounds = 0;

    Batch()
    {
        QDir(dir.path()).mkpath(QStringLiteral("in"));
        QStringList archives;
        for (int i = 0; i < ArchiveCount; ++i) {
            archives << dir.path() + QStringLiteral("/in/a%1.lzh").arg(i, 4, 10, QChar(u'0'));
            QFile::copy(QStringLiteral(TB_SOURCE_DIR "/samples/hello.lzh"), archives.last());
        }
        names = archives;
    }

    // A new, empty folder for every round: deleting the files of the last
    // round first would make the file system's inode allocation, not the
    // work measured, dominate the time.
    QString Fresh(const QString& name)
    {
        const QString folder = dir.path() + u'/' + name + QString::number(++rounds);
        QDir().mkpath(folder);
        return folder;
    }
};

// The plainest copy: read every file whole and write it out again.
bool CopyFiles(const QString& from, const QStringList& names, const QString& to)
{
    for (const QString& name : names) {
        QFile source(from + u'/' + name);
        QFile target(to + u'/' + name);
        if (!source.open(QIODevice::ReadOnly) || !target.open(QIODevice::WriteOnly)
            || target.write(source.readAll()) != source.size())
            return false;
    }
    return true;
}

void BM_AutomaticRunAgainstCopy(benchmark::State& state)
{
    options::Options& current = options::Current();
    current.convertLzh = true;
    current.upperCaseNames = true;
    current.autoRunCopiesHistory = false;
    current.lzhWin32Options = QStringLiteral("s -+ -gw2 -jyo -x1  -y1 -gm1");
    archiver::libraries() = archiver::FindLibraries(QStringLiteral(TB_BINARY_DIR "/lib/tollbrook2"));
    Batch batch;

    Clock::duration runTime{}, copyTime{};
    double runCpu = 0, copyCpu = 0;
    for (auto _ : state) {
        const QString out = batch.Fresh(QStringLiteral("out"));
        const QString copy = batch.Fresh(QStringLiteral("copy"));
        WorkListModel work;
        HistoryModel history;
        OutputListModel output;
        core::SfxEngine engine(archiver::libraries(), history, output);

        const double startCpu = ProcessCpuMs();
        const auto start = Clock::now();
        const auto summary =
            core::AutoRun(batch.names, tbarc::SfxKind::Win32, out, {work, history, engine}).summary;
        const auto ran = Clock::now();
        runCpu += ProcessCpuMs() - startCpu;
        if (!summary || summary->done != ArchiveCount) {
            state.SkipWithError("not every archive was converted");
            break;
        }
        const QStringList made = QDir(out).entryList(QDir::Files);
        const double listedCpu = ProcessCpuMs();
        const auto listed = Clock::now();
        if (!CopyFiles(out, made, copy)) {
            state.SkipWithError("copy failed");
            break;
        }
        const auto copied = Clock::now();
        copyCpu += ProcessCpuMs() - listedCpu;
        runTime += ran - start;
        copyTime += copied - listed;
        state.SetIterationTime(std::chrono::duration<double>((ran - start) + (copied - listed)).count());
    }
    using Ms = std::chrono::duration<double, std::milli>;
    const double rounds = double(state.iterations());
    state.counters["run_ms"] = Ms(runTime).count() / rounds;
    state.counters["copy_ms"] = Ms(copyTime).count() / rounds;
    state.counters["ratio"] = Ms(runTime).count() / Ms(copyTime).count();
    state.counters["run_cpu_ms"] = runCpu / rounds;
    state.counters["copy_cpu_ms"] = copyCpu / rounds;
    state.counters["cpu_ratio"] = runCpu / copyCpu;
}

} // namespace

BENCHMARK(BM_AutomaticRunAgainstCopy)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);
