// Which stored names each kind of self-extractor can hold (what -gu0 leaves
// out): the self-extractors' own rules (safename.c) and, for DOS and Win16,
// 8.3 names.
#include "namePolicy.h"

#include <gtest/gtest.h>

namespace {

using tbarc::NameEncoding;
using tbarc::SfxKind;

struct NameCase {
    const char* name;
    NameEncoding encoding;
    bool win32;
    bool dos; // DOS and Win16 share the 8.3 rule
};

class NameRules : public testing::TestWithParam<NameCase> {};

TEST_P(NameRules, JudgesEachKind)
{
    const NameCase& c = GetParam();
    EXPECT_EQ(tbarc::NameFitsTarget(c.name, c.encoding, SfxKind::Win32), c.win32) << c.name;
    EXPECT_EQ(tbarc::NameFitsTarget(c.name, c.encoding, SfxKind::Dos), c.dos) << c.name;
    EXPECT_EQ(tbarc::NameFitsTarget(c.name, c.encoding, SfxKind::Win16), c.dos) << c.name;
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
                                         // UTF-8 names have no such lead bytes; a 0x5C there is a separator.
                                         NameCase{"caf\xC3\xA9.txt", NameEncoding::Utf8, true, true},
                                         NameCase{"x\\..\\..\\y", NameEncoding::Utf8, false, false}));

} // namespace
