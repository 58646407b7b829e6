// An output folder's names, listed once and then watched: whatever others do
// in the folder between two answers counts for the next, and without a watch
// every answer lists the folder anew.
#include "archivers/libraryKit.h"

#include "folderNames.h"
#include "outputFile.h"
#include "scratchMark.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace testSupport;
using Watching = tbarc::FolderNames::Watching;
namespace fs = std::filesystem;

std::vector<std::string> Sorted(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> TwinsOf(tbarc::FolderNames& spellings, const std::string& folder,
                                 const std::string& name)
{
    struct stat now {};
    stat(folder.c_str(), &now);
    return Sorted(spellings.Match(folder + "/", now, name, tbarc::kScratchPrefix).twins);
}

std::size_t OpenFiles()
{
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator()));
}

TEST(FolderNames, WhatOthersDoInTheFolderBetweenTwoAnswersCounts)
{
    struct Step {
        const char* what;
        std::function<void(const std::string& out, const std::string& elsewhere)> act;
        std::vector<std::string> twins; // of "a.exe" afterwards
    };
    const std::vector<Step> steps = {
        {"nothing yet", [](auto&, auto&) {}, {}},
        {"made", [](auto& out, auto&) { WriteBytes(out + "/A.EXE", std::string("x")); }, {"A.EXE"}},
        {"another made",
         [](auto& out, auto&) { WriteBytes(out + "/a.Exe", std::string("x")); },
         {"A.EXE", "a.Exe"}},
        {"removed", [](auto& out, auto&) { fs::remove(out + "/a.Exe"); }, {"A.EXE"}},
        {"renamed to another spelling",
         [](auto& out, auto&) { fs::rename(out + "/A.EXE", out + "/a.EXE"); },
         {"a.EXE"}},
        {"moved away",
         [](auto& out, auto& elsewhere) { fs::rename(out + "/a.EXE", elsewhere + "/a.EXE"); },
         {}},
        {"moved in",
         [](auto& out, auto& elsewhere) { fs::rename(elsewhere + "/a.EXE", out + "/A.exe"); },
         {"A.exe"}},
        {"the name itself does not count",
         [](auto& out, auto&) { WriteBytes(out + "/a.exe", std::string()); },
         {"A.exe"}},
        {"the folder replaced by another",
         [](auto& out, auto& elsewhere) {
             WriteBytes(elsewhere + "/new/A.eXe", std::string("x"));
             fs::rename(out, elsewhere + "/old");
             fs::rename(elsewhere + "/new", out);
         },
         {"A.eXe"}},
        {"the folder removed and made again",
         [](auto& out, auto&) {
             fs::remove_all(out);
             WriteBytes(out + "/A.EXE", std::string("x"));
         },
         {"A.EXE"}},
    };
    for (const Watching watching : {Watching::WhereItSeesAll, Watching::Never}) {
        TempFolder dir;
        const std::string out = dir / "out", elsewhere = dir / "elsewhere";
        fs::create_directories(out);
        fs::create_directories(elsewhere);
        tbarc::FolderNames spellings(watching);
        for (const Step& step : steps) {
            step.act(out, elsewhere);
            EXPECT_EQ(TwinsOf(spellings, out, "a.exe"), Sorted(step.twins))
                << step.what << (watching == Watching::Never ? " (listed each time)" : " (watched)");
        }
    }
}

TEST(FolderNames, EventsLostFromAFullQueueMeanTheFolderIsListedAgain)
{
    // More names made between two answers than the watch's queue holds: the
    // last one's event is lost, and the folder must be read again.
    std::size_t queued = 0;
    std::ifstream("/proc/sys/fs/inotify/max_queued_events") >> queued;
    if (queued == 0 || queued > 100000)
        GTEST_SKIP() << "queue size " << queued;
    TempFolder dir;
    const std::string out = dir / "out";
    fs::create_directories(out);
    tbarc::FolderNames spellings;
    ASSERT_TRUE(TwinsOf(spellings, out, "a.exe").empty());
    for (std::size_t i = 0; i <= queued; ++i)
        std::ofstream(out + "/f" + std::to_string(i));
    WriteBytes(out + "/A.EXE", std::string("x"));
    EXPECT_EQ(TwinsOf(spellings, out, "a.exe"), std::vector<std::string>{"A.EXE"});
}

TEST(FolderNames, OneWatchForAnyNumberOfAnswersAndFolders)
{
    TempFolder dir;
    for (int i = 0; i < 4; ++i)
        WriteBytes(dir / ("out" + std::to_string(i) + "/A.EXE"), std::string("x"));
    tbarc::FolderNames spellings;
    ASSERT_EQ(TwinsOf(spellings, dir / "out0", "a.exe"), std::vector<std::string>{"A.EXE"});
    const std::size_t open = OpenFiles();
    for (int i = 0; i < 1000; ++i) {
        // Every other answer in another folder, the others in the same.
        const std::string out = dir / ("out" + std::to_string(i / 2 % 4));
        ASSERT_EQ(TwinsOf(spellings, out, "a.exe"), std::vector<std::string>{"A.EXE"}) << i;
    }
    EXPECT_EQ(OpenFiles(), open);
}

TEST(FolderNames, AForkedChildLeavesTheWatchToItsParent)
{
    // The child shares the parent's watch descriptor: were it to read the
    // events there, the parent would never see them.
    TempFolder dir;
    const std::string out = dir / "out";
    fs::create_directories(out);
    tbarc::FolderNames spellings;
    ASSERT_TRUE(TwinsOf(spellings, out, "a.exe").empty());
    WriteBytes(out + "/A.EXE", std::string("x"));
    const pid_t child = fork();
    if (child == 0)
        _exit(TwinsOf(spellings, out, "a.exe") == std::vector<std::string>{"A.EXE"} ? 0 : 1);
    int status = -1;
    waitpid(child, &status, 0);
    EXPECT_EQ(status, 0) << "the child saw the folder as it is";
    EXPECT_EQ(TwinsOf(spellings, out, "a.exe"), std::vector<std::string>{"A.EXE"});
}

TEST(FolderNames, AScratchFileLeftBetweenTwoConversionsGoesWithTheNext)
{
    // The cleaner takes the folder's names from what the calls before saw
    // and the watch told since.
    kit::Library lib{"libunlha32.so", "Unlha", kit::FakeLzhStubs()};
    TempFolder dir;
    fs::create_directories(dir / "out");
    WriteBytes(dir / "in/a.lzh", kit::MakeLzh({{"readme.txt", "hello"}}));
    const std::string line = "s -+ -gw2 \"" + (dir / "in/a.lzh") + "\" \"" + (dir / "out") + "/\"";
    ASSERT_EQ(lib.Run(line), 0);
    WriteBytes(dir / "out/.tb-0123abcd.tmp", std::string("MZ, left by a killed conversion"));
    const int leftover = open((dir / "out/.tb-0123abcd.tmp").c_str(), O_WRONLY | O_CLOEXEC);
    ASSERT_TRUE(tbarc::MarkScratchFile(leftover)) << "as the killed conversion marked it";
    close(leftover);
    ASSERT_EQ(lib.Run(line), 0);
    EXPECT_EQ(kit::ListFolder(dir / "out"), std::vector<std::string>{"a.EXE"});
}

TEST(FolderNames, ThousandConversionsLeaveNoFileOpen)
{
    kit::Library lib{"libunlha32.so", "Unlha", kit::FakeLzhStubs()};
    TempFolder dir;
    WriteBytes(dir / "in/a.lzh", kit::MakeLzh({{"readme.txt", "hello"}}));
    const auto convert = [&](int i) {
        return lib.Run("s -+ -gw2 \"" + (dir / "in/a.lzh") + "\" \"" + (dir / ("out" + std::to_string(i % 3)))
                       + "/\"");
    };
    for (int i = 0; i < 3; ++i) {
        fs::create_directories(dir / ("out" + std::to_string(i)));
        ASSERT_EQ(convert(i), 0);
    }
    const std::size_t open = OpenFiles();
    for (int i = 0; i < 1000; ++i)
        ASSERT_EQ(convert(i), 0) << i;
    EXPECT_EQ(OpenFiles(), open);
}

} // namespace
