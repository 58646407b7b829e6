// The LZH Win32 self-extractor run for real under Wine: stub + archive,
// concatenated here as the library does, for every method; damage, unsafe
// names, -t, -l, and Shift_JIS names on a Japanese system.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <unistd.h>

#include "sfxLzhKit.h"

using namespace sfxlzh;

namespace {

using namespace testSupport;

// A self-extractor of the archive bytes in folder `where`, sealed as the
// library seals it.
fs::path makeSfx(const fs::path& where, const Bytes& archive)
{
    const Bytes stub = ReadBytes<Bytes>(stubPath());
    EXPECT_FALSE(stub.empty());
    WriteBytes(where / "x.exe", Sealed(stub, archive));
    return where / "x.exe";
}

std::string windowsPath(const fs::path& path)
{
    std::string p = "Z:" + path.string();
    for (char& c : p)
        if (c == '/')
            c = '\\';
    return p;
}

// Runs the self-extractor under Wine in its folder; env is put in front.
int wine(const fs::path& exe, const std::string& args, const std::string& env = "",
         const fs::path& output = "/dev/null")
{
    return Shell("cd " + Quote(exe.parent_path()) + " && " + env + " TB_WINEPREFIX=" + Quote(TB_WINEPREFIX)
                 + " " + Quote(TB_WINE_RUN) + " " + Quote(exe) + " " + args + " >" + Quote(output)
                 + " 2>/dev/null");
}

std::map<std::string, Bytes> lhasaExtract(const fs::path& archive)
{
    TempFolder scratch;
    Shell("cd " + Quote(scratch.Path()) + " && lhasa xq " + Quote(archive) + " >/dev/null 2>&1");
    return FilesBelow<Bytes>(scratch.Path());
}

TEST(Win32Stub, IsSmallAndNeedsOnlySystemLibraries)
{
    // libarchive looks for an archive only in the first 20 KiB of a file:
    // the archive's first header (22 bytes) must begin and end there
    EXPECT_LE(fs::file_size(stubPath()) + 22, 20u * 1024);
    TempFolder scratch;
    const fs::path imports = scratch / "imports.txt";
    ASSERT_EQ(Shell("i686-w64-mingw32-objdump -p " + Quote(stubPath()) + " | sed -n 's/.*DLL Name: //p' >"
                    + Quote(imports)),
              0);
    const Bytes text = ReadBytes<Bytes>(imports);
    std::string names(text.begin(), text.end());
    for (char& c : names)
        c = char(toupper(static_cast<unsigned char>(c)));
    std::string line;
    std::stringstream lines(names);
    int count = 0;
    while (std::getline(lines, line)) {
        count++;
        EXPECT_TRUE(line == "KERNEL32.DLL" || line == "USER32.DLL" || line == "SHELL32.DLL"
                    || line == "OLE32.DLL")
            << line;
    }
    EXPECT_GT(count, 0);
}

class EveryMethodUnderWine : public testing::TestWithParam<std::string> {};

TEST_P(EveryMethodUnderWine, ExtractsLikeLhasa)
{
    const fs::path archive = GetParam().find('/') == std::string::npos ? dataDir() / (GetParam() + ".lzh")
                                                                       : fs::path(TB_CORPUS_DIR) / GetParam();
    TempFolder scratch;
    const fs::path exe = makeSfx(scratch.Path(), ReadBytes<Bytes>(archive));
    const fs::path dest = scratch / "out";
    EXPECT_EQ(wine(exe, "-y " + Quote("-o" + windowsPath(dest))), 0);
    const auto reference = lhasaExtract(archive);
    ASSERT_FALSE(reference.empty());
    EXPECT_TRUE(CaseFolded(FilesBelow<Bytes>(dest)) == CaseFolded(reference));
}

INSTANTIATE_TEST_SUITE_P(Methods, EveryMethodUnderWine,
                         testing::Values("lh0_h1", "lh1_h1", "lh4_h2", "lh5_h2", "lh6_h3", "lh7_h2", "lzs_h0",
                                         "lz5_h1", "fragglet_lhasa/test/archives/larc333/lz4.lzs"),
                         [](const auto& info) {
                             return info.param.substr(info.param.rfind('/') + 1, 6).replace(3, 1, "_");
                         });

TEST(Win32Stub, DamagedArchiveFailsWithoutAWrongFile)
{
    TempFolder scratch;
    Bytes archive = ReadBytes<Bytes>(dataDir() / "lh5_h2.lzh");
    archive[archive.size() / 3] ^= 0x21;
    const fs::path exe = makeSfx(scratch.Path(), archive);
    const fs::path dest = scratch / "out";
    EXPECT_NE(wine(exe, "-y " + Quote("-o" + windowsPath(dest))), 0);
    const auto reference = lhasaExtract(dataDir() / "lh5_h2.lzh");
    for (const auto& [path, content] : FilesBelow<Bytes>(dest))
        EXPECT_TRUE(reference.count(path) && reference.at(path) == content) << path;
}

TEST(Win32Stub, TraversalWritesNothingOutside)
{
    TempFolder scratch;
    const fs::path inner = scratch / "in";
    fs::create_directories(inner);
    const fs::path exe = makeSfx(inner,
                                 MakeLzhArchive({{"", "..\\evil1.txt", "x"},
                                                 {"", "\\evil2.txt", "x"},
                                                 {"", "C:\\evil3.txt", "x"},
                                                 {"..\xFF", "evil4.txt", "x"},
                                                 {"", "CON.txt", "x"},
                                                 {"", "ok.txt", "fine"}},
                                                2));
    const fs::path dest = inner / "out";
    EXPECT_NE(wine(exe, "-y " + Quote("-o" + windowsPath(dest))), 0);
    const auto files = FilesBelow<Bytes>(dest);
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files.begin()->first, "ok.txt");
    EXPECT_FALSE(fs::exists(scratch / "evil1.txt"));
    EXPECT_FALSE(fs::exists(inner / "evil4.txt"));
    EXPECT_EQ(FilesBelow<Bytes>(scratch.Path()).size(), 2u); // x.exe and out/ok.txt
}

TEST(Win32Stub, TestAndList)
{
    TempFolder scratch;
    const fs::path exe = makeSfx(scratch.Path(), ReadBytes<Bytes>(dataDir() / "lh7_h1.lzh"));
    const fs::path listing = scratch / "list.txt";
    EXPECT_EQ(wine(exe, "-t"), 0);
    EXPECT_EQ(wine(exe, "-l", "", listing), 0);
    const Bytes text = ReadBytes<Bytes>(listing);
    const std::string list(text.begin(), text.end());
    EXPECT_NE(list.find("-lh7- 863d words.txt"), std::string::npos) << list;
    EXPECT_NE(list.find("sub\\bytes.bin"), std::string::npos) << list;
    EXPECT_EQ(FilesBelow<Bytes>(scratch.Path()).size(), 2u); // x.exe and the listing only

    Bytes damaged = ReadBytes<Bytes>(dataDir() / "lh7_h1.lzh");
    damaged[damaged.size() / 2] ^= 0x08;
    TempFolder other;
    EXPECT_EQ(wine(makeSfx(other.Path(), damaged), "-t"), 1);
}

TEST(Win32Stub, ReplacesExistingFilesOnlyWithY)
{
    TempFolder scratch;
    const fs::path exe = makeSfx(scratch.Path(), ReadBytes<Bytes>(dataDir() / "lh6_h2.lzh"));
    const fs::path dest = scratch / "out/made/here"; // made with its parents
    EXPECT_EQ(wine(exe, "-y " + Quote("-o" + windowsPath(dest))), 0);
    WriteBytes(dest / "words.txt", "old");
    // without -y the question gets no answer on a headless run: nothing replaced
    EXPECT_EQ(wine(exe, Quote("-o" + windowsPath(dest))), 1);
    EXPECT_EQ(ReadBytes<Bytes>(dest / "words.txt"), Bytes({'o', 'l', 'd'}));
    EXPECT_EQ(wine(exe, "-y " + Quote("-o" + windowsPath(dest))), 0);
    EXPECT_EQ(ReadBytes<Bytes>(dest / "words.txt").size(), 20003u);
}

// The closing line counts past 65,535: 65,536 damaged entries and 70,000
// intact ones, where a count that wrapped said "4464 entries OK, 0 failed".
TEST(Win32Stub, ClosingLineCountsPastSixteenBits)
{
    TempFolder scratch;
    const fs::path exe = makeSfx(scratch.Path(), MakeManyEntriesArchive(65536, 70000, 0));
    EXPECT_EQ(wine(exe, "-t", "", scratch / "out.txt"), 1);
    const Bytes out = ReadBytes<Bytes>(scratch / "out.txt");
    const std::string text(out.begin(), out.end());
    const std::string summary = "\r\n70000 entries OK, 65536 failed\r\n";
    EXPECT_TRUE(text.size() >= summary.size()
                && text.compare(text.size() - summary.size(), std::string::npos, summary) == 0)
        << text.substr(text.size() > 200 ? text.size() - 200 : 0);
}

class ShiftJisNames : public testing::TestWithParam<int> {};

TEST_P(ShiftJisNames, ComeBackAsTheRightUnicodeNames)
{
    const std::string env = JapaneseLocaleEnv();
    if (env.empty())
        GTEST_SKIP() << "no ja_JP.UTF-8 locale could be made (localedef)";
    // 表 is 0x95 0x5C in Shift_JIS: its trail byte is the path separator.
    const std::string hyou = "\x95\x5C";
    const int level = GetParam();
    LzhEntry entry = level == 2 ? LzhEntry{hyou + "\xFF", hyou + ".txt", "sjis"}
                                : LzhEntry{"", hyou + "\\" + hyou + ".txt", "sjis"};
    TempFolder scratch;
    const fs::path exe = makeSfx(scratch.Path(), MakeLzhArchive({entry}, level));
    const fs::path dest = scratch / "out";
    EXPECT_EQ(wine(exe, "-y " + Quote("-o" + windowsPath(dest)), env), 0);
    const auto files = FilesBelow<Bytes>(dest);
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files.begin()->first, "表/表.txt");
}

INSTANTIATE_TEST_SUITE_P(Levels, ShiftJisNames, testing::Values(1, 2));

} // namespace
