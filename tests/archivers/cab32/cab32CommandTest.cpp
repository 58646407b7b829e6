// Cab command lines: what each accepted line makes, and the code of each bad one.
#include "archivers/libraryKit.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

namespace {

using namespace testSupport;

struct CommandCase {
    const char* line; // {A} = the cabinet, {O} = the output folder
    int code;
};

class CabCommand : public testing::TestWithParam<CommandCase> {
protected:
    static void SetUpTestSuite() { lib_ = new kit::Library("libcab32.so", "Cab", kit::CabStubs()); }
    static void TearDownTestSuite() { delete lib_; }
    static kit::Library* lib_;
};
kit::Library* CabCommand::lib_ = nullptr;

TEST_P(CabCommand, MakesTheWin32KindOrRefuses)
{
    const CommandCase& c = GetParam();
    TempFolder dir;
    const std::string cab = kit::MakeCab(dir.Path(), {{"a.txt", "alpha"}}, false);
    const std::string out = dir / "out";
    std::filesystem::create_directory(out);
    std::string line = std::regex_replace(c.line, std::regex("\\{A\\}"), cab);
    line = std::regex_replace(line, std::regex("\\{O\\}"), out);

    std::string report;
    EXPECT_EQ(lib_->Run(line, &report), c.code) << report;
    if (c.code == 0)
        EXPECT_EQ(ReadBytes(out + "/made.EXE"), kit::Sealed(kit::BuiltStub("cab-win32.exe"), ReadBytes(cab)));
    else
        EXPECT_TRUE(kit::ListFolder(out).empty());
}

INSTANTIATE_TEST_SUITE_P(Lines, CabCommand,
                         testing::Values(CommandCase{"-f \"{A}\" \"{O}/\"", 0},
                                         CommandCase{"-f -gw2 -gu1 -y1 -gm1 \"{A}\" \"{O}/\"", 0},
                                         CommandCase{"  -f\t\"{A}\"   \"{O}/\"", 0},
                                         CommandCase{"-f -jw2 \"{A}\" \"{O}/\"", 0x8008},
                                         CommandCase{"f \"{A}\" \"{O}/\"", 0x8001},
                                         CommandCase{"-x \"{A}\" \"{O}/\"", 0x8001},
                                         CommandCase{"-f \"{A}\"", 0x8001},
                                         CommandCase{"-f \"{A}\" \"{O}/", 0x8001},
                                         CommandCase{"-f -+ \"{A}\" \"{O}/\"", 0x8002},
                                         CommandCase{"-f -q \"{A}\" \"{O}/\"", 0x8002}));

TEST(CabCommandText, FReplacesAnEarlierOutput)
{
    kit::Library lib("libcab32.so", "Cab", kit::CabStubs());
    TempFolder dir;
    const std::string cab = kit::MakeCab(dir.Path(), {{"a.txt", "alpha"}}, true);
    WriteBytes(dir / "made.EXE", "old");
    EXPECT_EQ(lib.Run("-f \"" + cab + "\" \"" + dir.Path() + "/\""), 0);
    EXPECT_EQ(ReadBytes(dir / "made.EXE"), kit::Sealed(kit::BuiltStub("cab-win32.exe"), ReadBytes(cab)));
}

} // namespace
