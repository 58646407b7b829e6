// The file a conversion writes before it has its name: unnamed where the
// file system allows it, so a killed conversion leaves nothing; otherwise
// created new under a short name of its own, never in the caller's current
// folder. A leftover is removed by the next conversion into its folder only
// when it carries our mark: a user's file of that name never is.
#include "archivers/libraryKit.h"

#include "scratchMark.h"
#include "support/fatFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <thread>

#include <fcntl.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

using namespace testSupport;

std::string Line(const std::string& archive, const std::string& folder)
{
    return "s -+ -gw2 \"" + archive + "\" \"" + folder + "/\"";
}

TEST(ScratchFile, NamesUpToTheFileSystemsLimitAreConverted)
{
    kit::Library lib("libunlha32.so", "Unlha", kit::FakeLzhStubs());
    TempFolder dir;
    std::filesystem::create_directory(dir / "out");
    // The output's name is the base name and ".EXE": 251 + 4 = 255 bytes.
    for (const std::size_t length : {200u, 240u, 251u}) {
        const std::string base(length, 'n');
        WriteBytes(dir / (base + ".lzh"), kit::MakeLzh({{"a.txt", "alpha"}}));
        std::string report;
        EXPECT_EQ(lib.Run(Line(dir / (base + ".lzh"), dir / "out"), &report), 0) << length << ": " << report;
        EXPECT_TRUE(kit::Exists(dir / ("out/" + base + ".EXE"))) << length;
    }
    EXPECT_EQ(kit::ListFolder(dir / "out").size(), 3u) << "nothing but the outputs";
}

TEST(ScratchFile, AnEmptyOutputFolderIsRefused)
{
    kit::Library lib("libunlha32.so", "Unlha", kit::FakeLzhStubs());
    TempFolder dir;
    WriteBytes(dir / "in/a.lzh", kit::MakeLzh({{"a.txt", "alpha"}}));
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    std::string report;
    const int code = lib.Run("s -+ -gw2 \"" + (dir / "in/a.lzh") + "\" \"\"", &report);
    std::filesystem::current_path(previous);
    EXPECT_EQ(code, 0x8001) << report;
    EXPECT_EQ(kit::ListFolder(dir.Path()), std::vector<std::string>{"in"}) << "nothing in the current folder";
}

TEST(ScratchFile, AStubWithoutASealIsNoStub)
{
    kit::Library lib("libunlha32.so", "Unlha", {{"lzh-win32.exe", "MZ" + std::string(1022, 'W')}});
    TempFolder dir;
    WriteBytes(dir / "a.lzh", kit::MakeLzh({{"a.txt", "alpha"}}));
    EXPECT_EQ(lib.Run(Line(dir / "a.lzh", dir.Path())), 0x8008);
    EXPECT_EQ(kit::ListFolder(dir.Path()), std::vector<std::string>{"a.lzh"});
}

// Holds an flock(2) on a file, as a conversion under way holds its scratch file.
class Holder {
public:
    explicit Holder(const std::string& file)
    {
        pid_ = fork();
        if (pid_ == 0) {
            setpgid(0, 0);
            execlp("flock", "flock", "-x", file.c_str(), "sleep", "30", static_cast<char*>(nullptr));
            _exit(127);
        }
    }
    ~Holder()
    {
        kill(-pid_, SIGTERM);
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }

private:
    pid_t pid_;
};

// A file as a killed conversion leaves it, with our mark, or as a user
// makes it; the mark is this user's token or another's.
enum class Mark { None, Ours, Foreign };

void MakeFile(const std::string& path, const std::string& bytes, Mark mark)
{
    WriteBytes(path, bytes);
    const int fd = open(path.c_str(), O_WRONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0) << path;
    if (mark == Mark::Ours) {
        EXPECT_TRUE(tbarc::MarkScratchFile(fd)) << path;
    } else if (mark == Mark::Foreign) {
        EXPECT_EQ(fsetxattr(fd, "user.tollbrook2.scratch", "0123456789abcdef0123456789abcdef", 32, 0), 0);
    }
    close(fd);
}

TEST(ScratchFile, OnlyMarkedLeftoversNobodyHoldsAreRemoved)
{
    kit::Library lib("libunlha32.so", "Unlha", kit::FakeLzhStubs());
    TempFolder dir;
    std::filesystem::create_directory(dir / "out");
    WriteBytes(dir / "a.lzh", kit::MakeLzh({{"a.txt", "alpha"}}));
    struct Case {
        const char* name;
        const char* bytes;
        Mark mark;
        bool kept;
    };
    const Case cases[] = {
        {".tb-0123abcd.tmp", "MZ, the start of a self-extractor", Mark::Ours, false}, // left by a killed call
        {".tb-00000000.tmp", "", Mark::Ours, false},                 // killed before it wrote
        {".tb-89abcdef.tmp", "MZ, being written", Mark::Ours, true}, // held below: in use
        {".tb-0000abce.tmp", "MZ, the user's own", Mark::None, true},
        {".tb-0000abcf.tmp", "", Mark::None, true},
        {".tb-0000abd0.tmp", "MZ, copied from another machine", Mark::Foreign, true},
        {".tb-0123.tmp", "MZ", Mark::Ours, true},      // not our name
        {"x.tb-0123abcd.tmp", "MZ", Mark::Ours, true}, // not our name
    };
    std::vector<std::string> expected{"a.EXE"};
    for (const Case& c : cases) {
        MakeFile(dir / (std::string("out/") + c.name), c.bytes, c.mark);
        if (c.kept)
            expected.push_back(c.name);
    }
    std::sort(expected.begin(), expected.end());
    Holder holder(dir / "out/.tb-89abcdef.tmp");
    std::this_thread::sleep_for(std::chrono::milliseconds(200)); // flock(1) takes its lock
    ASSERT_EQ(lib.Run(Line(dir / "a.lzh", dir / "out")), 0);
    EXPECT_EQ(kit::ListFolder(dir / "out"), expected);
    // The finished file carries no mark.
    char value[64];
    EXPECT_LT(getxattr((dir / "out/a.EXE").c_str(), "user.tollbrook2.scratch", value, sizeof value), 0);
}

TEST(ScratchFile, OnAFolderThatTakesNoMarkAUsersLookAlikesStay)
{
    // FAT has no extended attributes, and no O_TMPFILE: the scratch file is
    // named there, and nothing of that shape is ever removed.
    FatFolder fat;
    if (!fat.Unavailable().empty())
        GTEST_SKIP() << "no FAT folder to test on: " << fat.Unavailable();
    kit::Library lib("libunlha32.so", "Unlha", kit::FakeLzhStubs());
    TempFolder dir;
    WriteBytes(dir / "a.lzh", kit::MakeLzh({{"a.txt", "alpha"}}));
    WriteBytes(fat / ".tb-0000abce.tmp", std::string("MZ, the user's own"));
    WriteBytes(fat / ".tb-0000abcf.tmp", std::string());
    ASSERT_EQ(lib.Run(Line(dir / "a.lzh", fat.Path())), 0);
    EXPECT_EQ(kit::ListFolder(fat.Path()),
              (std::vector<std::string>{".tb-0000abce.tmp", ".tb-0000abcf.tmp", "a.EXE"}));
}

// Whether the process has a file open in folder: a conversion writing there.
bool WritesInto(pid_t process, const std::string& folder)
{
    std::error_code ignored;
    for (const auto& entry :
         std::filesystem::directory_iterator("/proc/" + std::to_string(process) + "/fd", ignored)) {
        const std::string target = std::filesystem::read_symlink(entry.path(), ignored).string();
        if (target.starts_with(folder + "/"))
            return true;
    }
    return false;
}

TEST(ScratchFile, AKilledConversionLeavesNothing)
{
    kit::Library lib("libunlha32.so", "Unlha", kit::FakeLzhStubs());
    TempFolder dir;
    std::filesystem::create_directory(dir / "out");
    WriteBytes(dir / "big.lzh", kit::MakeLzh({{"big.bin", std::string(24u << 20, 'b')}}));
    WriteBytes(dir / "a.lzh", kit::MakeLzh({{"a.txt", "alpha"}}));
    // A conversion killed while it writes (tried again should it end first).
    bool killed = false;
    for (int attempt = 0; attempt < 5 && !killed; ++attempt) {
        const pid_t child = fork();
        if (child == 0)
            _exit(lib.Run(Line(dir / "big.lzh", dir / "out")) == 0 ? 0 : 1);
        for (int i = 0; i < 5000 && !killed; ++i) {
            killed = WritesInto(child, dir / "out");
            if (!killed)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        if (killed)
            kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        killed = killed && !kit::Exists(dir / "out/big.EXE");
        std::filesystem::remove(dir / "out/big.EXE");
    }
    ASSERT_TRUE(killed) << "no conversion was caught while it wrote";
    EXPECT_EQ(kit::ListFolder(dir / "out"), std::vector<std::string>{}) << "nothing of the killed conversion";
    ASSERT_EQ(lib.Run(Line(dir / "a.lzh", dir / "out")), 0);
    EXPECT_EQ(kit::ListFolder(dir / "out"), std::vector<std::string>{"a.EXE"});
}

// On a folder that takes no mark, a killed conversion's scratch file is
// named by a note in the user's state folder: the next conversion there
// removes it, whenever the kill came, and still never a user's look-alike.
TEST(ScratchFile, OnAFolderThatTakesNoMarkAKilledConversionsLeftoverGoes)
{
    FatFolder fat;
    if (!fat.Unavailable().empty())
        GTEST_SKIP() << "no FAT folder to test on: " << fat.Unavailable();
    TempFolder dir;
    const std::string state = dir / "state";
    setenv("XDG_STATE_HOME", state.c_str(), 1);
    kit::Library lib("libunlha32.so", "Unlha", kit::FakeLzhStubs());
    WriteBytes(dir / "big.lzh", kit::MakeLzh({{"big.bin", std::string(24u << 20, 'b')}}));
    WriteBytes(dir / "a.lzh", kit::MakeLzh({{"a.txt", "alpha"}}));
    WriteBytes(fat / ".tb-0000abce.tmp", std::string("MZ, the user's own"));
    const std::vector<std::string> afterwards{".tb-0000abce.tmp", "a.EXE"};
    int leftOver = 0;
    // Killed at several moments of its write.
    for (const int delay : {0, 1, 5, 20, 60}) {
        const pid_t child = fork();
        if (child == 0)
            _exit(lib.Run(Line(dir / "big.lzh", fat.Path())) == 0 ? 0 : 1);
        bool writing = false;
        for (int i = 0; i < 5000 && !writing; ++i) {
            writing = WritesInto(child, fat.Path());
            if (!writing)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(delay));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        std::filesystem::remove(fat / "big.EXE");
        leftOver += kit::ListFolder(fat.Path()).size() > 1;
        ASSERT_EQ(lib.Run(Line(dir / "a.lzh", fat.Path())), 0);
        EXPECT_EQ(kit::ListFolder(fat.Path()), afterwards) << "killed " << delay << " ms into its write";
        std::filesystem::remove(fat / "a.EXE");
    }
    unsetenv("XDG_STATE_HOME");
    EXPECT_GT(leftOver, 0) << "no kill left a scratch file behind";
    EXPECT_EQ(kit::ListFolder(state + "/tollbrook2-archivers/scratch"), std::vector<std::string>{})
        << "no note outlives its file";
}

} // namespace
