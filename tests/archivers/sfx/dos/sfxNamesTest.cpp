// What a self-extractor of any kind does with names: each entry is written
// under a scratch name of its own and renamed, so no entry and no file of
// the user's is lost to a scratch file; no entry ever replaces one extracted
// earlier in the same run (DOS and Win16 give the later one another 8.3
// name, Win32 reports it as failed); and the longest names are handled
// without writing past a buffer. Run for real, as sfxSealTest is.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "sfx16Kit.h"

using namespace sfx16;

namespace {

using namespace testSupport;

std::string Text(const Bytes& b)
{
    return std::string(b.begin(), b.end());
}

// A self-extractor of the kind's stub (sealed as the library does) in dir.
void Write(const fs::path& exe, const fs::path& stub, const std::vector<LzhEntry>& entries, int level = 1)
{
    WriteBytes(exe, withStub(stub, MakeLzhArchive(entries, level)));
}

fs::path Win32Stub()
{
    return fs::path(TB_BINARY_DIR) / "lib/tollbrook2/sfx/lzh-win32.exe";
}

// Entries named like the scratch files every kind used to write (a name
// with a suffix, one fixed name), and like the ones they write now.
const std::vector<LzhEntry> kScratchLike = {
    {"", "keep.tb~", "keep.tb~ of the archive"},         {"", "keep", "keep of the archive"},
    {"", "a.tbsfx~", "a.tbsfx~ of the archive"},         {"", "a", "a of the archive"},
    {"", "TBSFX$$$.TMP", "TBSFX$$$.TMP of the archive"}, {"", "~TB1", "~TB1 of the archive"},
};

TEST(ScratchNames, NoEntryAndNoFileOfTheUserIsLost)
{
    TempFolder dir;
    const fs::path root = dir.Path();
    Write(root / "W32.EXE", Win32Stub(), kScratchLike);
    Write(root / "W16.EXE", win16Stub(), kScratchLike);
    // The user's own files where the old scratch files went, and where the
    // new ones would go first.
    for (const char* folder : {"W32", "W16", "DOS", "NOW32"}) {
        WriteBytes(root / folder / "~TB0", std::string("the user's ~TB0"));
        WriteBytes(root / folder / "~TB2", std::string("the user's ~TB2"));
    }
    WriteBytes(root / "NOW32/TBSFX$$$.TMP", std::string("the user's TBSFX$$$.TMP"));
    const std::vector<int> status =
        runAllUnderWine(root, {"W32.EXE -y -oW32", "W16.EXE -y -oW16", "W32.EXE -oNOW32"});
    EXPECT_EQ(status[0], 0);
    for (const char* folder : {"W32", "W16"}) {
        SCOPED_TRACE(folder);
        std::map<std::string, std::string> expected;
        for (const LzhEntry& e : kScratchLike)
            expected[e.name] = e.data;
        expected["~TB0"] = "the user's ~TB0";
        expected["~TB2"] = "the user's ~TB2";
        std::map<std::string, std::string> found;
        for (const auto& [name, bytes] : FilesBelow<Bytes>(root / folder))
            found[name] = Text(bytes);
        if (std::string(folder) == "W16") {
            // DOS names: upper case, 8.3
            expected = {{"KEEP.TB~", "keep.tb~ of the archive"},
                        {"KEEP", "keep of the archive"},
                        {"A.TBS", "a.tbsfx~ of the archive"},
                        {"A", "a of the archive"},
                        {"TBSFX$$$.TMP", "TBSFX$$$.TMP of the archive"},
                        {"~TB1", "~TB1 of the archive"},
                        {"~TB0", "the user's ~TB0"},
                        {"~TB2", "the user's ~TB2"}};
        }
        EXPECT_EQ(found, expected);
    }
    // Without -y (no one answers on a headless run: no) the user's file of
    // the old fixed scratch name stays as it was.
    EXPECT_EQ(Text(ReadBytes<Bytes>(root / "NOW32/TBSFX$$$.TMP")), "the user's TBSFX$$$.TMP");
    EXPECT_EQ(Text(ReadBytes<Bytes>(root / "NOW32/~TB0")), "the user's ~TB0");
}

TEST(ScratchNames, DosKeepsTheUsersFilesWhenEveryAnswerIsNo)
{
    TempFolder dir;
    const fs::path root = dir.Path();
    Write(root / "SFX.EXE", dosStub(),
          {{"", "TBSFX$$$.TMP", "of the archive"}, {"", "KEEP", "keep"}, {"", "~TB1", "of the archive"}});
    WriteBytes(root / "NO/TBSFX$$$.TMP", std::string("the user's"));
    WriteBytes(root / "NO/~TB0", std::string("the user's ~TB0"));
    WriteBytes(root / "NO/~TB1", std::string("the user's ~TB1"));
    WriteBytes(root / "YES/~TB0", std::string("the user's ~TB0"));
    const std::vector<int> levels =
        runInDosbox(root, {{"SFX.EXE", "-oNO", "nn"}, {"SFX.EXE", "-y -oYES", ""}});
    EXPECT_EQ(levels[0], 1); // some not replaced
    EXPECT_EQ(Text(ReadBytes<Bytes>(root / "NO/TBSFX$$$.TMP")), "the user's");
    EXPECT_EQ(Text(ReadBytes<Bytes>(root / "NO/~TB0")), "the user's ~TB0");
    EXPECT_EQ(Text(ReadBytes<Bytes>(root / "NO/~TB1")), "the user's ~TB1");
    EXPECT_EQ(Text(ReadBytes<Bytes>(root / "NO/KEEP")), "keep");
    EXPECT_EQ(levels[1], 0);
    EXPECT_EQ(Text(ReadBytes<Bytes>(root / "YES/TBSFX$$$.TMP")), "of the archive");
    EXPECT_EQ(Text(ReadBytes<Bytes>(root / "YES/~TB0")), "the user's ~TB0");
    EXPECT_EQ(FilesBelow<Bytes>(root / "YES").size(), 4u);
}

// Entries named like the first free scratch name of either stub family
// ("~TB0" Win32, "~TB000" 16-bit): such an entry is written under the
// scratch name it has itself, and must end up there, whole.
TEST(ScratchNames, AnEntryNamedLikeTheNextScratchFile)
{
    TempFolder dir;
    const std::vector<LzhEntry> entries = {
        {"", "~TB0", "zero"}, {"", "~TB000", "three zeros"}, {"", "SUB\\~TB000", "in sub"}};
    Write(dir / "DOS.EXE", dosStub(), entries);
    Write(dir / "W16.EXE", win16Stub(), entries);
    Write(dir / "W32.EXE", Win32Stub(), entries);
    EXPECT_EQ(runInDosbox(dir.Path(), {{"DOS.EXE", "-y -oDOS", ""}}), std::vector<int>{0})
        << Text(ReadBytes<Bytes>(dir / "LOG0.TXT"));
    EXPECT_EQ(runAllUnderWine(dir.Path(), {"W32.EXE -y -oW32", "W16.EXE -y -oW16"})[0], 0)
        << Text(ReadBytes<Bytes>(dir / "OUT0.TXT"));
    for (const char* folder : {"DOS", "W16", "W32"}) {
        SCOPED_TRACE(folder);
        std::map<std::string, std::string> found;
        for (const auto& [name, bytes] : FilesBelow<Bytes>(dir / folder))
            found[name] = Text(bytes);
        const std::map<std::string, std::string> expected = {
            {"~TB0", "zero"}, {"~TB000", "three zeros"}, {"SUB/~TB000", "in sub"}};
        EXPECT_EQ(found, expected);
    }
}

TEST(ScratchNames, TheCabinetSelfExtractorToo)
{
    TempFolder dir;
    fs::create_directories(dir / "src");
    for (const char* name : {"keep.tbsfx~", "keep", "~TB1"})
        WriteBytes(fs::path(dir / "src") / name, std::string(name) + " of the cabinet");
    ASSERT_EQ(Shell("cd " + Quote(dir / "src") + " && gcab -c ../IN.CAB keep.tbsfx~ keep '~TB1'"), 0);
    ASSERT_EQ(convertCab("", dir / "IN.CAB", dir.Path()), 0);
    WriteBytes(dir / "OUT/~TB0", std::string("the user's ~TB0"));
    EXPECT_EQ(runAllUnderWine(dir.Path(), {"IN.EXE -y -oOUT"}), std::vector<int>{0});
    auto expected = FilesBelow<Bytes>(dir / "src");
    const std::string users = "the user's ~TB0";
    expected["~TB0"] = Bytes(users.begin(), users.end());
    EXPECT_TRUE(FilesBelow<Bytes>(dir / "OUT") == expected);
}

TEST(ScratchNames, AnEntryAsLongAsTheFileSystemAllowsIsWritten)
{
    // 255 characters: a suffix on the scratch name would not fit.
    TempFolder dir;
    const std::string name(251, 'n');
    Write(dir / "LONG.EXE", Win32Stub(), {{"", name + ".txt", "long"}}, 2);
    fs::create_directories(dir / "src");
    WriteBytes(fs::path(dir / "src") / (name + ".txt"), std::string("long in a cabinet"));
    ASSERT_EQ(Shell("cd " + Quote(dir / "src") + " && gcab -c ../CAB.CAB " + name + ".txt"), 0);
    ASSERT_EQ(convertCab("", dir / "CAB.CAB", dir.Path()), 0);
    EXPECT_EQ(runAllUnderWine(dir.Path(), {"LONG.EXE -y -oOUT", "CAB.EXE -y -oCAB"}),
              (std::vector<int>{0, 0}));
    EXPECT_EQ(Text(ReadBytes<Bytes>(fs::path(dir / "OUT") / (name + ".txt"))), "long");
    EXPECT_EQ(Text(ReadBytes<Bytes>(fs::path(dir / "CAB") / (name + ".txt"))), "long in a cabinet");
}

// Thirteen long names that share their start, then real short names equal
// to what the mapping makes of them.
std::vector<LzhEntry> CollidingDosNames()
{
    std::vector<LzhEntry> entries;
    for (int i = 1; i <= 13; ++i)
        entries.push_back({"", "LongFileName" + std::to_string(i) + ".text", "long " + std::to_string(i)});
    entries.push_back({"", "LONGFI~1.TEX", "real short name 1"});
    entries.push_back({"", "LONGFILE.TEX", "real short name 2"});
    entries.push_back({"", "A.TXT", "upper"});
    entries.push_back({"", "a.txt", "lower"});
    return entries;
}

void ExpectEveryEntryInAFileOfItsOwn(const fs::path& folder, const std::vector<LzhEntry>& entries)
{
    std::multiset<std::string> contents;
    for (const auto& [name, bytes] : FilesBelow<Bytes>(folder)) {
        contents.insert(Text(bytes));
        EXPECT_LE(name.size(), 12u) << name;
    }
    std::multiset<std::string> expected;
    for (const LzhEntry& e : entries)
        expected.insert(e.data);
    EXPECT_EQ(contents, expected);
}

TEST(DosNames, NoTwoEntriesGetOneName)
{
    TempFolder dir;
    const std::vector<LzhEntry> entries = CollidingDosNames();
    Write(dir / "DOS.EXE", dosStub(), entries);
    Write(dir / "W16.EXE", win16Stub(), entries);
    // A file of one of those names from an earlier run is replaced as any
    // file from before is (-y); one this run wrote never is.
    WriteBytes(dir / "DOS/LONGFI~2.TEX", std::string("from before"));
    EXPECT_EQ(runInDosbox(dir.Path(), {{"DOS.EXE", "-y -oDOS", ""}}), std::vector<int>{0});
    runAllUnderWine(dir.Path(), {"W16.EXE -y -oW16"});
    for (const char* folder : {"DOS", "W16"}) {
        SCOPED_TRACE(folder);
        EXPECT_EQ(FilesBelow<Bytes>(dir / folder).size(), entries.size());
        ExpectEveryEntryInAFileOfItsOwn(dir / folder, entries);
    }
    // More than nine on one start: the number grows and the name shrinks.
    EXPECT_TRUE(fs::exists(dir / "W16/LONGF~10.TEX"));
}

// A hundred and one names on one start: "~100", the start cut to four.
TEST(DosNames, TheNumberGrowsAsFarAsNeeded)
{
    TempFolder dir;
    std::vector<LzhEntry> entries;
    for (int i = 0; i <= 100; ++i)
        entries.push_back({"", "LongFileName" + std::to_string(i) + ".text", "long " + std::to_string(i)});
    Write(dir / "DOS.EXE", dosStub(), entries);
    EXPECT_EQ(runInDosbox(dir.Path(), {{"DOS.EXE", "-y -oDOS", ""}}), std::vector<int>{0});
    EXPECT_EQ(FilesBelow<Bytes>(dir / "DOS").size(), entries.size());
    ExpectEveryEntryInAFileOfItsOwn(dir / "DOS", entries);
    EXPECT_EQ(Text(ReadBytes<Bytes>(dir / "DOS/LONGFILE.TEX")), "long 0");
    EXPECT_EQ(Text(ReadBytes<Bytes>(dir / "DOS/LONGFI~9.TEX")), "long 9");
    EXPECT_EQ(Text(ReadBytes<Bytes>(dir / "DOS/LONGF~10.TEX")), "long 10");
    EXPECT_EQ(Text(ReadBytes<Bytes>(dir / "DOS/LONG~100.TEX")), "long 100");
}

// The longest names: a part of 200 bytes stays one part; a Shift_JIS
// character at the end of a long part is kept whole.
TEST(DosNames, TheLongestPartsStayOnePart)
{
    TempFolder dir;
    const std::string sjis = "\x93\xFA"; // 日
    const std::vector<LzhEntry> entries = {{"", std::string(196, 'P') + ".TXT", "two hundred"},
                                           {"", std::string(126, 'Q') + sjis + "X.TXT", "shift_jis at 126"},
                                           {"", std::string(125, 'R') + sjis + "Y.TXT", "shift_jis at 125"}};
    Write(dir / "DOS.EXE", dosStub(), entries, 2);
    Write(dir / "W16.EXE", win16Stub(), entries, 2);
    EXPECT_EQ(runInDosbox(dir.Path(), {{"DOS.EXE", "-y -oDOS", ""}}), std::vector<int>{0});
    runAllUnderWine(dir.Path(), {"W16.EXE -y -oW16"});
    for (const char* folder : {"DOS", "W16"}) {
        SCOPED_TRACE(folder);
        const std::map<std::string, Bytes> files = FilesBelow<Bytes>(dir / folder);
        ASSERT_EQ(files.size(), 3u);
        for (const auto& [name, bytes] : files)
            EXPECT_EQ(name.find('/'), std::string::npos) << name << ": split into a folder";
        EXPECT_EQ(Text(files.at("PPPPPPPP.TXT")), "two hundred");
    }
}

// The Win16 question about replacing a file names the whole target path,
// as long as paths get.
TEST(DosNames, TheWin16QuestionTakesTheLongestPath)
{
    TempFolder dir;
    std::string deep;
    for (int i = 0; i < 24; ++i)
        deep += "FOLDER" + std::to_string(10 + i) + "\\";
    Write(dir / "W16.EXE", win16Stub(), {{"", deep + "TARGET.TXT", "deep"}, {"", "LAST.TXT", "last"}});
    runAllUnderWine(dir.Path(), {"W16.EXE -y -oOUT"});
    ASSERT_EQ(FilesBelow<Bytes>(dir / "OUT").size(), 2u);
    fs::remove(dir / "OUT/LAST.TXT");
    // Again without -y: the deep file exists, so the question comes (on a
    // headless run it is not answered yes), and the run goes on behind it.
    runAllUnderWine(dir.Path(), {"W16.EXE -oOUT"});
    EXPECT_EQ(Text(ReadBytes<Bytes>(dir / "OUT/LAST.TXT")), "last");
}

// Names one Windows folder cannot hold side by side: the later entry is
// reported as failed, the one extracted first stays.
TEST(Win32Names, ALaterEntryNeverReplacesAnEarlierOne)
{
    TempFolder dir;
    const std::vector<LzhEntry> entries = {{"", "A.TXT", "first"},
                                           {"", "a.txt", "second"},
                                           {"", "dup.txt", "one"},
                                           {"", "dup.txt", "two"},
                                           {"", "other.txt", "fine"}};
    Write(dir / "W32.EXE", Win32Stub(), entries);
    // On Linux both names are files of one folder.
    fs::create_directories(dir / "src");
    WriteBytes(dir / "src/A.TXT", std::string("first"));
    WriteBytes(dir / "src/a.txt", std::string("second"));
    WriteBytes(dir / "src/other.txt", std::string("fine"));
    ASSERT_EQ(Shell("cd " + Quote(dir / "src") + " && gcab -c ../CAB.CAB A.TXT a.txt other.txt"), 0);
    ASSERT_EQ(convertCab("", dir / "CAB.CAB", dir.Path()), 0);
    const std::vector<int> status = runAllUnderWine(dir.Path(), {"W32.EXE -y -oW32", "CAB.EXE -y -oCAB"});
    EXPECT_EQ(status, (std::vector<int>{1, 1}));
    const std::map<std::string, Bytes> expected = {{"A.TXT", Bytes{'f', 'i', 'r', 's', 't'}},
                                                   {"dup.txt", Bytes{'o', 'n', 'e'}},
                                                   {"other.txt", Bytes{'f', 'i', 'n', 'e'}}};
    EXPECT_TRUE(FilesBelow<Bytes>(dir / "W32") == expected);
    EXPECT_EQ(FilesBelow<Bytes>(dir / "CAB").size(), 2u);
    EXPECT_EQ(Text(ReadBytes<Bytes>(dir / "CAB/A.TXT")), "first");
}

TEST(CabDestination, MissingParentFoldersAreMade)
{
    TempFolder dir;
    fs::create_directories(dir / "src");
    WriteBytes(dir / "src/A.TXT", std::string("alpha"));
    ASSERT_EQ(Shell("cd " + Quote(dir / "src") + " && gcab -c ../IN.CAB A.TXT"), 0);
    ASSERT_EQ(convertCab("", dir / "IN.CAB", dir.Path()), 0);
    EXPECT_EQ(runAllUnderWine(dir.Path(), {"IN.EXE -y -oMADE\\WITH\\PARENTS"}), std::vector<int>{0});
    EXPECT_EQ(Text(ReadBytes<Bytes>(dir / "MADE/WITH/PARENTS/A.TXT")), "alpha");
}

} // namespace

namespace {

// The names the one set of rules refuses and keeps, and two more it keeps;
// a Win32 program that opened "CONIN$" or "clock$.txt" would reach a
// device, not a file, and so would one that opened the name behind a
// trail byte 0x5C where no double-byte code page is set (this Wine,
// DOSBox). (Shift_JIS names are left to the tests run on a Japanese
// system: DOSBox knows no double-byte code page.)
PolicyNames PolicyCases()
{
    PolicyNames names = RefusedAndKeptNames();
    names.entries.push_back({"", "COM10.TXT", "com10"});
    names.entries.push_back({"", "CONSOLE.TXT", "console"});
    names.kept += 2;
    return names;
}

// Files below root, the folder's own OUT<i>/ST<i> records of Wine runs left out.
std::size_t CountBelow(const fs::path& root)
{
    return fs::exists(root) ? FilesBelow<Bytes>(root).size() : 0;
}

} // namespace

// What -gu0 leaves out is what every kind's self-extractor refuses: the
// -gu0 self-extractor writes every entry it holds and ends with 0; the
// -gu1 one writes the same safe entries, refuses the rest and ends with 1.
TEST(OnePolicy, EveryKindRefusesWhatTheLibraryLeavesOut)
{
    TempFolder dir;
    const fs::path root = dir.Path();
    const PolicyNames names = PolicyCases();
    WriteBytes(root / "names.lzh", MakeLzhArchive(names.entries, 2));
    struct Kind {
        const char* name;    // the self-extractors' names, "<name>0.EXE" (-gu0) and "<name>1.EXE"
        const char* options; // the kind's option
    };
    const Kind kinds[] = {{"W", "-gw2"}, {"D", ""}, {"S", "-jw2"}};
    std::map<std::string, int> leftOut;
    for (const Kind& k : kinds) {
        for (const char* policy : {"0", "1"}) {
            const fs::path out = root / (std::string("made") + k.name + policy);
            fs::create_directories(out);
            const int rc = convert(std::string(k.options) + " -gu" + policy, root / "names.lzh", out);
            if (policy[0] == '0')
                leftOut[k.name] = rc;
            else
                ASSERT_EQ(rc, 0) << k.name;
            fs::rename(out / "names.EXE", root / (std::string(k.name) + policy + ".EXE"));
        }
    }
    EXPECT_EQ(leftOut["W"], static_cast<int>(names.entries.size() - names.kept));
    // The 16-bit kinds also leave out what does not fit 8.3 ("clock$.txt"
    // is refused anyway): no other name here.
    EXPECT_EQ(leftOut["D"], leftOut["W"]);
    EXPECT_EQ(leftOut["S"], leftOut["W"]);

    // The cabinet self-extractor under the same rules (names a Linux
    // folder can hold; the others cannot reach a cabinet made here).
    const std::vector<std::string> cabNames = {"OK.TXT",
                                               "CONIN$",
                                               "clock$.txt",
                                               "COM0",
                                               "A\x7F"
                                               "B",
                                               "B.TXT.",
                                               "C.TXT "};
    fs::create_directories(root / "src");
    std::string list;
    for (const std::string& name : cabNames) {
        WriteBytes(root / "src" / name, name);
        list += " " + Quote(name);
    }
    ASSERT_EQ(Shell("cd " + Quote(root / "src") + " && gcab -c ../cab.cab" + list), 0);
    for (const char* policy : {"0", "1"}) {
        const fs::path out = root / (std::string("madeC") + policy);
        fs::create_directories(out);
        const int rc = convertCab(std::string("-gu") + policy, root / "cab.cab", out);
        EXPECT_EQ(rc, policy[0] == '0' ? static_cast<int>(cabNames.size() - 1) : 0);
        fs::rename(out / "cab.EXE", root / (std::string("C") + policy + ".EXE"));
    }

    const std::vector<int> wine = runAllUnderWine(root,
                                                  {"W0.EXE -y -oXW0", "W1.EXE -y -oXW1", "S0.EXE -y -oXS0",
                                                   "S1.EXE -y -oXS1", "C0.EXE -y -oXC0", "C1.EXE -y -oXC1"});
    const std::vector<int> dos = runInDosbox(root, {{"D0.EXE", "-y -oXD0", ""}, {"D1.EXE", "-y -oXD1", ""}});
    for (std::size_t i = 0; i < wine.size(); i += 2) {
        if (i == 2)
            continue; // Wine does not pass a 16-bit program's status on
        EXPECT_EQ(wine[i], 0) << Text(ReadBytes<Bytes>(root / ("OUT" + std::to_string(i) + ".TXT")));
        EXPECT_EQ(wine[i + 1], 1) << Text(ReadBytes<Bytes>(root / ("OUT" + std::to_string(i + 1) + ".TXT")));
    }
    EXPECT_EQ(dos, (std::vector<int>{0, 1}))
        << Text(ReadBytes<Bytes>(root / "LOG0.TXT")) << Text(ReadBytes<Bytes>(root / "LOG1.TXT"));
    for (const char* kind : {"W", "S", "D"}) {
        SCOPED_TRACE(kind);
        EXPECT_EQ(CountBelow(root / (std::string("X") + kind + "0")), names.kept);
        EXPECT_EQ(CountBelow(root / (std::string("X") + kind + "1")), names.kept);
    }
    EXPECT_TRUE(FilesBelow<Bytes>(root / "XW0") == FilesBelow<Bytes>(root / "XW1"));
    const std::map<std::string, Bytes> cabOnly = {{"OK.TXT", Bytes{'O', 'K', '.', 'T', 'X', 'T'}}};
    EXPECT_TRUE(FilesBelow<Bytes>(root / "XC0") == cabOnly);
    EXPECT_TRUE(FilesBelow<Bytes>(root / "XC1") == cabOnly);
}
