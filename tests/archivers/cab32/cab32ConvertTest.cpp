// Cab conversions: stub + cabinet out, cabextract still reads it, the input
// untouched, entries left out with a rebuilt file table.
#include "archivers/libraryKit.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sstream>

namespace {

using namespace testSupport;

std::uint32_t CabinetLength(const std::string& bytes, std::size_t at)
{
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(bytes[at + 8 + i]);
    return v;
}

// Entry names as cabextract lists them.
std::vector<std::string> CabNames(const std::string& path)
{
    std::string listing;
    Shell("cabextract -q -l " + Quote(path) + " 2>/dev/null", &listing);
    std::vector<std::string> names;
    std::istringstream lines(listing);
    for (std::string line; std::getline(lines, line);) {
        const auto bar = line.rfind(" | ");
        if (bar != std::string::npos && line.find("Name") == std::string::npos)
            names.push_back(line.substr(bar + 3));
    }
    return names;
}

struct CabCase {
    const char* what;
    std::function<std::string(const TempFolder&)> input; // returns the cabinet's path
    std::size_t offset;                                  // where the cabinet starts in it
};

class CabConvert : public testing::TestWithParam<CabCase> {};

TEST_P(CabConvert, OutputIsStubThenTheCabinetAndCabextractReadsIt)
{
    kit::Library lib("libcab32.so", "Cab", kit::CabStubs());
    TempFolder dir;
    const std::string input = GetParam().input(dir);
    const std::string before = ReadBytes(input);
    std::filesystem::create_directory(dir / "out");
    std::string report;
    ASSERT_EQ(lib.Run("-f \"" + input + "\" \"" + (dir / "out") + "/\"", &report), 0) << report;
    const auto outputs = kit::ListFolder(dir / "out");
    ASSERT_EQ(outputs.size(), 1u);
    const std::string output = dir / ("out/" + outputs[0]);
    const std::string cabinet = GetParam().offset == 0
        ? before
        : before.substr(GetParam().offset, CabinetLength(before, GetParam().offset));
    EXPECT_EQ(ReadBytes(output), kit::Sealed(kit::BuiltStub("cab-win32.exe"), cabinet));
    std::string log;
    EXPECT_EQ(Shell("cabextract -t " + Quote(output) + " 2>&1", &log), 0) << log;
    EXPECT_EQ(ReadBytes(input), before) << "the input changed";
}

std::string Corpus(const char* file)
{
    return kit::CorpusPath(file);
}

INSTANTIATE_TEST_SUITE_P(
    Cabinets, CabConvert,
    testing::Values(
        CabCase{"stored",
                [](const TempFolder& d) {
                    return kit::MakeCab(d.Path(), {{"a.txt", "alpha"}, {"sub/b.txt", "beta"}}, false);
                },
                0},
        CabCase{"mszip",
                [](const TempFolder& d) {
                    return kit::MakeCab(d.Path(), {{"a.txt", std::string(70000, 'z')}}, true);
                },
                0},
        CabCase{"lzx+quantum",
                [](const TempFolder&) { return Corpus("kyz_libmspack/cabextract/test/cabs/mixed.cab"); }, 0},
        CabCase{"lzx21",
                [](const TempFolder&) {
                    return Corpus("jhermsmeier_node-cabarc/test/data/compression/lzx-21.cab");
                },
                0},
        CabCase{"signed", [](const TempFolder&) { return Corpus("debian_libgcab-tests/test-signed.cab"); },
                0},
        CabCase{"embedded",
                [](const TempFolder&) {
                    return Corpus("kyz_libmspack/libmspack/test/test_files/cabd/search_basic.cab");
                },
                6}));

TEST(CabLeaveOut, Gu0DropsForeignNamesAndKeepsTheOthersIntact)
{
    kit::Library lib("libcab32.so", "Cab", kit::CabStubs());
    TempFolder dir;
    const std::string cab = kit::MakeCab(dir.Path(),
                                         {{"first.txt", std::string(40000, '1')},
                                          {"CON", "device"},
                                          {"sub/aux.txt", "device too"},
                                          {"what?.txt", "wildcard"},
                                          {"last.txt", std::string(30000, '9')}},
                                         true);
    ASSERT_EQ(lib.Run("-f -gu0 \"" + cab + "\" \"" + dir.Path() + "/\""), 3);
    EXPECT_EQ(CabNames(dir / "made.EXE"), (std::vector<std::string>{"first.txt", "last.txt"}));
    ASSERT_EQ(Shell("cabextract -q -d " + Quote(dir / "x") + " " + Quote(dir / "made.EXE")), 0);
    EXPECT_EQ(ReadBytes(dir / "x/last.txt"), std::string(30000, '9'));
    EXPECT_EQ(ReadBytes(dir / "x/first.txt"), std::string(40000, '1'));
}

TEST(CabLeaveOut, HostileNamesOfTheCorpusAreAllLeftOut)
{
    kit::Library lib("libcab32.so", "Cab", kit::CabStubs());
    TempFolder dir;
    const std::string input = kit::CorpusPath("kyz_libmspack/cabextract/test/cabs/dirwalk-vulns.cab");
    const int leftOut = lib.Run("-f -gu0 \"" + input + "\" \"" + dir.Path() + "/\"");
    ASSERT_GT(leftOut, 0);
    const auto before = CabNames(input);
    const auto after = CabNames(dir / "dirwalk-vulns.EXE");
    EXPECT_EQ(after.size() + static_cast<std::size_t>(leftOut), before.size());
    for (const std::string& name : after) {
        EXPECT_NE(name.front(), '/') << name;
        std::string part;
        std::istringstream parts(name);
        while (std::getline(parts, part, '/'))
            EXPECT_NE(part, "..") << name;
    }
    EXPECT_EQ(Shell("cabextract -t " + Quote(dir / "dirwalk-vulns.EXE") + " >/dev/null 2>&1"), 0);
}

TEST(CabRefuse, OnePartOfACabinetSetCannotStandAlone)
{
    kit::Library lib("libcab32.so", "Cab", kit::CabStubs());
    TempFolder dir;
    EXPECT_EQ(lib.Run("-f \"" + kit::CorpusPath("kyz_libmspack/cabextract/test/cabs/split-2.cab") + "\" \""
                      + dir.Path() + "/\""),
              0x800B);
    EXPECT_TRUE(kit::ListFolder(dir.Path()).empty());
}

} // namespace
