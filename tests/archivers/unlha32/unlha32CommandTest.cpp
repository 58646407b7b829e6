// Unlha command lines: what each accepted line makes, and the code of each bad one.
#include "archivers/libraryKit.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

namespace {

using namespace testSupport;

constexpr int kBadCommand = 0x8001;
constexpr int kBadOption = 0x8002;
constexpr int kUnsupportedKind = 0x8008;

struct CommandCase {
    const char* line; // {A} = the archive, {O} = the output folder
    int code;
    const char* stub; // the stub the output starts with, when code is 0
};

class UnlhaCommand : public testing::TestWithParam<CommandCase> {
protected:
    static void SetUpTestSuite() { lib_ = new kit::Library("libunlha32.so", "Unlha", kit::FakeLzhStubs()); }
    static void TearDownTestSuite() { delete lib_; }
    static kit::Library* lib_;
};
kit::Library* UnlhaCommand::lib_ = nullptr;

std::string Fill(std::string line, const std::string& archive, const std::string& folder)
{
    line = std::regex_replace(line, std::regex("\\{A\\}"), archive);
    return std::regex_replace(line, std::regex("\\{O\\}"), folder);
}

TEST_P(UnlhaCommand, MakesTheAskedKindOrRefuses)
{
    const CommandCase& c = GetParam();
    TempFolder dir;
    const std::string archive = kit::MakeLzh({{"readme.txt", "hello"}});
    WriteBytes(dir / "in/a.lzh", archive);
    const std::string out = dir / "out";
    std::filesystem::create_directory(out);

    std::string report;
    EXPECT_EQ(lib_->Run(Fill(c.line, dir / "in/a.lzh", out), &report), c.code) << report;
    if (c.code == 0) {
        const std::string stub = kit::FakeLzhStubs().at(c.stub);
        EXPECT_EQ(ReadBytes(out + "/a.EXE"), kit::Sealed(stub, archive));
    } else {
        EXPECT_TRUE(kit::ListFolder(out).empty()) << "a failed call must leave nothing";
        EXPECT_NE(report.find("Error"), std::string::npos) << report;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, UnlhaCommand,
    testing::Values(CommandCase{"s -+ -gw2 -jyo -x1  -y1 -gm1 -gu1 \"{A}\" \"{O}/\"", 0, "lzh-win32.exe"},
                    CommandCase{"s -+ -gw2 -jyo -x1  -y1 -gm1 -gu0 \"{A}\" \"{O}/\"", 0, "lzh-win32.exe"},
                    CommandCase{"s -+ -jyo -x1  -y1 -gm1 -gu1 \"{A}\" \"{O}/\"", 0, "lzh-dos.exe"},
                    CommandCase{"s -+ -jw2 -jyo -x1  -y1 -gm1 -gu1 \"{A}\" \"{O}/\"", kUnsupportedKind,
                                nullptr},
                    CommandCase{"  s\t-+    -gw2  \"{A}\"\t\"{O}/\"  ", 0, "lzh-win32.exe"},
                    CommandCase{"s -+ -gw2 {A} {O}", 0, "lzh-win32.exe"},
                    CommandCase{"s -gw2 -gm0 -y0 \"{A}\" \"{O}/\"", 0, "lzh-win32.exe"},
                    CommandCase{"x -+ -gw2 \"{A}\" \"{O}/\"", kBadCommand, nullptr},
                    CommandCase{"S -+ -gw2 \"{A}\" \"{O}/\"", kBadCommand, nullptr},
                    CommandCase{"\"s\" -+ -gw2 \"{A}\" \"{O}/\"", kBadCommand, nullptr},
                    CommandCase{"", kBadCommand, nullptr},
                    CommandCase{"s -+ -gw2 \"{A}\"", kBadCommand, nullptr},
                    CommandCase{"s -+ -gw2 \"{A}\" \"{O}/\" \"{O}/\"", kBadCommand, nullptr},
                    CommandCase{"s -+ -gw2 \"{A}\" \"{O}/", kBadCommand, nullptr},
                    CommandCase{"s -+ -gw2 \"{A} \"{O}/", kBadCommand, nullptr},
                    CommandCase{"s -+ -gw2 -zz \"{A}\" \"{O}/\"", kBadOption, nullptr},
                    CommandCase{"s -+ -gw2 -x0 \"{A}\" \"{O}/\"", kBadOption, nullptr},
                    CommandCase{"s -+ -gw2 -jw2 \"{A}\" \"{O}/\"", kBadOption, nullptr},
                    CommandCase{"s -+ -GW2 \"{A}\" \"{O}/\"", kBadOption, nullptr}));

TEST(UnlhaCommandText, APathMayHoldQuotesAndBlanks)
{
    kit::Library lib("libunlha32.so", "Unlha", kit::FakeLzhStubs());
    // Each name beside a.lzh, which a name split at its quote would hit.
    for (const std::string name : {"in \"odd\".name v1", "a.lzh\" b", "say \"hi\"", "x\" \"y", "q\" "}) {
        TempFolder dir;
        WriteBytes(dir / "a.lzh", kit::MakeLzh({{"a.txt", "a"}}));
        const std::string archive = kit::MakeLzh({{"x.txt", "x"}});
        WriteBytes(dir / (name + ".lzh"), archive);
        std::string report;
        ASSERT_EQ(lib.Run("s -+ -gw2 \"" + (dir / (name + ".lzh")) + "\" \"" + dir.Path() + "/\"", &report),
                  0)
            << name << ": " << report;
        EXPECT_EQ(ReadBytes(dir / (name + ".EXE")),
                  kit::Sealed(kit::FakeLzhStubs().at("lzh-win32.exe"), archive))
            << name;
        EXPECT_FALSE(kit::Exists(dir / "a.EXE")) << name;
    }
}

TEST(UnlhaCommandText, ReportFitsTheBufferAndHonoursGm0)
{
    kit::Library lib("libunlha32.so", "Unlha", kit::FakeLzhStubs());
    TempFolder dir;
    WriteBytes(dir / "a.lzh", kit::MakeLzh({{"x.txt", "x"}}));
    const std::string line = " \"" + (dir / "a.lzh") + "\" \"" + dir.Path() + "/\"";

    char small[6];
    std::fill(std::begin(small), std::end(small), '#');
    EXPECT_EQ(lib.Run("s -+ -gw2 -gm1" + line, small, 5), 0);
    EXPECT_EQ(std::string(small), "Made");
    EXPECT_EQ(small[5], '#') << "wrote past outputSize";

    char untouched = '#';
    EXPECT_EQ(lib.Run("s -+ -gw2" + line, &untouched, 0), 0);
    EXPECT_EQ(untouched, '#');

    std::string report = "unset";
    EXPECT_EQ(lib.Run("s -+ -gw2 -gm0" + line, &report), 0);
    EXPECT_EQ(report, "");
    EXPECT_EQ(lib.Run("s -+ -gw2 -gm1" + line, &report), 0);
    EXPECT_NE(report.find("a.EXE"), std::string::npos) << report;
}

TEST(UnlhaCommandText, ExistingOutputIsReplacedOnlyWithPlus)
{
    kit::Library lib("libunlha32.so", "Unlha", kit::FakeLzhStubs());
    TempFolder dir;
    WriteBytes(dir / "a.lzh", kit::MakeLzh({{"x.txt", "x"}}));
    WriteBytes(dir / "a.EXE", "keep me");
    const std::string line = " \"" + (dir / "a.lzh") + "\" \"" + dir.Path() + "/\"";
    EXPECT_EQ(lib.Run("s -gw2" + line), 0x800A);
    EXPECT_EQ(ReadBytes(dir / "a.EXE"), "keep me");
    EXPECT_EQ(lib.Run("s -+ -gw2" + line), 0);
    EXPECT_NE(ReadBytes(dir / "a.EXE"), "keep me");
}

TEST(UnlhaCommandText, Y1GivesTheOutputTheArchiveTime)
{
    kit::Library lib("libunlha32.so", "Unlha", kit::FakeLzhStubs());
    TempFolder dir;
    WriteBytes(dir / "in/a.lzh", kit::MakeLzh({{"x.txt", "x"}}));
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24 * 400);
    std::filesystem::last_write_time(dir / "in/a.lzh", old);
    const std::string line = " \"" + (dir / "in/a.lzh") + "\" \"" + dir.Path() + "/\"";
    ASSERT_EQ(lib.Run("s -+ -gw2 -y1" + line), 0);
    EXPECT_EQ(std::filesystem::last_write_time(dir / "a.EXE"), old);
    ASSERT_EQ(lib.Run("s -+ -gw2 -y0" + line), 0);
    EXPECT_GT(std::filesystem::last_write_time(dir / "a.EXE"), old + std::chrono::hours(24));
}

} // namespace
