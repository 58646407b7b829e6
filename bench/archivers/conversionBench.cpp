// Conversion of Unlha and Cab against a plain copy of the same bytes, for
// reference: the copy lets the kernel copy, a conversion reads the archive
// once through the process (for the seal's CRC-32 and, unless -gt0, the
// verification's decoding) and writes it. For a large archive
// (throughput) and a small one (the cost of a call). Each iteration writes the
// whole output file into a scratch folder, as a run does. And a batch of a
// thousand small archives, with the verification and without it.
#include "support/lzhArchive.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>

#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kMemberSize = 8u << 20;
constexpr int kMembers = 4;
constexpr std::size_t kStubSize = 20u << 10; // the size a stub is allowed to have

using MainFn = int (*)(void*, const char*, char*, std::uint32_t);

enum class Format { Lzh, Cab };

void WriteArchive(const fs::path& path, const testSupport::Bytes& bytes)
{
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}
enum class Size { Large, Small };

struct Fixture {
    fs::path dir;
    fs::path lzh, cab, smallLzh, smallCab, out;
    MainFn unlha = nullptr, cab32 = nullptr;

    Fixture()
    {
        dir = fs::temp_directory_path() / ("tb-conversion-bench-" + std::to_string(getpid()));
        fs::create_directories(dir / "lib/sfx");
        fs::create_directories(dir / "out");
        out = dir / "out";
        const fs::path built = fs::path(TB_BINARY_DIR) / "lib/tollbrook2";
        for (const char* so : {"libunlha32.so", "libcab32.so"})
            fs::copy_file(built / so, dir / "lib" / so);
        // The real Win32 LZH stub when it is built, else a stand-in of the allowed size.
        if (fs::exists(built / "sfx/lzh-win32.exe"))
            fs::copy_file(built / "sfx/lzh-win32.exe", dir / "lib/sfx/lzh-win32.exe");
        else
            std::ofstream(dir / "lib/sfx/lzh-win32.exe", std::ios::binary)
                << "MZ" << std::string(kStubSize - 2, 'S');
        fs::copy_file(built / "sfx/cab-win32.exe", dir / "lib/sfx/cab-win32.exe");

        std::mt19937 random(7);
        std::vector<testSupport::LzhEntry> members;
        fs::create_directories(dir / "files");
        std::string names;
        for (int m = 0; m < kMembers; ++m) {
            std::string data(kMemberSize, '\0');
            for (char& c : data)
                c = static_cast<char>(random());
            const std::string name = "member" + std::to_string(m) + ".bin";
            std::ofstream(dir / "files" / name, std::ios::binary) << data;
            names += " " + name;
            members.push_back({"", name, data});
        }
        lzh = dir / "big.lzh";
        WriteArchive(lzh, testSupport::MakeLzhArchive(members, 0));
        cab = dir / "big.cab";
        if (std::system(
                ("cd '" + (dir / "files").string() + "' && gcab -c '" + cab.string() + "'" + names).c_str())
            != 0)
            throw std::runtime_error("gcab failed");
        // A few hundred bytes, as most archives of a batch are.
        const std::string text(200, 't');
        smallLzh = dir / "small.lzh";
        WriteArchive(smallLzh, testSupport::MakeLzhArchive({{"", "readme.txt", text}}, 0));
        std::ofstream(dir / "files/readme.txt", std::ios::binary) << text;
        smallCab = dir / "small.cab";
        if (std::system(
                ("cd '" + (dir / "files").string() + "' && gcab -c '" + smallCab.string() + "' readme.txt")
                    .c_str())
            != 0)
            throw std::runtime_error("gcab failed");

        unlha = Load("libunlha32.so", "Unlha");
        cab32 = Load("libcab32.so", "Cab");
    }
    ~Fixture() { fs::remove_all(dir); }

    MainFn Load(const char* so, const char* name)
    {
        void* h = dlopen((dir / "lib" / so).c_str(), RTLD_NOW);
        if (h == nullptr)
            throw std::runtime_error(dlerror());
        return reinterpret_cast<MainFn>(dlsym(h, name));
    }
};

Fixture& Setup()
{
    static Fixture fixture;
    return fixture;
}

// What any careful tool does to copy a file: a temporary name, the kernel's
// copy, then a rename into place.
void PlainCopy(const fs::path& from, const fs::path& to)
{
    const int in = open(from.c_str(), O_RDONLY);
    const fs::path temp = to.string() + ".part";
    const int out = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    off_t size = static_cast<off_t>(fs::file_size(from));
    while (size > 0) {
        const ssize_t n = copy_file_range(in, nullptr, out, nullptr, static_cast<size_t>(size), 0);
        if (n <= 0)
            throw std::runtime_error("copy failed");
        size -= n;
    }
    close(in);
    close(out);
    fs::rename(temp, to);
}

const fs::path& Archive(Fixture& f, Format format, Size size)
{
    if (format == Format::Lzh)
        return size == Size::Large ? f.lzh : f.smallLzh;
    return size == Size::Large ? f.cab : f.smallCab;
}

std::string CommandLine(Format format, const fs::path& archive, const fs::path& folder, bool verify = true)
{
    const std::string paths =
        std::string(verify ? "" : " -gt0") + " \"" + archive.string() + "\" \"" + folder.string() + "/\"";
    return format == Format::Lzh ? "s -+ -gw2 -jyo -x1  -y1 -gm1 -gu1" + paths : "-f" + paths;
}

// Converts once into a folder of its own: the plain copy copies what a
// conversion writes (stub and archive), so both move the same bytes.
fs::path ConvertedOnce(Fixture& f, Format format, Size size)
{
    const fs::path folder = f.dir / "reference";
    fs::create_directories(folder);
    const fs::path& archive = Archive(f, format, size);
    char report[512];
    if ((format == Format::Lzh ? f.unlha : f.cab32)(nullptr, CommandLine(format, archive, folder).c_str(),
                                                    report, sizeof report)
        != 0)
        throw std::runtime_error(report);
    return folder / (archive.stem().string() + ".EXE");
}

void BM_PlainCopy(benchmark::State& state, Format format, Size size)
{
    Fixture& f = Setup();
    const fs::path source = ConvertedOnce(f, format, size);
    for (auto _ : state)
        PlainCopy(source, f.out / "copy.EXE");
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(fs::file_size(source)));
}

void BM_Convert(benchmark::State& state, Format format, Size size, bool verify = true)
{
    Fixture& f = Setup();
    const fs::path& archive = Archive(f, format, size);
    const std::string line = CommandLine(format, archive, f.out, verify);
    const MainFn convert = format == Format::Lzh ? f.unlha : f.cab32;
    char report[512];
    for (auto _ : state)
        if (convert(nullptr, line.c_str(), report, sizeof report) != 0)
            state.SkipWithError(report);
    state.SetBytesProcessed(
        state.iterations() * static_cast<int64_t>(fs::file_size(f.out / (archive.stem().string() + ".EXE"))));
}

// A batch as the program runs it: a thousand small archives into one
// folder, with the verification (the default) and without it (-gt0).
void BM_ThousandArchives(benchmark::State& state, bool verify)
{
    Fixture& f = Setup();
    const fs::path in = f.dir / "thousand";
    fs::create_directories(in);
    for (int i = 0; i < 1000; ++i)
        if (!fs::exists(in / ("a" + std::to_string(i) + ".lzh")))
            fs::copy_file(fs::path(TB_SOURCE_DIR) / "samples/hello.lzh",
                          in / ("a" + std::to_string(i) + ".lzh"));
    char report[512];
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        // An empty folder each round, so that neither run replaces files the other made.
        const fs::path out =
            f.dir / ((verify ? "thousand-verified" : "thousand-unverified") + std::to_string(++round));
        fs::remove_all(out);
        fs::create_directories(out);
        state.ResumeTiming();
        for (int i = 0; i < 1000; ++i) {
            const std::string line =
                CommandLine(Format::Lzh, in / ("a" + std::to_string(i) + ".lzh"), out, verify);
            if (f.unlha(nullptr, line.c_str(), report, sizeof report) != 0) {
                state.SkipWithError(report);
                return;
            }
        }
    }
}

} // namespace

BENCHMARK_CAPTURE(BM_ThousandArchives, verified, true)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_CAPTURE(BM_ThousandArchives, unverified, false)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_CAPTURE(BM_PlainCopy, LargeLzh, Format::Lzh, Size::Large)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Convert, LargeLzh, Format::Lzh, Size::Large)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Convert, LargeLzhUnverified, Format::Lzh, Size::Large, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PlainCopy, LargeCab, Format::Cab, Size::Large)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Convert, LargeCab, Format::Cab, Size::Large)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Convert, LargeCabUnverified, Format::Cab, Size::Large, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PlainCopy, SmallLzh, Format::Lzh, Size::Small)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Convert, SmallLzh, Format::Lzh, Size::Small)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PlainCopy, SmallCab, Format::Cab, Size::Small)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Convert, SmallCab, Format::Cab, Size::Small)->Unit(benchmark::kMicrosecond);
