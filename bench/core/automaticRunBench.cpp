// One automatic run over 1000 small archives through the real libraries,
// against copying the bytes that run writes. Report the ratio of the two
// times (target: at most 1.3).
#include "archiver/archiver.h"
#include "core/autoRun.h"
#include "core/commandLine.h"
#include "core/engine.h"
#include "core/options.h"
#include "lists/historyModel.h"
#include "lists/outputListModel.h"
#include "lists/workListModel.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int ArchiveCount = 1000;

struct Batch {
    QTemporaryDir dir;
    QStringList archives;
    QString text;
    QString made;   // the output folder of the latest automatic run

    Batch()
    {
        QDir(dir.path()).mkpath(QStringLiteral("in"));
        for (int i = 0; i < ArchiveCount; ++i) {
            archives << dir.path() + QStringLiteral("/in/a%1.lzh").arg(i, 4, 10, QChar(u'0'));
            QFile::copy(QStringLiteral(TB_SOURCE_DIR "/samples/hello.lzh"), archives.last());
        }
        text = basTollbrook::CommandLineText(archives, dir.path());
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

    int rounds = 0;
};

Batch& TheBatch()
{
    static Batch batch;
    return batch;
}

void SetUpOptions()
{
    basTollbrook::Lzh = true;
    basTollbrook::Cab = true;
    basTollbrook::UCase = true;
    basTollbrook::AutoLog = false;
    basTollbrook::Lzh_OptWin32 = QStringLiteral("s -+ -gw2 -jyo -x1  -y1 -gm1");
}

void BM_AutomaticRun(benchmark::State& state)
{
    SetUpOptions();
    archiver::libraries() = archiver::FindLibraries(QStringLiteral(TB_BINARY_DIR "/lib/tollbrook2"));
    const archiver::Libraries& libraries = archiver::libraries();
    Batch& batch = TheBatch();
    for (auto _ : state) {
        state.PauseTiming();
        const QString out = batch.Fresh(QStringLiteral("out"));
        batch.made = out;
        WorkListModel work;
        HistoryModel history;
        OutputListModel output;
        core::SfxEngine engine(libraries, history, output);
        state.ResumeTiming();
        const auto summary = core::AutoRun(batch.text, core::SfxWin32, out, {work, history, engine});
        if (!summary || summary->done != ArchiveCount) {
            state.SkipWithError("not every archive was converted");
            break;
        }
    }
}

void BM_CopySameBytes(benchmark::State& state)
{
    Batch& batch = TheBatch();
    const QString made = batch.made;
    const QStringList files = QDir(made).entryList(QDir::Files);
    if (files.size() != ArchiveCount) {
        state.SkipWithError("run BM_AutomaticRun first");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        const QString copy = batch.Fresh(QStringLiteral("copy"));
        state.ResumeTiming();
        // The plainest copy: read every file whole and write it out again.
        for (const QString& name : files) {
            QFile from(made + u'/' + name);
            QFile to(copy + u'/' + name);
            if (!from.open(QIODevice::ReadOnly) || !to.open(QIODevice::WriteOnly)
                || to.write(from.readAll()) != from.size()) {
                state.SkipWithError("copy failed");
                break;
            }
        }
    }
}

} // namespace

BENCHMARK(BM_AutomaticRun)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_CopySameBytes)->Unit(benchmark::kMillisecond)->Iterations(5);
