// The file a conversion writes before it has its name: created new under a
// short name of its own, never in the caller's current folder, and removed
// by the next conversion into its folder when a killed one left it behind.
#include "unlha32TestKit.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <thread>

#include <sys/wait.h>
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

TEST(ScratchFile, StaleOnesAreRemovedOthersAreKept)
{
    kit::Library lib("libunlha32.so", "Unlha", kit::FakeLzhStubs());
    TempFolder dir;
    std::filesystem::create_directory(dir / "out");
    WriteBytes(dir / "a.lzh", kit::MakeLzh({{"a.txt", "alpha"}}));
    WriteBytes(dir / "out/.tb-0123abcd.tmp", "MZ, the start of a self-extractor"); // left by a killed call
    WriteBytes(dir / "out/.tb-00000000.tmp", "");                                  // killed before it wrote
    WriteBytes(dir / "out/.tb-89abcdef.tmp", "MZ, being written");                 // held: in use
    WriteBytes(dir / "out/.tb-01234567.tmp", "not a self-extractor");              // not ours
    WriteBytes(dir / "out/.tb-0123.tmp", "MZ");                                    // not our name
    WriteBytes(dir / "out/x.tb-0123abcd.tmp", "MZ");                               // not our name
    Holder holder(dir / "out/.tb-89abcdef.tmp");
    std::this_thread::sleep_for(std::chrono::milliseconds(200)); // flock(1) takes its lock
    ASSERT_EQ(lib.Run(Line(dir / "a.lzh", dir / "out")), 0);
    EXPECT_EQ(kit::ListFolder(dir / "out"),
              (std::vector<std::string>{".tb-0123.tmp", ".tb-01234567.tmp", ".tb-89abcdef.tmp", "a.EXE",
                                        "x.tb-0123abcd.tmp"}));
}

TEST(ScratchFile, ThatOfAKilledConversionGoesWithTheNextOne)
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
            for (const std::string& name : kit::ListFolder(dir / "out"))
                killed = killed || name.starts_with(".tb-");
            if (!killed)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        if (killed)
            kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        killed = killed && kit::ListFolder(dir / "out").size() == 1;
        std::filesystem::remove(dir / "out/big.EXE");
    }
    ASSERT_TRUE(killed) << "no conversion was caught while it wrote";
    ASSERT_EQ(lib.Run(Line(dir / "a.lzh", dir / "out")), 0);
    EXPECT_EQ(kit::ListFolder(dir / "out"), std::vector<std::string>{"a.EXE"});
}

} // namespace
