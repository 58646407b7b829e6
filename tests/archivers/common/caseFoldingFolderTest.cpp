// An output folder that folds letter case (a FAT stick): the user's old
// self-extractor under another spelling is the very file the new one
// replaces, so replacing it leaves the new file, and nothing else is removed.
#include "archivers/libraryKit.h"

#include "support/fatFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using namespace testSupport;

constexpr int kOutputExists = 0x800A;

TEST(CaseFoldingFolder, TheOldSpellingIsReplacedNotRemovedByBothLibraries)
{
    FatFolder fat;
    if (!fat.Unavailable().empty())
        GTEST_SKIP() << "no case-folding folder to test on: " << fat.Unavailable();
    kit::Library unlha("libunlha32.so", "Unlha", kit::FakeLzhStubs());
    kit::Library cab("libcab32.so", "Cab", kit::CabStubs());
    TempFolder dir;
    const std::string lzh = dir / "hello.lzh";
    WriteBytes(lzh, kit::MakeLzh({{"readme.txt", "hello"}}));
    const std::string cabinet = dir / "hello.cab";
    std::filesystem::rename(kit::MakeCab(dir.Path(), {{"readme.txt", "hello"}}, false), cabinet);

    struct Case {
        const char* what;
        const kit::Library& library;
        std::string command; // without the output folder
        const std::string& input;
        bool replace;
    };
    const Case cases[] = {
        {"LZH with -+", unlha, "s -+ -gw2 \"" + lzh + "\"", lzh, true},
        {"LZH without -+", unlha, "s -gw2 \"" + lzh + "\"", lzh, false},
        {"CAB", cab, "-f \"" + cabinet + "\"", cabinet, true},
    };
    for (const Case& c : cases) {
        for (const char* old : {"HELLO.EXE", "hello.exe"}) {
            const std::string what = std::string(c.what) + ", old " + old;
            for (const std::string& name : kit::ListFolder(fat.Path()))
                std::filesystem::remove(fat / name);
            WriteBytes(fat / old, std::string("the user's file"));
            std::string report;
            const int rc = c.library.Run(c.command + " \"" + fat.Path() + "/\"", &report);
            const std::vector<std::string> left = kit::ListFolder(fat.Path());
            ASSERT_EQ(left.size(), 1u) << what << ": " << report;
            const std::string bytes = ReadBytes(fat / left[0]);
            if (c.replace) {
                EXPECT_EQ(rc, 0) << what << ": " << report;
                EXPECT_TRUE(bytes.starts_with("MZ") && bytes.ends_with(ReadBytes(c.input))) << what;
            } else {
                EXPECT_EQ(rc, kOutputExists) << what << ": " << report;
                EXPECT_EQ(left[0], old) << what;
                EXPECT_EQ(bytes, "the user's file") << what;
            }
        }
    }
}

} // namespace
