// libunlha32 writes a DOS or Win16 self-extractor only for an archive its
// 16-bit stub can extract: an entry of a method the stub leaves out makes
// the conversion fail with 0x800E and write nothing, unless -gu0 leaves
// that entry out anyway; the Win32 stub decodes those methods, so that kind
// converts them. Each Win16 self-extractor carries a module name of its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>

#include "sfx16Kit.h"

using namespace sfx16;

namespace {

using namespace testSupport;

struct Case {
    const char* archive;
    const char* kindOption; // "" DOS, "-jw2 " Win16, "-gw2 " Win32
    const char* stub;
    int expected;
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.archive << " " << c.stub;
}

const Case kCases[] = {
    {"lh1_h0", "", "lzh-dos.exe", 0x800E},
    {"lzs_h1", "", "lzh-dos.exe", 0x800E},
    {"lz5_h2", "-jw2 ", "lzh-win16.exe", 0x800E},
    {"lh1_h3", "-jw2 ", "lzh-win16.exe", 0x800E},
    {"lh1_h0", "-gw2 ", "lzh-win32.exe", 0},
    {"lh0_h1", "", "lzh-dos.exe", 0},
    {"lh7_h3", "", "lzh-dos.exe", 0},
    {"lh5_h2", "-jw2 ", "lzh-win16.exe", 0},
};

class LibraryKinds : public testing::TestWithParam<Case> {
protected:
    // The busy lock goes to a runtime folder of this test's own.
    LibraryKinds() { setenv("XDG_RUNTIME_DIR", runtime.Path().c_str(), 1); }
    ~LibraryKinds() override { unsetenv("XDG_RUNTIME_DIR"); }
    TempFolder runtime;
};

TEST_P(LibraryKinds, WritesASelfExtractorOnlyWhenItsStubDecodesEveryEntry)
{
    const Case& c = GetParam();
    TempFolder out;
    const fs::path archive = dataDir() / (std::string(c.archive) + ".lzh");
    EXPECT_EQ(convert(std::string("-+ ") + c.kindOption + "-jyo -x1  -y1 -gm1 -gu1", archive, out.Path()),
              c.expected);

    const fs::path exe = out / (std::string(c.archive) + ".EXE");
    if (c.expected == 0) {
        Bytes written = ReadBytes<Bytes>(exe);
        const Bytes stub = ReadBytes<Bytes>(fs::path(TB_BINARY_DIR) / "lib/tollbrook2/sfx" / c.stub);
        const Bytes data = ReadBytes<Bytes>(archive);
        ASSERT_EQ(written.size(), stub.size() + data.size());
        if (std::string(c.stub) == "lzh-win16.exe") {
            // the module name is the file's own (Win16ModuleNames)
            const auto name = moduleName(written), reserved = moduleName(stub);
            ASSERT_TRUE(name && reserved && name->offset == reserved->offset);
            std::copy(reserved->name.begin(), reserved->name.end(), written.begin() + name->offset);
        }
        EXPECT_TRUE(written == withStub(fs::path(TB_BINARY_DIR) / "lib/tollbrook2/sfx" / c.stub, data));
    } else {
        EXPECT_TRUE(fs::is_empty(out.Path()));
    }
}

INSTANTIATE_TEST_SUITE_P(SixteenBitStubs, LibraryKinds, testing::ValuesIn(kCases));

TEST(LibraryKindsLeftOut, AnEntryLeftOutByGu0DoesNotCount)
{
    // The -lh1- entry of lh1_h0.lzh renamed "w:rds.txt", a name DOS cannot
    // hold (level-0 header: name at 22, checksum of the header in byte 1).
    Bytes archive = ReadBytes<Bytes>(dataDir() / "lh1_h0.lzh");
    ASSERT_EQ(std::string(archive.begin() + 22, archive.begin() + 31), "words.txt");
    archive[23] = ':';
    unsigned sum = 0;
    for (std::size_t i = 2; i < archive[0] + 2u; i++)
        sum += archive[i];
    archive[1] = std::uint8_t(sum);
    TempFolder in, out;
    WriteBytes(in / "named.lzh", archive);
    setenv("XDG_RUNTIME_DIR", in.Path().c_str(), 1);
    EXPECT_EQ(convert("-+ -gu1", in / "named.lzh", out.Path()), 0x800E);
    EXPECT_EQ(convert("-+ -gu0", in / "named.lzh", out.Path()), 1);
    EXPECT_TRUE(fs::exists(out / "named.EXE"));
    unsetenv("XDG_RUNTIME_DIR");
}

// Windows 3.x starts a program whose module name is already loaded as
// another instance of that module, so every output needs a name of its own:
// 1 to 8 of A-Z, 0-9 and _, a letter first, and not a Windows module's.
TEST(Win16ModuleNames, EveryOutputNamesItsOwnModule)
{
    const std::vector<std::string> names = {"alpha", "beta",       "setup_disk1", "setup_disk2", "日本語",
                                            "日本",  "my archive", "my_archive",  "v1.2.final",  "2024",
                                            "_x",    "a",          "user",        "gdi",         "kernel"};
    const std::set<std::string> windowsModules = {"KERNEL", "USER", "GDI", "SYSTEM", "SHELL"};
    TempFolder in, out, runtime;
    setenv("XDG_RUNTIME_DIR", runtime.Path().c_str(), 1);
    const Bytes archive = ReadBytes<Bytes>(dataDir() / "lh5_h2.lzh");
    const auto reserved = moduleName(ReadBytes<Bytes>(win16Stub()));
    ASSERT_TRUE(reserved);

    std::set<std::string> seen;
    auto check = [&](const fs::path& exePath) {
        SCOPED_TRACE(exePath.string());
        Bytes exe = ReadBytes<Bytes>(exePath);
        const auto name = moduleName(exe);
        ASSERT_TRUE(name);
        EXPECT_EQ(name->offset, reserved->offset);
        const std::string& n = name->name;
        EXPECT_TRUE(!n.empty() && n.size() <= 8 && n[0] >= 'A' && n[0] <= 'Z'
                    && std::all_of(n.begin(), n.end(),
                                   [](char ch) {
                                       return (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9')
                                           || ch == '_';
                                   }))
            << n;
        EXPECT_EQ(windowsModules.count(n), 0u) << n;
        EXPECT_TRUE(seen.insert(n).second) << n << " twice";
        // nothing else of the stub changes
        std::copy(reserved->name.begin(), reserved->name.end(), exe.begin() + name->offset);
        EXPECT_TRUE(exe == withStub(win16Stub(), archive));
    };
    for (const std::string& name : names) {
        WriteBytes(in / (name + ".lzh"), archive);
        ASSERT_EQ(convert("-+ -jw2 -gu1", in / (name + ".lzh"), out.Path()), 0) << name;
        check(out / (name + ".EXE"));
    }
    // The same file name in another folder is another program.
    fs::create_directory(out / "other");
    ASSERT_EQ(convert("-+ -jw2 -gu1", in / "alpha.lzh", out / "other"), 0);
    check(out / "other/alpha.EXE");
    unsetenv("XDG_RUNTIME_DIR");
}

// What the library writes still runs: two differently named self-extractors
// under Wine extract their own archives.
TEST(Win16ModuleNames, RenamedOutputsExtractUnderWine)
{
    TempFolder in, out, runtime;
    setenv("XDG_RUNTIME_DIR", runtime.Path().c_str(), 1);
    const std::vector<std::pair<std::string, std::string>> cases = {{"lh5_h2", "my archive"},
                                                                    {"lh6_h3", "setup_disk1"}};
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < cases.size(); i++) {
        const fs::path archive = in / (cases[i].second + ".lzh");
        WriteBytes(archive, ReadBytes<Bytes>(dataDir() / (cases[i].first + ".lzh")));
        ASSERT_EQ(convert("-+ -jw2 -gu1", archive, out.Path()), 0);
        lines.push_back("\"" + cases[i].second + ".EXE\" -y -oout" + std::to_string(i));
    }
    unsetenv("XDG_RUNTIME_DIR");
    runUnderWine(out.Path(), lines, "TZ=UTC");
    for (std::size_t i = 0; i < cases.size(); i++) {
        SCOPED_TRACE(cases[i].second);
        const auto reference = lhasaFiles(dataDir() / (cases[i].first + ".lzh"));
        ASSERT_FALSE(reference.empty());
        EXPECT_TRUE(foldedFilesBelow(out / ("out" + std::to_string(i))) == reference);
    }
}

} // namespace
