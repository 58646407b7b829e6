// Unlha conversions: stub + archive out, the input untouched, entries left out.
#include "archivers/libraryKit.h"

#include <gtest/gtest.h>

namespace {

using namespace testSupport;

struct CorpusCase {
    const char* file;
    std::size_t archiveOffset; // where the LZH archive starts inside the file
};

class UnlhaConvertCorpus : public testing::TestWithParam<CorpusCase> {
protected:
    static void SetUpTestSuite() { lib_ = new kit::Library("libunlha32.so", "Unlha", kit::FakeLzhStubs()); }
    static void TearDownTestSuite() { delete lib_; }
    static kit::Library* lib_;
};
kit::Library* UnlhaConvertCorpus::lib_ = nullptr;

TEST_P(UnlhaConvertCorpus, OutputIsStubThenTheArchiveAndLhasaReadsIt)
{
    TempFolder dir;
    const std::string input = kit::CorpusPath(GetParam().file);
    const std::string before = ReadBytes(input);
    std::string report;
    ASSERT_EQ(
        lib_->Run("s -+ -gw2 -jyo -x1  -y1 -gm1 -gu1 \"" + input + "\" \"" + dir.Path() + "/\"", &report), 0)
        << report;
    const auto outputs = kit::ListFolder(dir.Path());
    ASSERT_EQ(outputs.size(), 1u);
    const std::string output = dir / outputs[0];
    EXPECT_EQ(ReadBytes(output),
              kit::Sealed(kit::FakeLzhStubs().at("lzh-win32.exe"), before.substr(GetParam().archiveOffset)));
    std::string log;
    EXPECT_EQ(Shell("lhasa t " + Quote(output) + " 2>&1", &log), 0) << log;
    EXPECT_EQ(ReadBytes(input), before) << "the input changed";
}

INSTANTIATE_TEST_SUITE_P(
    Archives, UnlhaConvertCorpus,
    testing::Values(CorpusCase{"fragglet_lhasa/test/archives/lha213/lh5.lzh", 0},
                    CorpusCase{"fragglet_lhasa/test/archives/lha_os9_211c/h2_lh1.lzh", 0},
                    CorpusCase{"fragglet_lhasa/test/archives/lha_os2_208/h3_subdir.lzh", 0},
                    CorpusCase{"fragglet_lhasa/test/archives/larc333/initial.lzs", 0},
                    CorpusCase{"fragglet_lhasa/test/archives/lha213/sfx.exe", 1636},
                    CorpusCase{"fragglet_lhasa/test/archives/lhmelt_16536/sfx_winsfx32m_250.exe", 53248},
                    CorpusCase{"fragglet_lhasa/test/archives/lha_x68k_213/sfx.x", 3422},
                    CorpusCase{"fragglet_lhasa/test/archives/explzh_723/declha_sfx_unicode.exe", 66532}));

using Members = std::vector<std::pair<std::string, std::string>>;

struct LeaveOutCase {
    const char* kindOption; // "" is DOS
    std::vector<std::string> names;
    std::vector<bool> kept;
};

class UnlhaLeaveOut : public testing::TestWithParam<LeaveOutCase> {};

TEST_P(UnlhaLeaveOut, Gu0DropsWhatTheKindCannotHoldAndCountsIt)
{
    kit::Library lib("libunlha32.so", "Unlha", kit::FakeLzhStubs());
    const LeaveOutCase& c = GetParam();
    Members all, kept;
    for (std::size_t i = 0; i < c.names.size(); ++i) {
        all.emplace_back(c.names[i], "data of member " + std::to_string(i));
        if (c.kept[i])
            kept.push_back(all.back());
    }
    const int leftOut = static_cast<int>(all.size() - kept.size());
    TempFolder dir;
    WriteBytes(dir / "in/mixed.lzh", kit::MakeLzh(all));
    const std::string line = std::string("s -+ ") + c.kindOption + " -gu0 \"" + (dir / "in/mixed.lzh")
        + "\" \"" + dir.Path() + "/\"";
    ASSERT_EQ(lib.Run(line), leftOut);
    const std::string stub = kit::FakeLzhStubs().at(*c.kindOption ? "lzh-win32.exe" : "lzh-dos.exe");
    EXPECT_EQ(ReadBytes(dir / "mixed.EXE"), kit::Sealed(stub, kit::MakeLzh(kept)));
    EXPECT_EQ(Shell("lhasa t " + Quote(dir / "mixed.EXE") + " >/dev/null 2>&1"), 0);

    // -gu1 keeps every entry, whatever its name.
    ASSERT_EQ(lib.Run(std::string("s -+ ") + c.kindOption + " -gu1 \"" + (dir / "in/mixed.lzh") + "\" \""
                      + dir.Path() + "/\""),
              0);
    EXPECT_EQ(ReadBytes(dir / "mixed.EXE"), kit::Sealed(stub, kit::MakeLzh(all)));
}

const std::vector<std::string> kNames = {
    "GOOD.TXT",  "..\\EVIL.TXT",     "CON",          "DIR\\AUX.TXT",        "A<B.TXT", "C:X.TXT",
    "\\ABS.TXT", "longer-name.text", "\x95\x5C.TXT", "SUB\\..\\..\\UP.TXT", "LPT1.DOC"};

INSTANTIATE_TEST_SUITE_P(
    Kinds, UnlhaLeaveOut,
    testing::Values(
        LeaveOutCase{
            "-gw2", kNames, {true, false, false, false, false, false, false, true, true, false, false}},
        LeaveOutCase{"", kNames, {true, false, false, false, false, false, false, false, true, false, false}},
        LeaveOutCase{"-gw2", {"OK.TXT", "../x"}, {true, false}}));

TEST(UnlhaLeaveOutAll, AnArchiveOfOnlyForeignNamesIsRefused)
{
    kit::Library lib("libunlha32.so", "Unlha", kit::FakeLzhStubs());
    TempFolder dir;
    const std::string input = kit::CorpusPath("fragglet_lhasa/test/archives/regression/dotdot.lzh");
    EXPECT_EQ(lib.Run("s -+ -gw2 -gu0 \"" + input + "\" \"" + dir.Path() + "/\""), 0x800C);
    EXPECT_TRUE(kit::ListFolder(dir.Path()).empty());
}

} // namespace
