// What libunlha32 makes, run for real: the Win32 kind under Wine must give back
// exactly what lhasa extracts from the archive; the 16-bit kinds carry the
// archive behind their stubs so that lhasa still reads it.
#include "archivers/libraryKit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>

namespace fs = std::filesystem;

namespace {

using namespace testSupport;

int RunUnderWine(const std::string& exe, const std::string& switches)
{
    return Shell("TB_WINEPREFIX=" + Quote(TB_WINE_PREFIX) + " " + Quote(TB_WINE_RUN) + " " + Quote(exe) + " "
                 + switches + " >/dev/null 2>&1");
}

kit::Library& RealStubs()
{
    static kit::Library lib("libunlha32.so", "Unlha",
                            {{"lzh-win32.exe", kit::BuiltStub("lzh-win32.exe")},
                             {"lzh-win16.exe", kit::BuiltStub("lzh-win16.exe")},
                             {"lzh-dos.exe", kit::BuiltStub("lzh-dos.exe")}});
    return lib;
}

std::string Convert(const std::string& input, const std::string& kindOption, const std::string& folder)
{
    fs::create_directories(folder);
    std::string report;
    const int rc = RealStubs().Run(
        "s -+ " + kindOption + " -jyo -x1  -y1 -gm1 -gu1 \"" + input + "\" \"" + folder + "/\"", &report);
    if (rc != 0)
        throw std::runtime_error(report);
    return folder + "/" + kit::ListFolder(folder).at(0);
}

class UnlhaWin32Sfx : public testing::TestWithParam<const char*> {};

TEST_P(UnlhaWin32Sfx, ExtractsUnderWineWhatLhasaExtracts)
{
    TempFolder dir;
    const std::string input = kit::CorpusPath(GetParam());
    const std::string exe = Convert(input, "-gw2", dir / "sfx");
    ASSERT_EQ(Shell("cd " + Quote(dir.Path()) + " && mkdir expected && cd expected && lhasa xq "
                    + Quote(input) + " >/dev/null 2>&1"),
              0);
    EXPECT_EQ(RunUnderWine(exe, Quote("-oZ:" + (dir / "got")) + " -y"), 0);
    const auto expected = CaseFolded(FilesBelow(dir / "expected"));
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(CaseFolded(FilesBelow(dir / "got")), expected);
}

INSTANTIATE_TEST_SUITE_P(Archives, UnlhaWin32Sfx,
                         testing::Values("fragglet_lhasa/test/archives/explzh_723/h0_lh0.lzh",
                                         "fragglet_lhasa/test/archives/lharc113/sfx.com",
                                         "fragglet_lhasa/test/archives/lha_amiga_122/lh4.lzh",
                                         "fragglet_lhasa/test/archives/explzh_723/h0_lh6.lzh",
                                         "fragglet_lhasa/test/archives/explzh_723/h0_lh7.lzh",
                                         "fragglet_lhasa/test/archives/lha_os9_211c/h2_lh1.lzh",
                                         "fragglet_lhasa/test/archives/lha_os2_208/h3_subdir.lzh",
                                         "fragglet_lhasa/test/archives/larc333/initial.lzs",
                                         "fragglet_lhasa/test/archives/larc333/lz4.lzs",
                                         "fragglet_lhasa/test/archives/lha_x68k_213/sfx.x",
                                         "fragglet_lhasa/test/archives/lhmelt_16536/sfx_winsfx32m_250.exe"));

TEST(UnlhaWin32SfxSafety, LeftOutNamesAndTheRestExtract)
{
    TempFolder dir;
    WriteBytes(dir / "in/mixed.lzh",
               kit::MakeLzh({{"GOOD.TXT", "good"},
                             {"..\\..\\EVIL.TXT", "evil"},
                             {"SUB\\NUL.TXT", "device"},
                             {"SUB\\FINE.TXT", "fine"}}));
    fs::create_directories(dir / "sfx");
    ASSERT_EQ(RealStubs().Run("s -+ -gw2 -gu0 \"" + (dir / "in/mixed.lzh") + "\" \"" + (dir / "sfx") + "/\""),
              2);
    fs::create_directories(dir / "jail/inner");
    EXPECT_EQ(RunUnderWine(dir / "sfx/mixed.EXE", Quote("-oZ:" + (dir / "jail/inner/dest")) + " -y"), 0);
    EXPECT_EQ(kit::ListFolder(dir / "jail/inner"), std::vector<std::string>{"dest"});
    EXPECT_EQ(CaseFolded(FilesBelow(dir / "jail/inner/dest")),
              (std::map<std::string, std::string>{{"good.txt", "good"}, {"sub/fine.txt", "fine"}}));
}

class Unlha16BitKinds : public testing::TestWithParam<std::pair<const char*, const char*>> {};

TEST_P(Unlha16BitKinds, CarryTheArchiveBehindTheirStub)
{
    TempFolder dir;
    const std::string input = kit::CorpusPath("fragglet_lhasa/test/archives/lha213/lh5.lzh");
    const std::string exe = Convert(input, GetParam().first, dir / "sfx");
    const std::string written = ReadBytes(exe), stub = kit::BuiltStub(GetParam().second);
    const std::string sealed = kit::Sealed(stub, ReadBytes(input));
    ASSERT_EQ(written.size(), sealed.size());
    EXPECT_EQ(written.substr(stub.size()), ReadBytes(input));
    // The Win16 kind writes its own module name over 8 characters of its stub.
    std::size_t changed = 0;
    for (std::size_t i = 0; i < stub.size(); ++i)
        changed += written[i] != sealed[i];
    EXPECT_LE(changed, std::string(GetParam().first).empty() ? 0u : 8u);
    EXPECT_EQ(Shell("lhasa t " + Quote(exe) + " >/dev/null 2>&1"), 0);
}

INSTANTIATE_TEST_SUITE_P(Kinds, Unlha16BitKinds,
                         testing::Values(std::make_pair("", "lzh-dos.exe"),
                                         std::make_pair("-jw2", "lzh-win16.exe")));

} // namespace
