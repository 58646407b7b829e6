// Conversions of real compressed archives against what a user would run
// instead, both measured in the same run, one right after the other in every
// round, so a busy machine slows both alike:
//   Batch      1000 archives (-lh5-/-lh6-/-lh7-, 4 to 7 members of text and
//              binary data, ~60 MB) converted one call each, against `cp -r`
//              of the same archives;
//   LargeLh7 / LargeLh5   one archive of every file under /usr/include
//              (~9,600 members, ~130 MB decoded) converted, against `lhasa t`;
//   LargeCab   the same files as an MSZIP cabinet, against `cabextract -t`.
// Every run happens in a child process of its own, so that its peak memory
// (maxrss) is its own; conversions write to a memory file system when there
// is one. makeRealArchives.sh makes the archives once and keeps them in the
// build tree. Counters are medians over the rounds: ours_s / peer_s (wall
// time), ratio (ours over the peer), cpu_ratio (the same for processor time,
// which other work on the machine does not inflate), ours_MB / peer_MB (peak
// memory). Run under `taskset -c 0` for one core.
#include "benchKit.h"

#include <benchmark/benchmark.h>

#include <dlfcn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path work = fs::path(TB_BINARY_DIR) / "bench-real";
using MainFn = int (*)(void*, const char*, char*, std::uint32_t);

// The workload (large, cab, batch), made when missing; false when it could
// not be made.
bool Made(const char* workload)
{
    const std::string command = "'" TB_SOURCE_DIR "/bench/archivers/makeRealArchives.sh' '" + work.string()
        + "' '" TB_LZHMAKE "' " + workload + " >'" + work.string() + "-" + workload + ".log' 2>&1";
    fs::create_directories(work);
    return std::system(command.c_str()) == 0;
}

MainFn Library(const char* file, const char* function)
{
    void* library = dlopen((std::string(TB_BINARY_DIR) + "/lib/tollbrook2/" + file).c_str(), RTLD_NOW);
    return library != nullptr ? reinterpret_cast<MainFn>(dlsym(library, function)) : nullptr;
}

struct Figures {
    double wall = 0, cpu = 0, peakMB = 0;
    bool ok = false;
};

// Runs job in a child process (its result is the exit status: true, 0).
Figures InChild(const std::function<bool()>& job)
{
    Figures f;
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0)
        _exit(job() ? 0 : 1);
    int status = 0;
    rusage use{};
    if (pid < 0 || wait4(pid, &status, 0, &use) != pid)
        return f;
    f.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    f.cpu = double(use.ru_utime.tv_sec + use.ru_stime.tv_sec)
        + double(use.ru_utime.tv_usec + use.ru_stime.tv_usec) / 1e6;
    f.peakMB = double(use.ru_maxrss) / 1024.0;
    f.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return f;
}

// A shell command as the child (exec'd, so the figures are the command's).
std::function<bool()> Command(const std::string& command)
{
    return [command] {
        execl("/bin/sh", "sh", "-c", ("exec " + command + " >/dev/null 2>&1").c_str(), nullptr);
        return false;
    };
}

// A scratch folder for the outputs, emptied before each run.
struct Scratch {
    fs::path path;
    Scratch()
    {
        const fs::path root = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        path = root / ("tb-real-bench-" + std::to_string(getpid()));
    }
    ~Scratch() { fs::remove_all(path); }
    const fs::path& Fresh()
    {
        fs::remove_all(path);
        fs::create_directories(path / "out");
        return path;
    }
};

// Rounds of ours then the peer; the medians as counters.
void Compare(benchmark::State& state, const std::function<bool(const fs::path&)>& ours,
             const std::function<std::function<bool()>(const fs::path&)>& peer)
{
    Scratch scratch;
    std::vector<double> oursWall, peerWall, oursCpu, peerCpu, oursMB, peerMB;
    for (auto _ : state) {
        const fs::path& place = scratch.Fresh();
        const Figures a = InChild([&] { return ours(place); });
        scratch.Fresh();
        const Figures b = InChild(peer(place));
        if (!a.ok || !b.ok) {
            state.SkipWithError(!a.ok ? "the conversion failed" : "the peer failed");
            return;
        }
        state.SetIterationTime(a.wall);
        oursWall.push_back(a.wall);
        peerWall.push_back(b.wall);
        oursCpu.push_back(a.cpu);
        peerCpu.push_back(b.cpu);
        oursMB.push_back(a.peakMB);
        peerMB.push_back(b.peakMB);
    }
    using benchKit::Median;
    state.counters["ours_s"] = Median(oursWall);
    state.counters["peer_s"] = Median(peerWall);
    state.counters["ratio"] = Median(oursWall) / Median(peerWall);
    state.counters["cpu_ratio"] = Median(oursCpu) / Median(peerCpu);
    state.counters["ours_MB"] = Median(oursMB);
    state.counters["peer_MB"] = Median(peerMB);
}

std::string Quoted(const fs::path& path)
{
    return "\"" + path.string() + "\"";
}

void BM_Batch(benchmark::State& state)
{
    const MainFn unlha = Library("libunlha32.so", "Unlha");
    if (!Made("batch") || unlha == nullptr) {
        state.SkipWithError("no batch (see bench-real-batch.log) or no library");
        return;
    }
    std::vector<fs::path> archives;
    for (const auto& entry : fs::directory_iterator(work / "batch"))
        if (entry.path().extension() == ".lzh")
            archives.push_back(entry.path());
    std::sort(archives.begin(), archives.end());
    Compare(
        state,
        [&](const fs::path& place) {
            char report[1024];
            for (const fs::path& archive : archives) {
                const std::string command =
                    "s -+ -gw2 " + Quoted(archive) + " " + Quoted(place / "out") + "/";
                if (unlha(nullptr, command.c_str(), report, sizeof report) != 0)
                    return false;
            }
            return true;
        },
        [](const fs::path& place) {
            return Command("cp -r '" + (work / "batch").string() + "' '" + place.string() + "/out/'");
        });
    state.counters["archives"] = double(archives.size());
}

void BM_LargeLzh(benchmark::State& state, const char* method)
{
    const MainFn unlha = Library("libunlha32.so", "Unlha");
    const fs::path archive = work / (std::string("large-") + method + ".lzh");
    if (!Made("large") || unlha == nullptr) {
        state.SkipWithError("no archive (see bench-real-large.log) or no library");
        return;
    }
    Compare(
        state,
        [&](const fs::path& place) {
            char report[1024];
            const std::string command = "s -+ -gw2 " + Quoted(archive) + " " + Quoted(place / "out") + "/";
            return unlha(nullptr, command.c_str(), report, sizeof report) == 0;
        },
        [&](const fs::path&) { return Command("lhasa t '" + archive.string() + "'"); });
    state.counters["archive_MB"] = double(fs::file_size(archive)) / 1e6;
}

void BM_LargeCab(benchmark::State& state)
{
    const MainFn cab = Library("libcab32.so", "Cab");
    const fs::path archive = work / "large.cab";
    if (!Made("cab") || cab == nullptr) {
        state.SkipWithError("no cabinet (see bench-real-cab.log) or no library");
        return;
    }
    Compare(
        state,
        [&](const fs::path& place) {
            char report[1024];
            const std::string command = "-f " + Quoted(archive) + " " + Quoted(place / "out") + "/";
            return cab(nullptr, command.c_str(), report, sizeof report) == 0;
        },
        [&](const fs::path&) { return Command("cabextract -t '" + archive.string() + "'"); });
    state.counters["archive_MB"] = double(fs::file_size(archive)) / 1e6;
}

} // namespace

BENCHMARK(BM_Batch)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_CAPTURE(BM_LargeLzh, lh7, "lh7")->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_CAPTURE(BM_LargeLzh, lh5, "lh5")->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_LargeCab)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

BENCHMARK_MAIN();
