// An entry of a method a self-extractor cannot decode (here one no LZH tool
// writes) is a failure of the run, never skipped in silence: every kind
// writes the entries around it, writes nothing for it, and ends with 1 (the
// library refuses to wrap such an archive; a file made by hand, or with -gt0,
// can still hold one). Run for real: Wine, DOSBox and the native tool.
#include <gtest/gtest.h>

#include "sfx16Kit.h"

using namespace sfx16;

namespace {

using namespace testSupport;

TEST(UnknownMethod, EveryKindReportsItAsAFailure)
{
    TempFolder dir;
    const fs::path root = dir.Path();
    const Bytes archive = MakeLzhArchive(
        {{"", "BEFORE.TXT", "before"}, {"", "ODD.TXT", "odd", false, "-xh5-"}, {"", "AFTER.TXT", "after"}},
        1);
    const fs::path stubs = fs::path(TB_BINARY_DIR) / "lib/tollbrook2/sfx";
    WriteBytes(root / "W32.EXE", withStub(stubs / "lzh-win32.exe", archive));
    WriteBytes(root / "W16.EXE", withStub(win16Stub(), archive));
    WriteBytes(root / "DOS.EXE", withStub(dosStub(), archive));
    const std::vector<int> wine = runAllUnderWine(root, {"W32.EXE -y -oXW32", "W16.EXE -y -oXW16"});
    const std::vector<int> dos = runInDosbox(root, {{"DOS.EXE", "-y -oXDOS", ""}, {"DOS.EXE", "-t", ""}});
    std::string log;
    const int native = Shell(Quote(fs::path(TB_BINARY_DIR) / "bin/tb-sfx-lzh") + " -y -o"
                                 + Quote(root / "XNAT") + " " + Quote(root / "W32.EXE") + " 2>&1",
                             &log);
    EXPECT_EQ(wine[0], 1);
    EXPECT_EQ(dos, (std::vector<int>{1, 1}));
    EXPECT_EQ(native, 1) << log;
    const std::map<std::string, Bytes> expected = {{"AFTER.TXT", Bytes{'a', 'f', 't', 'e', 'r'}},
                                                   {"BEFORE.TXT", Bytes{'b', 'e', 'f', 'o', 'r', 'e'}}};
    for (const char* folder : {"XW32", "XW16", "XDOS", "XNAT"}) {
        SCOPED_TRACE(folder);
        EXPECT_TRUE(FilesBelow<Bytes>(root / folder) == expected);
    }
}

} // namespace
