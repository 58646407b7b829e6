// The CAB Win32 self-extractor, run for real under Wine: it must extract what
// cabextract extracts, test and list, refuse names that leave the destination,
// and report a damaged cabinet.
#include "archivers/libraryKit.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iconv.h>
#include <map>

namespace fs = std::filesystem;

namespace {

using namespace testSupport;

// Runs the self-extractor under Wine with the given switches; returns its exit status.
int RunSfx(const std::string& exe, const std::string& switches, std::string* out = nullptr)
{
    return Shell("TB_WINEPREFIX=" + Quote(TB_WINE_PREFIX) + " " + Quote(TB_WINE_RUN) + " " + Quote(exe) + " "
                     + switches + " 2>/dev/null",
                 out);
}

// Whether Wine reports Windows 95 (the suite's runs with TB_WINE_VERSION):
// the stub then names files through the ANSI calls, in Wine's code page
// (1252 in the suite's environment), and cannot write a name outside it.
bool AnsiNamesOnly()
{
    const char* version = std::getenv("TB_WINE_VERSION");
    return version != nullptr && std::string(version) == "win95";
}

bool CodePageSpells(const std::string& utf8)
{
    iconv_t convert = iconv_open("CP1252", "UTF-8");
    std::string in = utf8, out(utf8.size() * 2 + 1, '\0');
    char *from = in.data(), *to = out.data();
    std::size_t left = in.size(), room = out.size();
    const bool spelled = iconv(convert, &from, &left, &to, &room) != static_cast<std::size_t>(-1);
    iconv_close(convert);
    return spelled;
}

// What the stub writes of the files cabextract extracted: on Windows 95
// the names the code page spells.
std::map<std::string, std::string> Writable(std::map<std::string, std::string> files)
{
    for (auto at = files.begin(); at != files.end();)
        at = AnsiNamesOnly() && !CodePageSpells(at->first) ? files.erase(at) : std::next(at);
    return files;
}

std::string Destination(const std::string& unixPath)
{
    return Quote("-oZ:" + unixPath);
}

kit::Library& CabLibrary()
{
    static kit::Library lib("libcab32.so", "Cab", kit::CabStubs());
    return lib;
}

// Converts cabinet into <dir>/sfx/<base>.EXE with the library; returns that
// path. A damaged cabinet needs "-gt0": the library refuses it otherwise.
std::string MakeSfx(const TempFolder& dir, const std::string& cabinet, const std::string& options = "")
{
    fs::create_directories(dir / "sfx");
    std::string report;
    if (CabLibrary().Run("-f " + options + " \"" + cabinet + "\" \"" + (dir / "sfx") + "/\"", &report) != 0)
        throw std::runtime_error(report);
    return dir / ("sfx/" + kit::ListFolder(dir / "sfx").at(0));
}

struct SfxCase {
    const char* what;
    std::function<std::string(const TempFolder&)> cabinet;
};

class SfxCab : public testing::TestWithParam<SfxCase> {};

TEST_P(SfxCab, ExtractsWhatCabextractExtracts)
{
    TempFolder dir;
    const std::string cabinet = GetParam().cabinet(dir);
    const std::string exe = MakeSfx(dir, cabinet);
    ASSERT_EQ(Shell("cabextract -q -d " + Quote(dir / "expected") + " " + Quote(cabinet)), 0);

    const auto extracted = FilesBelow(dir / "expected");
    ASSERT_FALSE(extracted.empty());
    const auto expected = Writable(extracted);
    EXPECT_EQ(RunSfx(exe, "-y " + Destination(dir / "got")), expected == extracted ? 0 : 1)
        << "a name the system cannot write is reported as failed";
    EXPECT_EQ(FilesBelow(dir / "got"), expected);

    EXPECT_EQ(RunSfx(exe, "-t"), 0) << "testing a sound cabinet";
    std::string listing;
    EXPECT_EQ(RunSfx(exe, "-l", &listing), 0);
    for (const auto& [name, bytes] : extracted)
        EXPECT_NE(listing.find(fs::path(name).filename().string()), std::string::npos) << name;
}

std::string Corpus(const char* file)
{
    return kit::CorpusPath(file);
}

INSTANTIATE_TEST_SUITE_P(
    Cabinets, SfxCab,
    testing::Values(
        SfxCase{"stored, subfolders",
                [](const TempFolder& d) {
                    return kit::MakeCab(d.Path(), {{"a.txt", "alpha"}, {"sub/deeper/b.txt", "beta"}}, false);
                }},
        SfxCase{"mszip",
                [](const TempFolder& d) {
                    std::string big;
                    for (int i = 0; i < 20000; ++i)
                        big += std::to_string(i * 7919 % 10007) + ",";
                    return kit::MakeCab(d.Path(), {{"numbers.csv", big}, {"empty.txt", ""}}, true);
                }},
        SfxCase{"mszip + lzx + quantum",
                [](const TempFolder&) { return Corpus("kyz_libmspack/cabextract/test/cabs/mixed.cab"); }},
        SfxCase{"lzx 21",
                [](const TempFolder&) {
                    return Corpus("jhermsmeier_node-cabarc/test/data/compression/lzx-21.cab");
                }},
        SfxCase{"lzx 15",
                [](const TempFolder&) {
                    return Corpus("jhermsmeier_node-cabarc/test/data/compression/lzx-15.cab");
                }},
        SfxCase{"lzx 18, folders",
                [](const TempFolder&) {
                    return Corpus("libarchive_libarchive/libarchive/test/test_read_format_cab_3.cab");
                }},
        SfxCase{"utf-8 names",
                [](const TempFolder&) { return Corpus("hughsie_python-cabarchive/data/utf8.cab"); }},
        SfxCase{"utf-8 names in folders", [](const TempFolder& d) {
                    return kit::MakeCab(d.Path(),
                                        {{"caf\xC3\xA9/\xC3\xB1"
                                          "and\xC3\xBA.txt",
                                          "n"},
                                         {"\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E.txt", "nihongo"}},
                                        false);
                }}));

TEST(SfxCabSafety, TraversalNamesAreRefusedAndNothingLeavesTheDestination)
{
    TempFolder dir;
    const std::string exe =
        MakeSfx(dir, kit::CorpusPath("kyz_libmspack/cabextract/test/cabs/dirwalk-vulns.cab"));
    fs::create_directories(dir / "jail/inner");
    std::string report;
    EXPECT_EQ(RunSfx(exe, "-y " + Destination(dir / "jail/inner/dest"), &report), 1)
        << "refused entries must show in the exit status";
    EXPECT_EQ(kit::ListFolder(dir / "jail"), std::vector<std::string>{"inner"});
    EXPECT_EQ(kit::ListFolder(dir / "jail/inner"), std::vector<std::string>{"dest"});
    EXPECT_EQ(kit::ListFolder(dir.Path()), (std::vector<std::string>{"jail", "sfx"}));
    // the harmless names are still extracted (Windows 95 has none of them: their odd characters are
    // outside its code page)
    EXPECT_EQ(FilesBelow(dir / "jail/inner/dest").empty(), AnsiNamesOnly());
}

TEST(SfxCabSafety, ADamagedCabinetFailsAndLeavesNoPartialFile)
{
    TempFolder dir;
    std::string big;
    for (int i = 0; i < 30000; ++i)
        big += std::to_string(i) + " ";
    std::string bytes = ReadBytes(kit::MakeCab(dir.Path(), {{"big.txt", big}}, true));
    bytes[bytes.size() - 100] ^= 0x5A; // inside the last data block
    WriteBytes(dir / "bad.cab", bytes);
    std::string report;
    EXPECT_EQ(CabLibrary().Run("-f \"" + (dir / "bad.cab") + "\" \"" + dir.Path() + "/\"", &report), 0x800F)
        << "the library's verification refuses it: " << report;
    const std::string exe = MakeSfx(dir, dir / "bad.cab", "-gt0");
    EXPECT_EQ(RunSfx(exe, "-y " + Destination(dir / "out")), 2);
    EXPECT_TRUE(FilesBelow(dir / "out").empty());
    EXPECT_EQ(RunSfx(exe, "-t"), 2);
}

TEST(SfxCabSafety, ADamagedEntryLeavesTheFileItWouldReplaceAlone)
{
    TempFolder dir;
    std::string big;
    for (int i = 0; i < 30000; ++i)
        big += std::to_string(i) + " ";
    std::string bytes = ReadBytes(kit::MakeCab(dir.Path(), {{"big.txt", big}}, true));
    bytes[bytes.size() - 100] ^= 0x5A; // inside the last data block
    WriteBytes(dir / "bad.cab", bytes);
    const std::string exe = MakeSfx(dir, dir / "bad.cab", "-gt0");
    fs::create_directories(dir / "out");
    WriteBytes(dir / "out/big.txt", "the user's own file");
    EXPECT_EQ(RunSfx(exe, "-y " + Destination(dir / "out")), 2);
    EXPECT_EQ(FilesBelow(dir / "out"),
              (std::map<std::string, std::string>{{"big.txt", "the user's own file"}}));
}

TEST(SfxCabSafety, AStubWithoutCabinetSaysSo)
{
    TempFolder dir;
    WriteBytes(dir / "bare.exe", kit::BuiltStub("cab-win32.exe"));
    EXPECT_EQ(RunSfx(dir / "bare.exe", "-t"), 2);
    EXPECT_EQ(RunSfx(dir / "bare.exe", "-q"), 3) << "unknown switch";
}

TEST(SfxCabSafety, WithoutSwitchesAndWithoutADisplayItEndsInsteadOfWaiting)
{
    // The destination question cannot be shown headless: it counts as cancelled.
    TempFolder dir;
    const std::string exe = MakeSfx(dir, kit::MakeCab(dir.Path(), {{"a.txt", "alpha"}}, false));
    EXPECT_EQ(Shell("cd " + Quote(dir.Path()) + " && timeout 60 env TB_WINEPREFIX=" + Quote(TB_WINE_PREFIX)
                    + " " + Quote(TB_WINE_RUN) + " " + Quote(exe) + " >/dev/null 2>&1"),
              3);
    EXPECT_FALSE(kit::Exists(dir / "a.txt"));
}

TEST(SfxCabSize, TheStubStaysSmall)
{
    // Readers such as libarchive look only 20 KiB into a file for the archive.
    EXPECT_LE(kit::BuiltStub("cab-win32.exe").size(), 20u * 1024);
}

} // namespace
