// One automatic run over 1000 small archives (100 KB each, 100 MB in all)
// through the real libraries, against `cp` of the same archives, both on a
// memory file system (/dev/shm) so the disk does not decide. Each round does
// both, one right after the other, so a busy machine slows both alike. The
// counters are medians over the rounds: "ratio" is the run's time over the
// copy's (target: at most 1.5).
#include "archiver/archiver.h"
#include "core/autoRun.h"
#include "core/engine.h"
#include "core/options.h"
#include "lists/historyModel.h"
#include "lists/outputListModel.h"
#include "lists/workListModel.h"
#include "support/lzhArchive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <random>

namespace {

constexpr int ArchiveCount = 1000;
constexpr int ArchiveBytes = 100 * 1000;
constexpr int Rounds = 7;
using Clock = std::chrono::steady_clock;
using Ms = std::chrono::duration<double, std::milli>;

// A folder on a memory file system when there is one.
QString ScratchRoot()
{
    return QFileInfo(QStringLiteral("/dev/shm")).isWritable() ? QStringLiteral("/dev/shm") : QDir::tempPath();
}

// One stored entry of random bytes, so the archive is about ArchiveBytes long.
QByteArray SmallArchive()
{
    std::mt19937 random(7);
    std::string data(ArchiveBytes - 100, '\0');
    for (char& c : data)
        c = static_cast<char>(random());
    const testSupport::Bytes bytes = testSupport::MakeLzhArchive({{"", "data.bin", data}}, 1);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

struct Batch {
    QTemporaryDir dir{ScratchRoot() + QStringLiteral("/tb-run-bench-XXXXXX")};
    QStringList archives;
    int rounds = 0;

    Batch()
    {
        QDir(dir.path()).mkpath(QStringLiteral("in"));
        const QByteArray archive = SmallArchive();
        for (int i = 0; i < ArchiveCount; ++i) {
            archives << dir.path() + QStringLiteral("/in/a%1.lzh").arg(i, 4, 10, QChar(u'0'));
            QFile file(archives.last());
            if (!file.open(QIODevice::WriteOnly) || file.write(archive) != archive.size())
                archives.clear();
        }
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

bool CopyWithCp(const QStringList& files, const QString& to)
{
    return QProcess::execute(QStringLiteral("cp"), QStringList{QStringLiteral("-t"), to} + files) == 0;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// state.range(0): the LZH option string asks the library to check every
// entry before it wraps the archive (1, its default) or not (0, -gt0).
void BM_AutomaticRunAgainstCp(benchmark::State& state)
{
    options::Current() = options::Defaults();
    if (state.range(0) == 0)
        options::Current().lzhWin32Options += QStringLiteral(" -gt0");
    options::Current().autoRunCopiesHistory = false;
    archiver::libraries() = archiver::FindLibraries(QStringLiteral(TB_BINARY_DIR "/lib/tollbrook2"));
    Batch batch;
    if (batch.archives.size() != ArchiveCount) {
        state.SkipWithError("cannot write the archives");
        return;
    }

    std::vector<double> runMs, copyMs, ratios;
    for (auto _ : state) {
        const QString out = batch.Fresh(QStringLiteral("out"));
        const QString copy = batch.Fresh(QStringLiteral("copy"));
        WorkListModel work;
        HistoryModel history;
        OutputListModel output;
        core::SfxEngine engine(archiver::libraries(), history, output);

        const auto start = Clock::now();
        const auto summary =
            core::AutoRun(batch.archives, tbarc::SfxKind::Win32, out, {work, history, engine}).summary;
        const auto ran = Clock::now();
        if (!summary || summary->done != ArchiveCount) {
            state.SkipWithError("not every archive was converted");
            break;
        }
        if (!CopyWithCp(batch.archives, copy)) {
            state.SkipWithError("cp failed");
            break;
        }
        const auto copied = Clock::now();
        runMs.push_back(Ms(ran - start).count());
        copyMs.push_back(Ms(copied - ran).count());
        ratios.push_back(runMs.back() / copyMs.back());
        state.SetIterationTime(std::chrono::duration<double>(copied - start).count());
        QDir(out).removeRecursively();
        QDir(copy).removeRecursively();
    }
    if (ratios.empty())
        return;
    state.counters["run_ms"] = Median(runMs);
    state.counters["cp_ms"] = Median(copyMs);
    state.counters["ratio"] = Median(ratios);
}

} // namespace

BENCHMARK(BM_AutomaticRunAgainstCp)
    ->ArgName("verified")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(Rounds);
