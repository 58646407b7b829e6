// The input and work lists rebuild the long path of every archive they show,
// so a folder of a thousand archives costs a thousand GetLongPath calls.
#include "util/paths.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

void BM_GetLongPathOverAFullFolder(benchmark::State& state)
{
    const int files = int(state.range(0));
    QTemporaryDir root;
    const QDir dir(root.path());
    dir.mkpath(QStringLiteral("Archives"));
    QStringList paths;
    for (int i = 0; i < files; ++i) {
        paths += dir.filePath(QStringLiteral("Archives/ARCHIVE%1.LZH").arg(i));
        QFile(paths.back()).open(QIODevice::WriteOnly);
    }
    for (auto _ : state) {
        for (const QString& path : paths)
            benchmark::DoNotOptimize(paths::GetLongPath(path));
    }
    state.SetItemsProcessed(state.iterations() * files);
}
BENCHMARK(BM_GetLongPathOverAFullFolder)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_ShortenPath(benchmark::State& state)
{
    const QString path = QStringLiteral("/home/user/Downloads/archives/2026/December/ARCHIVE.LZH");
    for (auto _ : state)
        benchmark::DoNotOptimize(paths::ShortenPath(path));
}
BENCHMARK(BM_ShortenPath);

} // namespace
