// Which stored names each kind of self-extractor can hold (what -gu0 leaves
// out): the self-extractors' own rules (safename.c) and, for DOS and Win16,
// 8.3 names.
#include "namePolicy.h"
#include "archivers/libraryKit.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>

namespace {

using tbarc::NameEncoding;
using tbarc::SfxKind;

struct NameCase {
    const char* name;
    NameEncoding encoding;
    bool win32;
    bool dos; // DOS and Win16 share the 8.3 rule
};

void PrintTo(const NameCase& c, std::ostream* os)
{
    *os << testing::PrintToString(std::string(c.name));
}

// What -gu0 keeps for a kind: a name the stubs write that fits the kind.
bool FitsTarget(const char* name, NameEncoding encoding, SfxKind kind)
{
    return tbarc::NameIsSafe(name, encoding) && tbarc::NameFitsKind(name, encoding, kind);
}

class NameRules : public testing::TestWithParam<NameCase> {};

TEST_P(NameRules, JudgesEachKind)
{
    const NameCase& c = GetParam();
    EXPECT_EQ(FitsTarget(c.name, c.encoding, SfxKind::Win32), c.win32) << c.name;
    EXPECT_EQ(FitsTarget(c.name, c.encoding, SfxKind::Dos), c.dos) << c.name;
    EXPECT_EQ(FitsTarget(c.name, c.encoding, SfxKind::Win16), c.dos) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Names, NameRules,
                         testing::Values(NameCase{"README.TXT", NameEncoding::Ansi, true, true},
                                         NameCase{"docs\\MANUAL.DOC", NameEncoding::Ansi, true, true},
                                         NameCase{"docs/sub/", NameEncoding::Ansi, true, true},
                                         NameCase{"./A.TXT", NameEncoding::Ansi, true, true},
                                         NameCase{"longer-name.text", NameEncoding::Ansi, true, false},
                                         NameCase{"NINECHARS.TXT", NameEncoding::Ansi, true, false},
                                         NameCase{"A.B.C", NameEncoding::Ansi, true, false},
                                         NameCase{".profile", NameEncoding::Ansi, true, false},
                                         NameCase{"../EVIL.TXT", NameEncoding::Ansi, false, false},
                                         NameCase{"A\\..\\..\\EVIL.TXT", NameEncoding::Ansi, false, false},
                                         NameCase{"/ETC/PASSWD", NameEncoding::Ansi, false, false},
                                         NameCase{"\\WINDOWS\\WIN.INI", NameEncoding::Ansi, false, false},
                                         NameCase{"C:AUTOEXEC.BAT", NameEncoding::Ansi, false, false},
                                         NameCase{"CON", NameEncoding::Ansi, false, false},
                                         NameCase{"con.txt", NameEncoding::Ansi, false, false},
                                         NameCase{"DIR/LPT1", NameEncoding::Ansi, false, false},
                                         NameCase{"COM9.LOG", NameEncoding::Ansi, false, false},
                                         NameCase{"NUL .TXT", NameEncoding::Ansi, false, false},
                                         // Windows reserves these too; the stubs refuse them.
                                         NameCase{"COM0.TXT", NameEncoding::Ansi, false, false},
                                         NameCase{"lpt0", NameEncoding::Ansi, false, false},
                                         NameCase{"CLOCK$", NameEncoding::Ansi, false, false},
                                         NameCase{"conin$.txt", NameEncoding::Ansi, false, false},
                                         NameCase{"CONOUT$", NameEncoding::Ansi, false, false},
                                         NameCase{"COM\xB9", NameEncoding::Ansi, false, false},
                                         NameCase{"LPT\xC2\xB2.txt", NameEncoding::Utf8, false, false},
                                         NameCase{"COM1\xB9", NameEncoding::Ansi, true, true},
                                         NameCase{".", NameEncoding::Ansi, false, false},
                                         NameCase{"dir/.", NameEncoding::Ansi, true, true},
                                         NameCase{"b.txt ", NameEncoding::Ansi, false, false},
                                         NameCase{"DEL\x7FX", NameEncoding::Ansi, false, false},
                                         NameCase{"caf\xC3\xA9\x7F", NameEncoding::Utf8, false, false},
                                         NameCase{"CONSOLE.TXT", NameEncoding::Ansi, true, true},
                                         NameCase{"WHAT?.TXT", NameEncoding::Ansi, false, false},
                                         NameCase{"A|B", NameEncoding::Ansi, false, false},
                                         NameCase{"TAB\tX", NameEncoding::Ansi, false, false},
                                         NameCase{"TRAIL.", NameEncoding::Ansi, false, false},
                                         // Shift_JIS: 0x95 0x5C is one character (a kanji), not a folder
                                         // break, and 0x83 0x7C is a katakana, not '|'.
                                         NameCase{"\x95\x5C.TXT", NameEncoding::Ansi, true, true},
                                         NameCase{"\x83\x7C\x83\x93.TXT", NameEncoding::Ansi, true, true},
                                         NameCase{"..\x95\x5C", NameEncoding::Ansi, true, false},
                                         // ...but a system without that code page reads 0x5C as a folder
                                         // break: no device may follow it.
                                         NameCase{"\x95\x5C"
                                                  "CON",
                                                  NameEncoding::Ansi, false, false},
                                         NameCase{"\x95\x5C"
                                                  "com1.txt",
                                                  NameEncoding::Ansi, false, false},
                                         NameCase{"\x95\x5C"
                                                  "NULL",
                                                  NameEncoding::Ansi, true, true},
                                         // UTF-8 names have no such lead bytes; a 0x5C there is a separator.
                                         NameCase{"caf\xC3\xA9.txt", NameEncoding::Utf8, true, true},
                                         NameCase{"x\\..\\..\\y", NameEncoding::Utf8, false, false}),
                         [](const testing::TestParamInfo<NameCase>& info) {
                             // the case's number and the name's letters and digits
                             std::string label = std::to_string(info.index) + "_";
                             for (const char* p = info.param.name; *p; ++p)
                                 if (std::isalnum(static_cast<unsigned char>(*p)))
                                     label += *p;
                             return label;
                         });

} // namespace

namespace {

using namespace testSupport;

// Names of every sort, at the header levels that store them differently
// (0xFF between folders at level 2, '\\' and '/' in the name at levels 0/1),
// and two more the native tool can write: a kanji whose second byte is 0x5C,
// and a name of UTF-8 bytes not flagged as such (not a device).
std::vector<LzhEntry> HostileNames()
{
    std::vector<LzhEntry> names = RefusedAndKeptNames().entries;
    names.push_back({"", "\x95\x5C.txt", "kanji"});
    names.push_back({"", "lpt\xC2\xB2", "not flagged"});
    return names;
}

int RunTool(const std::string& command, std::string* out = nullptr)
{
    return Shell(command + " 2>&1", out);
}

class OnePolicy : public testing::TestWithParam<int> {};

TEST_P(OnePolicy, Gu0LeavesOutExactlyWhatTheSelfExtractorsRefuse)
{
    // tb-sfx-lzh extracts as the stubs do (their decoder and name rules).
    const std::string tool = std::string(TB_BINARY_DIR) + "/bin/tb-sfx-lzh";
    kit::Library lib("libunlha32.so", "Unlha", kit::FakeLzhStubs());
    TempFolder dir;
    const std::vector<LzhEntry> names = HostileNames();
    const Bytes archive = MakeLzhArchive(names, GetParam());
    WriteBytes(dir / "names.lzh", archive);
    std::filesystem::create_directories(dir / "all");
    std::filesystem::create_directories(dir / "kept");
    const std::string in = " \"" + (dir / "names.lzh") + "\" \"";
    ASSERT_EQ(lib.Run("s -+ -gw2 -gu1" + in + (dir / "all") + "/\""), 0);
    const int leftOut = lib.Run("s -+ -gw2 -gu0" + in + (dir / "kept") + "/\"");
    ASSERT_GT(leftOut, 0);

    // Everything kept extracts; of everything, exactly the left-out ones fail.
    std::string log;
    EXPECT_EQ(RunTool(tool + " -y -o" + Quote(dir / "x-kept") + " " + Quote(dir / "kept/names.EXE"), &log), 0)
        << log;
    EXPECT_EQ(FilesBelow(dir / "x-kept").size(), names.size() - static_cast<std::size_t>(leftOut)) << log;
    EXPECT_EQ(RunTool(tool + " -y -o" + Quote(dir / "x-all") + " " + Quote(dir / "all/names.EXE"), &log), 1)
        << log;
    EXPECT_EQ(FilesBelow(dir / "x-all"), FilesBelow(dir / "x-kept")) << log;
}

INSTANTIATE_TEST_SUITE_P(Levels, OnePolicy, testing::Values(0, 1, 2));

} // namespace
