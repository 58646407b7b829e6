// The verification every conversion makes against `lhasa t` on the same
// archive: about 30 MB of -lh5- and -lh7- members (text and denser binary
// data, packed by LzhMake once and kept in the build tree). Times are
// processor times: `lhasa t` as a child process, the conversion in this
// process, so a busy machine does not count. The counter "vs_lhasa" of a
// conversion is its time over lhasa's (below 1: faster), "verify_vs_lhasa"
// that of the verification alone (the conversion with it, less the one
// without it: copying, the CRC-32 and writing are the same in both).
#include "benchKit.h"
#include "lzhBenchKit.h"

#include <benchmark/benchmark.h>

#include <dlfcn.h>
#include <time.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace fs = std::filesystem;

namespace {

using namespace lzhBench;

const fs::path work = fs::path(TB_BINARY_DIR) / "bench-verify";

void writeInputs()
{
    fs::create_directories(work / "in");
    std::mt19937 random(12345);
    const char* words[] = {"archive", "window",  "literal", "match", "block",  "huffman", "position",
                           "length",  "decoder", "header",  "level", "folder", "entry",   "member"};
    {
        std::ofstream text(work / "in/text.txt", std::ios::binary);
        for (std::size_t size = 0; size < (20u << 20);) {
            std::string line = std::string(words[random() % 14]) + (random() % 9 ? " " : "\n");
            if (random() % 31 == 0)
                line += std::to_string(random() % 100000) + " ";
            text << line;
            size += line.size();
        }
    }
    std::ofstream dense(work / "in/dense.bin", std::ios::binary);
    std::string block(1u << 20, '\0');
    for (int mb = 0; mb < 13; ++mb) {
        for (char& c : block)
            c = static_cast<char>(random() % 64 + (random() % 5 == 0 ? 128 : 0));
        dense << block;
    }
}

// The archive, made once: the -lh5- members, then the -lh7- ones.
fs::path archive()
{
    const fs::path both = work / "lh5-lh7.lzh";
    if (fs::exists(both))
        return both;
    writeInputs();
    for (const char* method : {"lh5", "lh7"})
        lzhMake(work, work / "in", (work / method).string() + ".lzh", method, 2, "text.txt dense.bin");
    std::ifstream lh5(work / "lh5.lzh", std::ios::binary), lh7(work / "lh7.lzh", std::ios::binary);
    std::string first((std::istreambuf_iterator<char>(lh5)), {}),
        second((std::istreambuf_iterator<char>(lh7)), {});
    if (first.empty() || second.empty())
        return {};
    first.pop_back(); // the end marker
    std::ofstream(both, std::ios::binary) << first << second;
    return both;
}

using UnlhaFunction = int (*)(void*, const char*, char*, std::uint32_t);

UnlhaFunction unlha()
{
    static void* library =
        dlopen((std::string(TB_BINARY_DIR) + "/lib/tollbrook2/libunlha32.so").c_str(), RTLD_NOW | RTLD_LOCAL);
    return library ? reinterpret_cast<UnlhaFunction>(dlsym(library, "Unlha")) : nullptr;
}

double lhasaSeconds = 0, unverifiedSeconds = 0;

void BM_LhasaTest(benchmark::State& state)
{
    const fs::path file = archive();
    if (file.empty()) {
        state.SkipWithError("could not make the archive (LzhMake)");
        return;
    }
    double total = 0;
    for (auto _ : state) {
        const double before = cpuSecondsOfChildren();
        if (sh("lhasa t " + file.string() + " >/dev/null 2>&1") != 0) {
            state.SkipWithError("lhasa t failed");
            return;
        }
        const double s = cpuSecondsOfChildren() - before;
        state.SetIterationTime(s);
        total += s;
    }
    lhasaSeconds = total / double(state.iterations());
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(fs::file_size(file)));
    state.counters["archive_MB"] = double(fs::file_size(file)) / 1e6;
}

void BM_Convert(benchmark::State& state, bool verify)
{
    const fs::path file = archive();
    const UnlhaFunction convert = unlha();
    if (file.empty() || convert == nullptr) {
        state.SkipWithError("no archive or no library");
        return;
    }
    fs::create_directories(work / "out");
    const std::string command = std::string("s -+ -gw2 ") + (verify ? "-gt1" : "-gt0") + " \"" + file.string()
        + "\" \"" + (work / "out").string() + "/\"";
    double total = 0;
    char report[4096];
    for (auto _ : state) {
        const double before = benchKit::ProcessCpuSeconds();
        if (convert(nullptr, command.c_str(), report, sizeof report) != 0) {
            state.SkipWithError(report);
            return;
        }
        const double s = benchKit::ProcessCpuSeconds() - before;
        state.SetIterationTime(s);
        total += s;
    }
    const double mean = total / double(state.iterations());
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(fs::file_size(file)));
    if (!verify)
        unverifiedSeconds = mean;
    if (lhasaSeconds > 0)
        state.counters["vs_lhasa"] = mean / lhasaSeconds;
    if (verify && lhasaSeconds > 0 && unverifiedSeconds > 0)
        state.counters["verify_vs_lhasa"] = (mean - unverifiedSeconds) / lhasaSeconds;
}

} // namespace

BENCHMARK(BM_LhasaTest)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_CAPTURE(BM_Convert, unverified, false)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK_CAPTURE(BM_Convert, verified, true)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

BENCHMARK_MAIN();
