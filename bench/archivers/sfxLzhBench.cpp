// tb-sfx-lzh against lhasa: both extract the same archive (~4 MiB of text
// made here, packed with -lh5-, -lh6- and -lh7- by LzhMake) into a fresh
// folder. Times are the processor time of the child processes. The counter
// "vs_lhasa" of each of our runs is our time divided by lhasa's on the same
// archive (below 1: faster).
#include "lzhBenchKit.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace fs = std::filesystem;

namespace {

using namespace lzhBench;

const fs::path work = fs::path(TB_BINARY_DIR) / "bench-sfx-lzh";

// The archive for a method, made once and kept in the build tree.
fs::path archiveFor(const std::string& method)
{
    const fs::path archive = work / (method + ".lzh");
    if (fs::exists(archive))
        return archive;
    fs::create_directories(work / "in");
    const fs::path text = work / "in/data.txt";
    if (!fs::exists(text)) {
        std::ofstream out(text, std::ios::binary);
        unsigned long seed = 12345;
        const char* words[] = {"archive",  "window", "literal", "match",  "block", "huffman",
                               "position", "length", "decoder", "header", "level", "folder"};
        std::string line;
        for (std::size_t size = 0; size < 4u << 20;) {
            seed = seed * 1103515245u + 12345u;
            line = std::string(words[(seed >> 16) % 12]) + ((seed >> 8) % 9 ? " " : "\n");
            if ((seed >> 4) % 31 == 0)
                line += std::to_string(seed % 100000) + " ";
            out << line;
            size += line.size();
        }
    }
    lzhMake(work, work / "in", archive, method, 1, "data.txt");
    return archive;
}

// Processor time the command took (user + system, the shell included): the
// machine may be busy, so wall time would measure the neighbours too.
double secondsOf(const std::string& command)
{
    const double before = cpuSecondsOfChildren();
    if (sh(command) != 0)
        return -1;
    return cpuSecondsOfChildren() - before;
}

std::string ours(const fs::path& archive, const fs::path& dest)
{
    return (fs::path(TB_BINARY_DIR) / "bin/tb-sfx-lzh").string() + " -y -o" + dest.string() + " "
        + archive.string() + " >/dev/null";
}

std::string lhasa(const fs::path& archive, const fs::path& dest)
{
    return "cd " + dest.string() + " && lhasa xfq " + archive.string() + " >/dev/null";
}

std::map<std::string, double> lhasaTime;

void Extract(benchmark::State& state, const std::string& method, bool useLhasa)
{
    const fs::path archive = archiveFor(method);
    if (!fs::exists(archive)) {
        state.SkipWithError("could not make the archive (LzhMake)");
        return;
    }
    const fs::path dest = work / (useLhasa ? "out-lhasa" : "out-ours");
    double total = 0;
    for (auto _ : state) {
        fs::remove_all(dest);
        fs::create_directories(dest);
        const double s = secondsOf(useLhasa ? lhasa(archive, dest) : ours(archive, dest));
        if (s < 0) {
            state.SkipWithError("extraction failed");
            return;
        }
        state.SetIterationTime(s);
        total += s;
    }
    const double mean = total / double(state.iterations());
    state.SetBytesProcessed(std::int64_t(state.iterations())
                            * std::int64_t(fs::file_size(work / "in/data.txt")));
    if (useLhasa)
        lhasaTime[method] = mean;
    else if (lhasaTime.count(method))
        state.counters["vs_lhasa"] = mean / lhasaTime[method];
}

} // namespace

BENCHMARK_CAPTURE(Extract, lhasa_lh5, std::string("lh5"), true)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Extract, ours_lh5, std::string("lh5"), false)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Extract, lhasa_lh6, std::string("lh6"), true)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Extract, ours_lh6, std::string("lh6"), false)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Extract, lhasa_lh7, std::string("lh7"), true)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Extract, ours_lh7, std::string("lh7"), false)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
