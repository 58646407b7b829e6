// Conversions of real compressed archives against what a user would run
// instead, both measured in the same run, one right after the other in every
// round, so a busy machine slows both alike:
//   Batch      1000 archives (-lh5-/-lh6-/-lh7-, 4 to 7 members of text and
//              binary data, ~60 MB) converted one call each, against `cp -r`
//              of the same archives;
//   BatchRun/N the same archives as one automatic run of the program on N
//              worker processes, against `cp -r`;
//   LargeLh7 / LargeLh5   one archive of every file under /usr/include
//              (~9,600 members, ~130 MB decoded) converted, against `lhasa t`;
//   LargeCab   the same files as an MSZIP cabinet, against `cabextract -t`;
//   LargeCabFolders  the same again in folders of about 4 MB each, whose
//              data is verified on every core.
// Every run happens in a child process of its own, so that its peak memory
// (maxrss) is its own; conversions write to a memory file system when there
// is one. makeRealArchives.sh makes the archives once and keeps them in the
// build tree. Counters are medians over the rounds: ours_s / peer_s (wall
// time), ours_ratio (ours over the peer), ours_cpu_ratio (the same for
// processor time, which other work on the machine inflates less), ours_MB /
// peer_MB (peak memory), and for a conversion through the library
// ours_call_s, the call alone, as timed inside the child: the wall time also
// holds the child's start and exit, and the exit after a run on two cores
// takes longer, and varies more, than after one. Run under `taskset -c 0`
// for one core.
#include "benchKit.h"

#include <benchmark/benchmark.h>

#include <dlfcn.h>
#include <fcntl.h>
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

// The workload (large, cab, cab-folders, batch), made when missing; false when it could
// not be made.
bool Made(const char* workload)
{
    const std::string command = "'" TB_SOURCE_DIR "/bench/archivers/makeRealArchives.sh' '" + work.string()
        + "' '" TB_LZHMAKE "' " + workload + " >'" + work.string() + "-" + workload + ".log' 2>&1";
    fs::create_directories(work);
    return std::system(command.c_str()) == 0;
}

// The library's entry point, from the build tree or, given a folder, from
// there (nullptr when it cannot be loaded).
MainFn Library(const char* file, const char* function,
               const std::string& folder = TB_BINARY_DIR "/lib/tollbrook2")
{
    void* library = dlopen((folder + "/" + file).c_str(), RTLD_NOW | RTLD_LOCAL);
    return library != nullptr ? reinterpret_cast<MainFn>(dlsym(library, function)) : nullptr;
}

struct Figures {
    double wall = 0, cpu = 0, peakMB = 0;
    double call = 0; // the job alone, when the child timed it (not a command's)
    bool ok = false;
};

// Runs job in a child process (its result is the exit status: true, 0).
Figures InChild(const std::function<bool()>& job)
{
    Figures f;
    // The child sends the job's own time through the pipe; an exec'd command
    // closes it unsent.
    int timing[2];
    if (pipe2(timing, O_CLOEXEC) != 0)
        return f;
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        close(timing[0]);
        const auto begun = std::chrono::steady_clock::now();
        const bool ok = job();
        const double call = std::chrono::duration<double>(std::chrono::steady_clock::now() - begun).count();
        const bool sent = write(timing[1], &call, sizeof call) == sizeof call;
        _exit(ok && sent ? 0 : 1);
    }
    close(timing[1]);
    int status = 0;
    rusage use{};
    const bool waited = pid >= 0 && wait4(pid, &status, 0, &use) == pid;
    if (waited && read(timing[0], &f.call, sizeof f.call) != sizeof f.call)
        f.call = 0;
    close(timing[0]);
    if (!waited)
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

using Conversion = std::function<bool(MainFn, const fs::path&)>;
// What a child process runs in a fresh scratch folder.
using Job = std::function<std::function<bool()>(const fs::path&)>;

// Rounds of ours (and the build before, when given) then the peer; the
// medians as counters.
void Rounds(benchmark::State& state, const Job& ours, const Job& before, const Job& peer)
{
    Scratch scratch;
    std::vector<Figures> oursRuns, beforeRuns, peerRuns;
    const auto run = [&](const Job& job, std::vector<Figures>& runs) {
        runs.push_back(InChild(job(scratch.Fresh())));
        return runs.back().ok;
    };
    for (auto _ : state) {
        if (!run(ours, oursRuns) || (before && !run(before, beforeRuns))) {
            state.SkipWithError("a conversion failed");
            return;
        }
        if (!run(peer, peerRuns)) {
            state.SkipWithError("the peer failed");
            return;
        }
        state.SetIterationTime(oursRuns.back().wall);
    }
    const auto median = [](const std::vector<Figures>& runs, double Figures::*figure) {
        std::vector<double> values;
        for (const Figures& f : runs)
            values.push_back(f.*figure);
        return benchKit::Median(values);
    };
    const auto report = [&](const std::string& name, const std::vector<Figures>& runs) {
        state.counters[name + "_s"] = median(runs, &Figures::wall);
        state.counters[name + "_ratio"] = median(runs, &Figures::wall) / median(peerRuns, &Figures::wall);
        state.counters[name + "_cpu_ratio"] = median(runs, &Figures::cpu) / median(peerRuns, &Figures::cpu);
        state.counters[name + "_MB"] = median(runs, &Figures::peakMB);
        if (median(runs, &Figures::call) > 0)
            state.counters[name + "_call_s"] = median(runs, &Figures::call);
    };
    report("ours", oursRuns);
    if (before)
        report("before", beforeRuns);
    state.counters["peer_s"] = median(peerRuns, &Figures::wall);
    state.counters["peer_MB"] = median(peerRuns, &Figures::peakMB);
}

// Ours through the library's entry point. With TB_BENCH_BEFORE set to the
// folder of another build's libraries, each round also runs that build
// ("before_*" counters), for figures before and after a change side by side.
void Compare(benchmark::State& state, const char* file, const char* function, const Conversion& convert,
             const Job& peer)
{
    const MainFn ours = Library(file, function);
    const char* beforeFolder = std::getenv("TB_BENCH_BEFORE");
    const MainFn before = beforeFolder != nullptr ? Library(file, function, beforeFolder) : nullptr;
    if (ours == nullptr || (beforeFolder != nullptr && before == nullptr)) {
        state.SkipWithError("a library could not be loaded");
        return;
    }
    const auto through = [&](MainFn library) -> Job {
        if (library == nullptr)
            return {};
        return [&convert, library](const fs::path& place) {
            return std::function<bool()>([&convert, library, place] { return convert(library, place); });
        };
    };
    Rounds(state, through(ours), through(before), peer);
}

std::string Quoted(const std::string& path)
{
    return "\"" + path + "\"";
}

void BM_Batch(benchmark::State& state)
{
    if (!Made("batch")) {
        state.SkipWithError("no batch (see bench-real-batch.log)");
        return;
    }
    std::vector<fs::path> archives;
    for (const auto& entry : fs::directory_iterator(work / "batch"))
        if (entry.path().extension() == ".lzh")
            archives.push_back(entry.path());
    std::sort(archives.begin(), archives.end());
    Compare(
        state, "libunlha32.so", "Unlha",
        [&](MainFn unlha, const fs::path& place) {
            char report[1024];
            for (const fs::path& archive : archives) {
                const std::string command =
                    "s -+ -gw2 " + Quoted(archive.string()) + " " + Quoted((place / "out").string() + "/");
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

// The same batch as an automatic run of the program, on as many worker
// processes as the argument says, against `cp -r`.
void BM_BatchRun(benchmark::State& state)
{
    if (!Made("batch")) {
        state.SkipWithError("no batch (see bench-real-batch.log)");
        return;
    }
    std::string archives;
    int count = 0;
    for (const auto& entry : fs::directory_iterator(work / "batch")) {
        if (entry.path().extension() == ".lzh") {
            archives += " " + Quoted(entry.path().string());
            ++count;
        }
    }
    const std::string jobs = std::to_string(state.range(0));
    Rounds(
        state,
        [&](const fs::path& place) {
            // No display, settings of its own: the defaults. The child sets
            // them itself, so that no other program runs in our time.
            const std::function<bool()> run =
                Command("'" TB_BINARY_DIR "/bin/tollbrook2' --auto --jobs=" + jobs
                        + " --out=" + Quoted((place / "out").string()) + archives);
            const std::string settings = place.string();
            return std::function<bool()>([run, settings] {
                for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
                    unsetenv(name);
                setenv("XDG_CONFIG_HOME", settings.c_str(), 1);
                return run();
            });
        },
        {},
        [](const fs::path& place) {
            return Command("cp -r '" + (work / "batch").string() + "' '" + place.string() + "/out/'");
        });
    state.counters["archives"] = double(count);
}

// One large archive: its file in bench-real, the workload that makes it, the
// library and its command, the peer's command.
struct Large {
    const char* file;
    const char* workload;
    const char* library;
    const char* function;
    const char* options;
    const char* peer;
};

void BM_Large(benchmark::State& state, Large large)
{
    const fs::path archive = work / large.file;
    if (!Made(large.workload)) {
        state.SkipWithError("no archive (see the log beside bench-real)");
        return;
    }
    Compare(
        state, large.library, large.function,
        [&](MainFn convert, const fs::path& place) {
            char report[1024];
            const std::string command = std::string(large.options) + " " + Quoted(archive.string()) + " "
                + Quoted((place / "out").string() + "/");
            return convert(nullptr, command.c_str(), report, sizeof report) == 0;
        },
        [&](const fs::path&) { return Command(std::string(large.peer) + " '" + archive.string() + "'"); });
    state.counters["archive_MB"] = double(fs::file_size(archive)) / 1e6;
}

} // namespace

BENCHMARK(BM_Batch)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_BatchRun)->Arg(1)->Arg(2)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_CAPTURE(BM_Large, lh7,
                  Large{"large-lh7.lzh", "large", "libunlha32.so", "Unlha", "s -+ -gw2", "lhasa t"})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK_CAPTURE(BM_Large, lh5,
                  Large{"large-lh5.lzh", "large", "libunlha32.so", "Unlha", "s -+ -gw2", "lhasa t"})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK_CAPTURE(BM_Large, cab, Large{"large.cab", "cab", "libcab32.so", "Cab", "-f", "cabextract -t"})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK_CAPTURE(BM_Large, cab_folders,
                  Large{"large-folders.cab", "cab-folders", "libcab32.so", "Cab", "-f", "cabextract -t"})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

BENCHMARK_MAIN();
