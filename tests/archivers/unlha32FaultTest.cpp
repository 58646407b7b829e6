// Failures of a conversion: each has its code, leaves nothing behind and never
// touches the input. Also the busy lock seen from another process.
#include "unlha32TestKit.h"

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

// Another process holding the library: flock(1) takes the same lock file.
class LockHolder {
public:
    explicit LockHolder(const std::string& lockFile)
    {
        pid_ = fork();
        if (pid_ == 0) {
            // -o: flock itself holds the lock, so ending its group releases it.
            setpgid(0, 0);
            execlp("flock", "flock", "-o", "-x", lockFile.c_str(), "sleep", "30",
                   static_cast<char*>(nullptr));
            _exit(127);
        }
    }
    ~LockHolder()
    {
        kill(-pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }

private:
    pid_t pid_;
};

struct BusyCase {
    const char* so;
    const char* prefix;
    const char* lock;
};

class LibraryBusy : public testing::TestWithParam<BusyCase> {};

TEST_P(LibraryBusy, AnotherProcessHoldingItMakesItBusy)
{
    const BusyCase& c = GetParam();
    std::map<std::string, std::string> stubs = kit::FakeLzhStubs();
    stubs.merge(kit::CabStubs());
    kit::Library lib(c.so, c.prefix, stubs);
    TempFolder dir;
    const std::string input = std::string(c.prefix) == "Cab"
        ? kit::MakeCab(dir.Path(), {{"a.txt", "a"}}, false)
        : Copy(dir, "fragglet_lhasa/test/archives/lha213/lh5.lzh", "made.lzh");
    const std::string line = std::string(std::string(c.prefix) == "Cab" ? "-f" : "s -+ -gw2") + " \"" + input
        + "\" \"" + (dir / "out") + "/\"";
    std::filesystem::create_directory(dir / "out");
    ASSERT_EQ(lib.Running(), 0);

    const std::string lockDir = std::string(std::getenv("XDG_RUNTIME_DIR")) + "/tollbrook2";
    std::filesystem::create_directories(lockDir);
    {
        LockHolder holder(lockDir + "/" + c.lock);
        for (int i = 0; i < 500 && lib.Running() == 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ASSERT_NE(lib.Running(), 0) << "the other process never took the lock";
        EXPECT_EQ(lib.Run(line), 0x801F);
        EXPECT_TRUE(kit::ListFolder(dir / "out").empty());
    }
    EXPECT_EQ(lib.Running(), 0);
    EXPECT_EQ(lib.Run(line), 0);
}

TEST_P(LibraryBusy, ALockFileRemovedMeanwhileIsOpenedAgain)
{
    const BusyCase& c = GetParam();
    std::map<std::string, std::string> stubs = kit::FakeLzhStubs();
    stubs.merge(kit::CabStubs());
    kit::Library lib(c.so, c.prefix, stubs);
    ASSERT_EQ(lib.Running(), 0); // the library has its lock file open now
    const std::string lockFile = std::string(std::getenv("XDG_RUNTIME_DIR")) + "/tollbrook2/" + c.lock;
    ASSERT_TRUE(std::filesystem::remove(lockFile));
    // Another process makes a new lock file at that path and holds it.
    LockHolder holder(lockFile);
    for (int i = 0; i < 500 && lib.Running() == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_NE(lib.Running(), 0) << "the library still watches the removed file";
}

INSTANTIATE_TEST_SUITE_P(Libraries, LibraryBusy,
                         testing::Values(BusyCase{"libunlha32.so", "Unlha", "unlha32.lock"},
                                         BusyCase{"libcab32.so", "Cab", "cab32.lock"}));

} // namespace
