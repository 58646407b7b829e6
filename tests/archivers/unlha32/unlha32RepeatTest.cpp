// Many calls in one process, as an automatic run makes them: a stub changed on
// disk is used at once, and small archives (read whole) and large ones (copied
// by the kernel) come out byte for byte, whole or with entries left out.
#include "archivers/libraryKit.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <random>

namespace {

using namespace testSupport;

namespace fs = std::filesystem;

std::string Line(const std::string& options, const std::string& archive, const std::string& folder)
{
    return "s -+ -gw2 " + options + " \"" + archive + "\" \"" + folder + "/\"";
}

struct StubChange {
    const char* what;
    std::string newStub;
    bool keepTime; // give the new stub the old one's modification time
};

class UnlhaStubChange : public testing::TestWithParam<StubChange> {};

TEST_P(UnlhaStubChange, TheNextCallUsesTheStubNowOnDisk)
{
    kit::Library lib("libunlha32.so", "Unlha", kit::FakeLzhStubs());
    TempFolder dir;
    const std::string archive = kit::MakeLzh({{"a.txt", "abc"}});
    WriteBytes(dir / "a.lzh", archive);
    const std::string stubPath = lib.StubPath("lzh-win32.exe");
    ASSERT_EQ(lib.Run(Line("", dir / "a.lzh", dir.Path())), 0);
    ASSERT_EQ(ReadBytes(dir / "a.EXE"), kit::Sealed(kit::FakeLzhStubs().at("lzh-win32.exe"), archive));

    const auto oldTime = fs::last_write_time(stubPath);
    // Replaced through a new file, as an update would do it: another inode.
    WriteBytes(stubPath + ".new", GetParam().newStub);
    fs::rename(stubPath + ".new", stubPath);
    if (GetParam().keepTime)
        fs::last_write_time(stubPath, oldTime);
    ASSERT_EQ(lib.Run(Line("", dir / "a.lzh", dir.Path())), 0) << GetParam().what;
    EXPECT_EQ(ReadBytes(dir / "a.EXE"), kit::Sealed(GetParam().newStub, archive)) << GetParam().what;

    fs::remove(stubPath);
    EXPECT_EQ(lib.Run(Line("", dir / "a.lzh", dir.Path())), 0x8008) << "a removed stub";
}

INSTANTIATE_TEST_SUITE_P(Changes, UnlhaStubChange,
                         testing::Values(StubChange{"another size", kit::FakeStub('N', 3002), false},
                                         StubChange{"same size, newer", kit::FakeStub('N', 1024), false},
                                         StubChange{"same size and time, another file",
                                                    kit::FakeStub('N', 1024), true}));

std::string RandomBytes(std::size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random());
    return bytes;
}

struct SizeCase {
    const char* what;
    std::size_t memberSize; // three members of this size
};

class UnlhaArchiveSize : public testing::TestWithParam<SizeCase> {};

TEST_P(UnlhaArchiveSize, OutputIsExactWholeAndWithEntriesLeftOut)
{
    kit::Library lib("libunlha32.so", "Unlha", kit::FakeLzhStubs());
    TempFolder dir;
    const std::size_t size = GetParam().memberSize;
    const std::pair<std::string, std::string> a{"a.bin", RandomBytes(size, 1)};
    const std::pair<std::string, std::string> con{"con.bin", RandomBytes(size, 2)};
    const std::pair<std::string, std::string> b{"b.bin", RandomBytes(size, 3)};
    const std::string archive = kit::MakeLzh({a, con, b});
    WriteBytes(dir / "in.lzh", archive);
    const std::string stub = kit::FakeLzhStubs().at("lzh-win32.exe");

    ASSERT_EQ(lib.Run(Line("-gu1", dir / "in.lzh", dir.Path())), 0);
    EXPECT_TRUE(ReadBytes(dir / "in.EXE") == kit::Sealed(stub, archive)) << GetParam().what;
    // CON is a device name on Windows: that member goes, the others stay as they were.
    ASSERT_EQ(lib.Run(Line("-gu0", dir / "in.lzh", dir.Path())), 1);
    EXPECT_TRUE(ReadBytes(dir / "in.EXE") == kit::Sealed(stub, kit::MakeLzh({a, b}))) << GetParam().what;
    EXPECT_EQ(kit::ListFolder(dir.Path()), (std::vector<std::string>{"in.EXE", "in.lzh"}));
}

INSTANTIATE_TEST_SUITE_P(Sizes, UnlhaArchiveSize,
                         testing::Values(SizeCase{"small, read whole", 1000},
                                         SizeCase{"large, copied from the file", 2u << 20}));

// Calls in a row reuse the memory of the calls before: an archive smaller
// than the last one, or one after a call that failed half-way, must come out
// with its own bytes only.
TEST(UnlhaCallsInARow, EachOutputHoldsItsOwnArchiveOnly)
{
    kit::Library lib("libunlha32.so", "Unlha", kit::FakeLzhStubs());
    TempFolder dir;
    const std::string stub = kit::FakeLzhStubs().at("lzh-win32.exe");
    struct Call {
        const char* what;
        std::string archive;
        int result;
    };
    const std::string large = kit::MakeLzh({{"large.bin", RandomBytes(3u << 20, 4)}});
    const std::string medium = kit::MakeLzh({{"medium.bin", RandomBytes(70000, 5)}});
    // The same bytes as the call before, cut: what follows the cut is still
    // in the memory that call used.
    const std::string cut = medium.substr(0, medium.size() / 2);
    const std::vector<Call> calls = {
        {"large, read whole", large, 0},
        {"small after large", kit::MakeLzh({{"small.txt", "abc"}}), 0},
        {"medium", medium, 0},
        {"the medium one cut short", cut, 0x8007},
        {"tiny after a failure", kit::MakeLzh({{"t", "x"}}), 0},
    };
    for (std::size_t i = 0; i < calls.size(); ++i) {
        const std::string name = "c" + std::to_string(i);
        WriteBytes(dir / (name + ".lzh"), calls[i].archive);
        ASSERT_EQ(lib.Run(Line("", dir / (name + ".lzh"), dir.Path())), calls[i].result) << calls[i].what;
        if (calls[i].result == 0)
            EXPECT_TRUE(ReadBytes(dir / (name + ".EXE")) == kit::Sealed(stub, calls[i].archive))
                << calls[i].what;
        else
            EXPECT_FALSE(fs::exists(dir / (name + ".EXE"))) << calls[i].what;
    }
}

} // namespace
