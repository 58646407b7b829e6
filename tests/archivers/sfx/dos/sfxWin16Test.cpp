// The Win16 self-extractor run for real under Wine (its 16-bit support in
// the 32-bit build): stub + archive, concatenated as the library does. Wine
// does not hand back a 16-bit program's exit status, so the tests judge the
// files; all runs of a test go through one batch file of Wine's cmd.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "sfx16Kit.h"

using namespace sfx16;

namespace {

using namespace testSupport;

TEST(Win16Stub, FitsInTheFirst20KiBWithTheArchiveHeader)
{
    EXPECT_LE(fs::file_size(win16Stub()) + 22, 20u * 1024u);
}

TEST(Win16Stub, ExtractsEveryMethodLikeLhasaAndRefusesWhatItCannotDo)
{
    const std::vector<std::string> methods = {"lh0_h0", "lh4_h1", "lh5_h2", "lh6_h3", "lh7_h2"};
    TempFolder scratch;
    const fs::path root = scratch.Path();
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < methods.size(); i++) {
        const std::string n = std::to_string(i);
        WriteBytes(root / ("x" + n + ".exe"),
                   withStub(win16Stub(), ReadBytes<Bytes>(dataDir() / (methods[i] + ".lzh"))));
        lines.push_back("x" + n + ".exe -y -oout" + n);
    }
    WriteBytes(root / "leftout.exe", withStub(win16Stub(), ReadBytes<Bytes>(dataDir() / "lh1_h1.lzh")));
    WriteBytes(root / "damaged.exe", withStub(win16Stub(), damagedArchive()));
    WriteBytes(root / "unsafe.exe", withStub(win16Stub(), unsafeArchive()));
    WriteBytes(root / "names.exe", withStub(win16Stub(), longNamesArchive()));
    lines.insert(lines.end(),
                 {"leftout.exe -y -oleftout", "damaged.exe -y -odamaged", "unsafe.exe -y -odest\\unsafe",
                  "names.exe -y -onames", "x2.exe -t", "x2.exe -l", "x2.exe"});
    runUnderWine(root, lines, "TZ=UTC");

    for (std::size_t i = 0; i < methods.size(); i++) {
        SCOPED_TRACE(methods[i]);
        const auto reference = lhasaFiles(dataDir() / (methods[i] + ".lzh"));
        ASSERT_FALSE(reference.empty());
        EXPECT_TRUE(foldedFilesBelow(root / ("out" + std::to_string(i))) == reference);
    }

    // An entry of a left-out method, or a damaged one, leaves no file; what
    // is written is exact.
    const auto reference = lhasaFiles(dataDir() / "lh5_h2.lzh");
    for (const char* dir : {"leftout", "damaged"}) {
        SCOPED_TRACE(dir);
        const auto written = foldedFilesBelow(root / dir);
        EXPECT_EQ(written.count("words.txt"), 0u);
        EXPECT_EQ(written.count("sub/bytes.bin"), 1u);
        for (const auto& [name, content] : written)
            EXPECT_TRUE(reference.count(name) && reference.at(name) == content) << name;
    }

    // Nothing leaves the destination: not up, not to the root of the drive
    // (Z: is the host's root), not to drive C: of the Wine prefix.
    EXPECT_TRUE(filesNamed(root, "EVIL").empty());
    EXPECT_FALSE(fs::exists("/EVIL2.TXT"));
    EXPECT_FALSE(fs::exists(fs::path(TB_WINEPREFIX) / "drive_c/EVIL3.TXT"));
    const auto unsafe = foldedFilesBelow(root / "dest");
    EXPECT_EQ(unsafe.size(), 1u);
    EXPECT_EQ(unsafe.count("unsafe/good.txt"), 1u);

    const std::map<std::string, Bytes> names = {{"longfile.tex", Bytes{'f', 'i', 'r', 's', 't'}},
                                                {"longfi~1.tex", Bytes{'s', 'e', 'c', 'o', 'n', 'd'}},
                                                {"long_fol/a_b.c", Bytes{'d', 'o', 't', 's'}}};
    EXPECT_TRUE(foldedFilesBelow(root / "names") == names);
    // The entries' time (Unix seconds in these level-2 headers) is kept.
    struct stat st {};
    ASSERT_EQ(stat((root / "names/LONGFILE.TEX").c_str(), &st), 0);
    EXPECT_EQ(st.st_mtime, 1735689600); // 2025-01-01 00:00 UTC

    EXPECT_TRUE(filesNamed(root, ".tmp").empty());

    // Testing and listing write nothing, and without a display the question
    // of a run without switches is not answered with a yes.
    EXPECT_FALSE(fs::exists(root / "WORDS.TXT"));
    EXPECT_FALSE(fs::exists(root / "SUB"));
}

// The closing report counts past 65,535 (32-bit in the 16-bit stub too): a
// test run over 65,537 folder entries, where fine folders add no line and a
// count that wrapped said "1 intact". Wine gives back no exit status of a
// 16-bit program, and a headless message box shows nothing: the report is
// read from Wine's relay trace of the call that shows it.
TEST(Win16Stub, ReportCountsPastSixteenBits)
{
    TempFolder scratch;
    WriteBytes(scratch / "many.exe", withStub(win16Stub(), MakeManyEntriesArchive(0, 0, 65537)));
    std::string boxes;
    Shell("cd " + Quote(scratch.Path()) + " && TB_WINEDEBUG=+relay TB_WINEPREFIX=" + Quote(TB_WINEPREFIX)
              + " " + Quote(TB_WINE_RUN) + " many.exe -t 2>&1 >/dev/null | grep -a 'Call user32.MessageBoxA'",
          &boxes);
    EXPECT_NE(boxes.find("\"65537 intact, 0 failed\\n\""), std::string::npos) << boxes;
}

// On a Japanese Windows (code page 932) Shift_JIS names come back as the
// right Unicode names. (A name whose trail byte is 0x5C is left out here:
// Wine's int 21h takes that byte for a separator, which a Japanese DOS
// underneath Windows 3.x does not.)
TEST(Win16Stub, ShiftJisNamesOnAJapaneseSystem)
{
    const std::string env = JapaneseLocaleEnv();
    if (env.empty())
        GTEST_SKIP() << "no ja_JP.UTF-8 locale could be made (localedef)";
    const std::string nihon = "\x93\xFA\x96\x7B", go = "\x8C\xEA"; // 日本, 語
    TempFolder scratch;
    WriteBytes(
        scratch / "jp.exe",
        withStub(win16Stub(),
                 sfxlzh::MakeLzhArchive({{"", nihon + ".txt", "one"}, {nihon, go + ".txt", "two"}}, 1)));
    runUnderWine(scratch.Path(), {"jp.exe -y -oout"}, env);
    const std::map<std::string, Bytes> expected = {{"日本.TXT", Bytes{'o', 'n', 'e'}},
                                                   {"日本/語.TXT", Bytes{'t', 'w', 'o'}}};
    EXPECT_TRUE(FilesBelow<Bytes>(scratch / "out") == expected);
}

} // namespace
