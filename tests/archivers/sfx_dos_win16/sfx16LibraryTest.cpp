// libunlha32 writes a DOS or Win16 self-extractor only for an archive its
// 16-bit stub can extract: an entry of a method the stub leaves out makes
// the conversion fail with 0x800E and write nothing; the Win32 stub decodes
// those methods, so that kind converts them.
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

TEST_P(LibraryKinds, WritesASelfExtractorOnlyWhenItsStubDecodesEveryEntry)
{
    const Case &c = GetParam();
    void *library = dlopen((std::string(TB_BINARY_DIR) + "/lib/tollbrook2/libunlha32.so").c_str(),
                           RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    auto unlha = reinterpret_cast<UnlhaFunction>(dlsym(library, "Unlha"));
    ASSERT_NE(unlha, nullptr);

    ScratchDir out;
    const fs::path archive = dataDir() / (std::string(c.archive) + ".lzh");
    const std::string command = std::string("s -+ ") + c.kindOption + "-jyo -x1  -y1 -gm1 -gu1 \"" +
                                archive.string() + "\" \"" + out.path().string() + "/\"";
    char report[8192] = {};
    EXPECT_EQ(unlha(nullptr, command.c_str(), report, sizeof report), c.expected) << report;

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
    dlclose(library);
}

INSTANTIATE_TEST_SUITE_P(SixteenBitStubs, LibraryKinds, testing::ValuesIn(kCases));

}  // namespace
