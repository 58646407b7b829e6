// CabCheckArchive on cabinets made here: damaged data, cabinets behind other bytes.
#include "archivers/libraryKit.h"

#include <gtest/gtest.h>

namespace {

using namespace testSupport;

TEST(CabCheck, DamagedDataBlockFailsTheCheck)
{
    kit::Library lib("libcab32.so", "Cab", {});
    TempFolder dir;
    const std::string cab = kit::MakeCab(dir.Path(), {{"a.txt", std::string(5000, 'a')}}, true);
    ASSERT_EQ(lib.Check(cab), 1);
    std::string bytes = ReadBytes(cab);
    bytes[bytes.size() - 10] ^= 0x55; // inside the last data block
    WriteBytes(dir / "bad.cab", bytes);
    EXPECT_EQ(lib.Check(dir / "bad.cab"), 0);
}

TEST(CabCheck, FindsACabinetBehindAProgram)
{
    kit::Library lib("libcab32.so", "Cab", {});
    TempFolder dir;
    const std::string cab = ReadBytes(kit::MakeCab(dir.Path(), {{"a.txt", "alpha"}}, false));
    WriteBytes(dir / "sfx.exe", kit::BuiltStub("cab-win32.exe") + cab);
    EXPECT_EQ(lib.Check(dir / "sfx.exe"), 1);
    WriteBytes(dir / "cut.exe", kit::BuiltStub("cab-win32.exe") + cab.substr(0, cab.size() - 3));
    EXPECT_EQ(lib.Check(dir / "cut.exe"), 0);
    WriteBytes(dir / "bare.exe", kit::BuiltStub("cab-win32.exe"));
    EXPECT_EQ(lib.Check(dir / "bare.exe"), 0);
}

} // namespace
