// A large cabinet of several folders is verified on every core, each folder
// on a thread of its own: what it says and writes must be what the
// verification on one thread says and writes, damaged or whole.
#include "archivers/libraryKit.h"

#include <gtest/gtest.h>

#include <functional>

#include <sched.h>

namespace {

using namespace testSupport;

constexpr int kDamagedData = 0x800F;

// Bytes that do not compress, so that four folders of them make a cabinet
// over the 4 MiB from which threads verify it.
std::string Noise(std::size_t size, std::uint32_t seed)
{
    std::string bytes(size, '\0');
    for (char& byte : bytes) {
        seed = seed * 1103515245u + 12345u;
        byte = static_cast<char>(seed >> 24);
    }
    return bytes;
}

// Four folders of three files each, the second much the largest and its
// last file named as no Windows file may be (-gu0 leaves it out); the
// cabinet and where each file's data lies in it, folder by folder.
struct FolderCab {
    std::string bytes;
    std::vector<std::vector<std::size_t>> dataAt;
};

FolderCab MakeFolders(const TempFolder& dir)
{
    const std::size_t fileSizes[] = {400000, 1000000, 200000, 200000};
    std::vector<std::vector<std::pair<std::string, std::string>>> groups(4);
    for (std::size_t f = 0; f < groups.size(); ++f)
        for (std::size_t i = 0; i < 3; ++i)
            groups[f].push_back(
                {f == 1 && i == 2 ? "con.bin" : "f" + std::to_string(f) + "-" + std::to_string(i) + ".bin",
                 Noise(fileSizes[f] + 1000 * i, static_cast<std::uint32_t>(7 * f + i + 1))});
    FolderCab cab{ReadBytes(kit::MakeFolderCab(dir.Path(), groups)), {}};
    // Stored MSZIP blocks hold the data as it is: its first bytes are found.
    for (const auto& group : groups) {
        cab.dataAt.emplace_back();
        for (const auto& file : group)
            cab.dataAt.back().push_back(cab.bytes.find(file.second.substr(0, 64)));
    }
    return cab;
}

std::string Flipped(std::string bytes, std::size_t at)
{
    bytes.at(at) ^= 0x5A;
    return bytes;
}

struct Outcome {
    int code;
    std::string report;
    std::vector<std::string> files;
    std::string exe;
};

// Converts the cabinet into an empty folder.
Outcome Convert(const std::string& cab, const std::string& options)
{
    kit::Library lib("libcab32.so", "Cab", kit::CabStubs());
    TempFolder dir;
    WriteBytes(dir / "a.cab", cab);
    Outcome outcome;
    outcome.code = lib.Run(options + " \"" + (dir / "a.cab") + "\" \"" + dir.Path() + "/\"", &outcome.report);
    // The report names the folder, which is another each time.
    for (std::size_t at = 0; (at = outcome.report.find(dir.Path(), at)) != std::string::npos;)
        outcome.report.replace(at, dir.Path().size(), "DIR");
    outcome.files = kit::ListFolder(dir.Path());
    if (kit::Exists(dir / "a.EXE"))
        outcome.exe = ReadBytes(dir / "a.EXE");
    return outcome;
}

// What f gives with this thread held to one core: the library then sees one.
Outcome OnOneCore(const std::function<Outcome()>& f)
{
    cpu_set_t all, one;
    sched_getaffinity(0, sizeof all, &all);
    CPU_ZERO(&one);
    for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu) {
        if (CPU_ISSET(cpu, &all)) {
            CPU_SET(cpu, &one);
            break;
        }
    }
    sched_setaffinity(0, sizeof one, &one);
    Outcome outcome = f();
    sched_setaffinity(0, sizeof all, &all);
    return outcome;
}

struct FolderCase {
    const char* name;
    std::function<std::string(const FolderCab&)> bytes;
    int code;
    const char* options = "-f";
};

void PrintTo(const FolderCase& c, std::ostream* os)
{
    *os << c.name;
}

class CabinetFolders : public testing::TestWithParam<FolderCase> {};

TEST_P(CabinetFolders, OnEveryCoreAsOnOne)
{
    cpu_set_t usable;
    sched_getaffinity(0, sizeof usable, &usable);
    if (CPU_COUNT(&usable) < 2)
        GTEST_SKIP() << "one core: the cabinet is verified on one thread either way";
    TempFolder dir;
    const std::string cab = GetParam().bytes(MakeFolders(dir));
    const Outcome threads = Convert(cab, GetParam().options);
    const Outcome one = OnOneCore([&] { return Convert(cab, GetParam().options); });
    EXPECT_EQ(threads.code, GetParam().code) << threads.report;
    EXPECT_EQ(threads.code, one.code);
    EXPECT_EQ(threads.report, one.report);
    EXPECT_EQ(threads.files, one.files);
    // (not EXPECT_EQ: the bytes would flood the log)
    EXPECT_TRUE(threads.exe == one.exe) << "the self-extractors differ";
    if (GetParam().code == 0) {
        EXPECT_TRUE(threads.exe.ends_with(cab)) << "the cabinet is carried whole";
    } else if (GetParam().code == 1) {
        EXPECT_EQ(threads.files, (std::vector<std::string>{"a.EXE", "a.cab"})) << "one file left out";
    } else {
        EXPECT_EQ(threads.files, std::vector<std::string>{"a.cab"}) << "a refused cabinet leaves nothing";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cabinets, CabinetFolders,
    testing::Values(
        FolderCase{"whole", [](const FolderCab& c) { return c.bytes; }, 0},
        FolderCase{"damaged_in_the_last_folder",
                   [](const FolderCab& c) { return Flipped(c.bytes, c.bytes.size() - 100); }, kDamagedData},
        // The report names the end of the large second folder, not the start
        // of the third, which is found damaged sooner.
        FolderCase{"damaged_in_the_second_and_third_folders",
                   [](const FolderCab& c) {
                       return Flipped(Flipped(c.bytes, c.dataAt[2][0] + 10), c.dataAt[1][2] + 900000);
                   },
                   kDamagedData},
        // A file left out is not decoded: its damage does not count.
        FolderCase{"damaged_in_a_file_kept",
                   [](const FolderCab& c) { return Flipped(c.bytes, c.dataAt[1][2] + 900000); }, kDamagedData,
                   "-f -gu1"},
        FolderCase{"damaged_in_a_file_left_out",
                   [](const FolderCab& c) { return Flipped(c.bytes, c.dataAt[1][2] + 900000); }, 1,
                   "-f -gu0"},
        FolderCase{"damaged_in_the_first_folder",
                   [](const FolderCab& c) { return Flipped(c.bytes, c.dataAt[0][0] + 5000); }, kDamagedData},
        // The last folder's data ends early: its blocks run past the file.
        FolderCase{"cut_short_in_the_last_folder",
                   [](const FolderCab& c) { return c.bytes.substr(0, c.bytes.size() - 5000); }, 0x8007},
        // ...or past the length the header gives, which the view ends at.
        FolderCase{"length_field_too_small",
                   [](const FolderCab& c) {
                       std::string bytes = c.bytes;
                       const auto length = static_cast<std::uint32_t>(bytes.size() - 200);
                       for (int i = 0; i < 4; ++i)
                           bytes[8 + i] = static_cast<char>((length >> (8 * i)) & 0xFF);
                       return bytes;
                   },
                   kDamagedData}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
