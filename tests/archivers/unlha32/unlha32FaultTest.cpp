// Failures of a conversion: each has its code, leaves nothing behind and never
// touches the input. Also the busy flag, which belongs to the process.
#include "archivers/libraryKit.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <thread>

#include <csignal>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace testSupport;

constexpr int kDiskFull = 0x8005;
constexpr int kFolderNotWritable = 0x8006;

const std::string kLongArchive = "fragglet_lhasa/test/archives/lha213/lh5_long.lzh"; // 84 KB

// A small tmpfs for the length of a test; the test is skipped where mounting
// is not allowed (CI runs as root, where it is).
class SmallMount {
public:
    SmallMount(const std::string& where, const char* options) : where_(where)
    {
        std::filesystem::create_directories(where);
        mounted_ = mount("tmpfs", where.c_str(), "tmpfs", 0, options) == 0;
    }
    ~SmallMount()
    {
        if (mounted_)
            umount2(where_.c_str(), MNT_DETACH);
    }
    bool Mounted() const { return mounted_; }
    bool MakeReadOnly()
    {
        return mount(nullptr, where_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

private:
    std::string where_;
    bool mounted_ = false;
};

std::string Line(const std::string& archive, const std::string& folder)
{
    return "s -+ -gw2 -jyo -x1  -y1 -gm1 -gu1 \"" + archive + "\" \"" + folder + "/\"";
}

TEST(UnlhaFault, DiskFullGives8005AndLeavesNothing)
{
    TempFolder dir;
    SmallMount small(dir / "small", "size=64k");
    if (!small.Mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here (needs root): disk-full case not run";
    kit::Library lib("libunlha32.so", "Unlha", kit::FakeLzhStubs());
    const std::string input = kit::CorpusPath(kLongArchive);
    const std::string before = ReadBytes(input);
    EXPECT_EQ(lib.Run(Line(input, dir / "small")), kDiskFull);
    EXPECT_TRUE(kit::ListFolder(dir / "small").empty());
    EXPECT_EQ(ReadBytes(input), before);
}

TEST(UnlhaFault, ReadOnlyFolderGives8006)
{
    TempFolder dir;
    SmallMount small(dir / "ro", "size=1m");
    if (!small.Mounted() || !small.MakeReadOnly())
        GTEST_SKIP() << "cannot mount a read-only tmpfs here (needs root): case not run";
    kit::Library lib("libunlha32.so", "Unlha", kit::FakeLzhStubs());
    EXPECT_EQ(lib.Run(Line(kit::CorpusPath(kLongArchive), dir / "ro")), kFolderNotWritable);
    EXPECT_TRUE(kit::ListFolder(dir / "ro").empty());
}

struct FailureCase {
    const char* what;
    std::function<std::string(const TempFolder&)> prepare; // returns the command line
    int code;
};

class UnlhaFailure : public testing::TestWithParam<FailureCase> {};

TEST_P(UnlhaFailure, HasItsCodeAndLeavesTheFolderAsItWas)
{
    kit::Library lib("libunlha32.so", "Unlha", kit::FakeLzhStubs());
    TempFolder dir;
    const std::string line = GetParam().prepare(dir);
    std::vector<std::string> before = kit::ListFolder(dir.Path());
    std::map<std::string, std::string> contents;
    for (const auto& name : before)
        if (std::filesystem::is_regular_file(dir / name))
            contents[name] = ReadBytes(dir / name);
    std::string report;
    EXPECT_EQ(lib.Run(line, &report), GetParam().code) << GetParam().what << ": " << report;
    EXPECT_EQ(kit::ListFolder(dir.Path()), before);
    for (const auto& [name, bytes] : contents)
        EXPECT_EQ(ReadBytes(dir / name), bytes) << name;
}

std::string Copy(const TempFolder& dir, const std::string& corpusFile, const std::string& as)
{
    WriteBytes(dir / as, ReadBytes(kit::CorpusPath(corpusFile)));
    return dir / as;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UnlhaFailure,
    testing::Values(
        FailureCase{"output is the input",
                    [](const TempFolder& d) {
                        return Line(Copy(d, "fragglet_lhasa/test/archives/lha213/sfx.exe", "A.EXE"),
                                    d.Path());
                    },
                    0x8009},
        FailureCase{"output is the input, reached through a link",
                    [](const TempFolder& d) {
                        std::filesystem::create_directory_symlink(d.Path(), d / "link");
                        return Line(Copy(d, "fragglet_lhasa/test/archives/lha213/sfx.exe", "A.EXE"),
                                    d / "link");
                    },
                    0x8009},
        FailureCase{"missing input", [](const TempFolder& d) { return Line(d / "none.lzh", d.Path()); },
                    0x8003},
        FailureCase{"input is a folder",
                    [](const TempFolder& d) {
                        std::filesystem::create_directory(d / "x.lzh");
                        return Line(d / "x.lzh", d.Path());
                    },
                    0x8003},
        FailureCase{"not an archive",
                    [](const TempFolder& d) {
                        WriteBytes(d / "x.exe", "MZ" + std::string(3000, 'x'));
                        return Line(d / "x.exe", d.Path());
                    },
                    0x8004},
        FailureCase{"cut archive",
                    [](const TempFolder& d) {
                        return Line(Copy(d, "fragglet_lhasa/test/archives/regression/truncated.lzh", "t.lzh"),
                                    d.Path());
                    },
                    0x8007},
        FailureCase{"missing output folder",
                    [](const TempFolder& d) {
                        return Line(Copy(d, "fragglet_lhasa/test/archives/lha213/lh5.lzh", "a.lzh"),
                                    d / "nowhere");
                    },
                    kFolderNotWritable},
        FailureCase{"no stub for the kind",
                    [](const TempFolder& d) {
                        return "s -+ -jw2 \""
                            + Copy(d, "fragglet_lhasa/test/archives/lha213/lh5.lzh", "a.lzh") + "\" \""
                            + d.Path() + "/\"";
                    },
                    0x8008}));

struct BusyCase {
    const char* so;
    const char* prefix;
};

class LibraryBusy : public testing::TestWithParam<BusyCase> {
protected:
    bool Cab() const { return std::string(GetParam().prefix) == "Cab"; }
    // An archive <name>.lzh or <name>.cab of about `size` bytes in dir, and
    // the command that converts it into out.
    std::string Command(const TempFolder& dir, const std::string& name, std::size_t size,
                        const std::string& out)
    {
        const std::string data(size, 'x');
        const std::string input = dir / (name + (Cab() ? ".cab" : ".lzh"));
        if (Cab()) {
            std::filesystem::create_directories(dir / name);
            std::filesystem::rename(kit::MakeCab(dir / name, {{"a.txt", data}}, true), input);
        } else {
            WriteBytes(input, kit::MakeLzh({{"a.txt", data}}));
        }
        return std::string(Cab() ? "-f" : "s -+ -gw2") + " \"" + input + "\" \"" + out + "/\"";
    }
};

TEST_P(LibraryBusy, ACallOfThisProcessMakesItBusy)
{
    std::map<std::string, std::string> stubs = kit::FakeLzhStubs();
    stubs.merge(kit::CabStubs());
    kit::Library lib(GetParam().so, GetParam().prefix, stubs);
    TempFolder dir;
    std::filesystem::create_directories(dir / "long");
    std::filesystem::create_directories(dir / "short");
    const std::string longCall = Command(dir, "long", 48u << 20, dir / "long");
    const std::string shortCall = Command(dir, "short", 100, dir / "short");
    ASSERT_EQ(lib.Running(), 0);
    // While another thread converts, a call is refused at once; a conversion
    // may end between the two looks, so the long one is tried a few times.
    int seen = 0;
    for (int attempt = 0; attempt < 5 && seen != 0x801F; ++attempt) {
        std::filesystem::remove_all(dir / "short");
        std::filesystem::create_directories(dir / "short");
        std::thread other([&] { EXPECT_EQ(lib.Run(longCall), 0); });
        while (lib.Running() == 0)
            std::this_thread::yield();
        seen = lib.Run(shortCall);
        other.join();
    }
    EXPECT_EQ(seen, 0x801F);
    EXPECT_TRUE(kit::ListFolder(dir / "short").empty()) << "a busy call writes nothing";
    EXPECT_EQ(lib.Running(), 0);
    EXPECT_EQ(lib.Run(shortCall), 0);
}

TEST_P(LibraryBusy, ProcessesConvertSideBySideIntoOneFolder)
{
    std::map<std::string, std::string> stubs = kit::FakeLzhStubs();
    stubs.merge(kit::CabStubs());
    kit::Library lib(GetParam().so, GetParam().prefix, stubs);
    TempFolder dir;
    std::filesystem::create_directories(dir / "out");
    constexpr int kProcesses = 3, kCalls = 15;
    std::vector<std::string> calls;
    for (int p = 0; p < kProcesses; ++p)
        calls.push_back(Command(dir, "in" + std::to_string(p), 300000, dir / "out"));
    // Each process converts its own archive again and again, all into one
    // folder: no call is busy, and every output is whole.
    std::vector<pid_t> children;
    for (int p = 0; p < kProcesses; ++p) {
        const pid_t child = fork();
        if (child == 0) {
            int failed = 0;
            for (int i = 0; i < kCalls; ++i)
                failed += lib.Run(calls[p]) != 0;
            _exit(failed);
        }
        children.push_back(child);
    }
    for (const pid_t child : children) {
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "calls of a process failed";
    }
    std::vector<std::string> expected;
    for (int p = 0; p < kProcesses; ++p)
        expected.push_back("in" + std::to_string(p) + ".EXE");
    EXPECT_EQ(kit::ListFolder(dir / "out"), expected) << "no scratch file stays behind";
    // The same conversion, made alone, gives the same bytes.
    std::filesystem::create_directories(dir / "alone");
    for (int p = 0; p < kProcesses; ++p) {
        const std::string call = calls[p].substr(0, calls[p].rfind(" \"")) + " \"" + (dir / "alone") + "/\"";
        ASSERT_EQ(lib.Run(call), 0);
        EXPECT_TRUE(ReadBytes(dir / ("out/" + expected[p])) == ReadBytes(dir / ("alone/" + expected[p])))
            << expected[p];
    }
}

INSTANTIATE_TEST_SUITE_P(Libraries, LibraryBusy,
                         testing::Values(BusyCase{"libunlha32.so", "Unlha"}, BusyCase{"libcab32.so", "Cab"}));

} // namespace
