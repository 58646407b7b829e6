// libunlha32 writes a DOS or Win16 self-extractor only for an archive its
// 16-bit stub can extract: an entry of a method the stub leaves out makes
// the conversion fail with 0x800E and write nothing, unless -gu0 leaves
// that entry out anyway; the Win32 stub decodes those methods, so that kind
// converts them.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstdint>
#include <cstdlib>

#include "sfx16Kit.h"

using namespace sfx16;
using sfxlzh::dataDir;
using sfxlzh::readFile;
using sfxlzh::ScratchDir;

namespace {

using UnlhaFunction = int (*)(void *, const char *, char *, std::uint32_t);

struct Case {
    const char *archive;
    const char *kindOption;     // "" DOS, "-jw2 " Win16, "-gw2 " Win32
    const char *stub;
    int expected;
};

void PrintTo(const Case &c, std::ostream *os) { *os << c.archive << " " << c.stub; }

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
    LibraryKinds() { setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1); }
    ~LibraryKinds() override { unsetenv("XDG_RUNTIME_DIR"); }
    ScratchDir runtime;
};

// Converts with libunlha32 of the build: options, then the archive and the
// output folder.
int convert(const std::string &options, const fs::path &archive, const fs::path &out)
{
    void *library = dlopen((std::string(TB_BINARY_DIR) + "/lib/tollbrook2/libunlha32.so").c_str(),
                           RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return -1;
    auto unlha = reinterpret_cast<UnlhaFunction>(dlsym(library, "Unlha"));
    const std::string command =
        "s " + options + " \"" + archive.string() + "\" \"" + out.string() + "/\"";
    char report[8192] = {};
    const int rc = unlha ? unlha(nullptr, command.c_str(), report, sizeof report) : -1;
    dlclose(library);
    return rc;
}

TEST_P(LibraryKinds, WritesASelfExtractorOnlyWhenItsStubDecodesEveryEntry)
{
    const Case &c = GetParam();
    ScratchDir out;
    const fs::path archive = dataDir() / (std::string(c.archive) + ".lzh");
    EXPECT_EQ(convert(std::string("-+ ") + c.kindOption + "-jyo -x1  -y1 -gm1 -gu1", archive, out.path()),
              c.expected);

    const fs::path exe = out.path() / (std::string(c.archive) + ".EXE");
    if (c.expected == 0) {
        const Bytes written = readFile(exe);
        const Bytes stub = readFile(fs::path(TB_BINARY_DIR) / "lib/tollbrook2/sfx" / c.stub);
        const Bytes data = readFile(archive);
        ASSERT_EQ(written.size(), stub.size() + data.size());
        EXPECT_TRUE(std::equal(stub.begin(), stub.end(), written.begin()));
        EXPECT_TRUE(std::equal(data.begin(), data.end(), written.begin() + stub.size()));
    } else {
        EXPECT_TRUE(fs::is_empty(out.path()));
    }
}

INSTANTIATE_TEST_SUITE_P(SixteenBitStubs, LibraryKinds, testing::ValuesIn(kCases));

TEST(LibraryKindsLeftOut, AnEntryLeftOutByGu0DoesNotCount)
{
    // The -lh1- entry of lh1_h0.lzh renamed "w:rds.txt", a name DOS cannot
    // hold (level-0 header: name at 22, checksum of the header in byte 1).
    Bytes archive = readFile(dataDir() / "lh1_h0.lzh");
    ASSERT_EQ(std::string(archive.begin() + 22, archive.begin() + 31), "words.txt");
    archive[23] = ':';
    unsigned sum = 0;
    for (std::size_t i = 2; i < archive[0] + 2u; i++)
        sum += archive[i];
    archive[1] = std::uint8_t(sum);
    ScratchDir in, out;
    sfxlzh::writeFile(in.path() / "named.lzh", archive);
    setenv("XDG_RUNTIME_DIR", in.path().c_str(), 1);
    EXPECT_EQ(convert("-+ -gu1", in.path() / "named.lzh", out.path()), 0x800E);
    EXPECT_EQ(convert("-+ -gu0", in.path() / "named.lzh", out.path()), 1);
    EXPECT_TRUE(fs::exists(out.path() / "named.EXE"));
    unsetenv("XDG_RUNTIME_DIR");
}

}  // namespace
