// tb-sfx-lzh against lhasa: the real-world corpus (also under ASan/UBSan),
// the generated archives of every method and header level, unsafe names,
// and the -t / -l / -y switches.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "sfxLzhKit.h"

using namespace sfxlzh;

namespace {

using namespace testSupport;

struct Extraction {
    int status;
    std::map<std::string, Bytes> files;
};

// Runs `program -y -o<dest> archive` inside a scratch folder and checks that
// nothing appeared beside the destination.
Extraction extractWith(const fs::path& program, const fs::path& archive, const std::string& extra = "")
{
    TempFolder scratch;
    const fs::path dest = scratch / "dest";
    Extraction e;
    e.status = Shell("cd " + Quote(scratch.Path()) + " && " + Quote(program) + " -y " + extra + " -o"
                     + Quote(dest) + " " + Quote(archive) + " >/dev/null 2>&1");
    for (const auto& item : fs::directory_iterator(scratch.Path()))
        EXPECT_EQ(item.path().filename(), "dest") << "written outside the destination";
    e.files = FilesBelow<Bytes>(dest);
    return e;
}

std::map<std::string, Bytes> lhasaExtract(const fs::path& archive)
{
    TempFolder scratch;
    Shell("cd " + Quote(scratch.Path()) + " && lhasa xq " + Quote(archive) + " >/dev/null 2>&1");
    return FilesBelow<Bytes>(scratch.Path());
}

fs::path tool()
{
    return binDir() / "tb-sfx-lzh";
}

// ---- Corpus --------------------------------------------------------------

struct CorpusRow {
    std::string file, format, methods, validity, lhasaVerdict;
};

void PrintTo(const CorpusRow& row, std::ostream* os)
{
    *os << row.file;
}

std::vector<CorpusRow> corpusRows()
{
    std::vector<CorpusRow> rows;
    std::ifstream in(fs::path(TB_CORPUS_DIR) / "MANIFEST.tsv");
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
        std::vector<std::string> f;
        std::stringstream ss(line);
        std::string field;
        while (std::getline(ss, field, '\t'))
            f.push_back(field);
        if (f.size() < 14 || f[5] == "cab")
            continue;
        rows.push_back({f[0], f[5], f[7], f[9], f[13]});
    }
    return rows;
}

// Archives whose entries are refused on purpose, and why. lhasa is not run
// on them: they are hostile.
const std::map<std::string, const char*> refused = {
    {"fragglet_lhasa/test/archives/regression/abspath.lzh", "absolute name"},
    {"fragglet_lhasa/test/archives/regression/badterm.lzh", "absolute name with control characters"},
    {"fragglet_lhasa/test/archives/regression/dotdot.lzh", "'..' in names"},
    {"fragglet_lhasa/test/archives/regression/symlink1.lzh", "symbolic link"},
    {"fragglet_lhasa/test/archives/regression/symlink2.lzh", "symbolic link"},
    {"fragglet_lhasa/test/archives/regression/symlink3.lzh", "symbolic link"},
    {"fragglet_lhasa/test/archives/lha_unix114i/h0_symlink.lzh", "symbolic link"},
    {"fragglet_lhasa/test/archives/lha_unix114i/h1_symlink.lzh", "symbolic link"},
    {"fragglet_lhasa/test/archives/lha_unix114i/h1_symlink2.lzh", "symbolic link"},
    {"fragglet_lhasa/test/archives/lha_unix114i/h1_symlink3.lzh", "symbolic link"},
    {"fragglet_lhasa/test/archives/lha_unix114i/h2_symlink.lzh", "symbolic link"},
    {"fragglet_lhasa/test/archives/lha_unix114i/h2_symlink2.lzh", "symbolic link"},
    {"fragglet_lhasa/test/archives/lha_unix114i/h2_symlink3.lzh", "symbolic link"},
    {"fragglet_lhasa/test/archives/lhmelt_16536/h0_subdir.lzh", "absolute name (stored from the root)"},
    {"fragglet_lhasa/test/archives/lhmelt_16536/h1_subdir.lzh", "absolute name (stored from the root)"},
    {"fragglet_lhasa/test/archives/lhmelt_16536/h2_subdir.lzh", "absolute name (stored from the root)"},
    {"fragglet_lhasa/test/archives/maclha_224/l1_full_subdir.lzh", "absolute name"},
    {"fragglet_lhasa/test/archives/maclha_224/l2_full_subdir.lzh", "absolute name"},
    {"fragglet_lhasa/test/archives/tascal_lha_051h/abspath.lzh", "absolute name"},
    {"libarchive_libarchive/libarchive/test/test_fuzz.lzh", "symbolic links"},
    {"libarchive_libarchive/libarchive/test/test_read_format_lha_header0.lzh", "symbolic links"},
    {"libarchive_libarchive/libarchive/test/test_read_format_lha_header1.lzh", "symbolic links"},
    {"libarchive_libarchive/libarchive/test/test_read_format_lha_header2.lzh", "symbolic links"},
    {"libarchive_libarchive/libarchive/test/test_read_format_lha_lh0.lzh", "symbolic links"},
    {"libarchive_libarchive/libarchive/test/test_read_format_lha_lh6.lzh", "symbolic links"},
    {"libarchive_libarchive/libarchive/test/test_read_format_lha_lh7.lzh", "symbolic links"},
    {"libarchive_libarchive/libarchive/test/test_read_format_lha_withjunk.lzh", "symbolic links"},
    {"libarchive_libarchive/libarchive/test/test_read_format_lha_oversize_header.lzh", "symbolic links"},
    {"fragglet_lhasa/test/archives/lh2_222/easubdir.lzh",
     "an OS/2 folder entry carrying its extended attributes as data is written as a file, "
     "so the folder of the next entry cannot be made (lhasa fails the same way)"},
    {"fragglet_lhasa/test/archives/lhark04d/lh7.lzh", "LHARK's own format under the -lh7- id"},
    {"fragglet_lhasa/test/archives/lhark04d/lh7_long.lzh", "LHARK's own format under the -lh7- id"},
};

// Marked damaged in the manifest, yet every entry is intact for every reader.
const std::map<std::string, const char*> intactThoughMarkedCorrupt = {
    {"libarchive_libarchive/libarchive/test/test_read_format_lha_symlink_missing_target.lzh",
     "the link without target reads as a folder entry"},
};

// Intact for us (CRC right), but lhasa writes something else, and why.
const std::map<std::string, const char*> differsFromLhasa = {
    {"fragglet_lhasa/test/archives/lha_amiga_122/sfx.run",
     "the Amiga stub carries its own help text as a small archive in front of the payload: "
     "the first valid archive in the file is that one"},
    {"fragglet_lhasa/test/archives/lha_amiga_122/lh0_dirs_bug.lzh",
     "lhasa stops at the folder stored as an empty -lh0- file; we extract all five entries"},
    {"libarchive_libarchive/libarchive/test/test_read_format_lha_symlink_missing_target.lzh",
     "lhasa stops at the link without target; we write it as a file and go on"},
};

bool undecodedMethod(const std::string& methods)
{
    for (const char* m : {"-pm0-", "-pm1-", "-pm2-", "-lh2-", "-lh3-", "-lhx-"})
        if (methods.find(m) != std::string::npos)
            return true;
    return false;
}

class Corpus : public testing::TestWithParam<std::tuple<std::string, CorpusRow>> {};

TEST_P(Corpus, ExtractsLikeLhasaOrFails)
{
    const auto& [program, row] = GetParam();
    const fs::path archive = fs::path(TB_CORPUS_DIR) / row.file;
    const Extraction ours = extractWith(binDir() / program, archive);
    ASSERT_GE(ours.status, 0) << "crashed";
    ASSERT_LE(ours.status, 2) << "sanitizer report or crash";

    bool mustFail = undecodedMethod(row.methods) || refused.count(row.file)
        || (row.validity != "valid" && !intactThoughMarkedCorrupt.count(row.file));
    if (mustFail) {
        EXPECT_NE(ours.status, 0);
    } else {
        EXPECT_EQ(ours.status, 0);
    }
    if (refused.count(row.file) || row.lhasaVerdict.rfind("ok", 0) != 0)
        return;
    const auto reference = CaseFolded(lhasaExtract(archive));
    if (differsFromLhasa.count(row.file))
        return;
    for (const auto& [path, content] : CaseFolded(ours.files)) {
        ASSERT_TRUE(reference.count(path)) << path << " not extracted by lhasa";
        EXPECT_TRUE(content == reference.at(path)) << path << " differs from lhasa's";
    }
    if (ours.status == 0) {
        EXPECT_EQ(ours.files.size(), reference.size());
    }
}

std::string testName(const std::string& program, const std::string& file)
{
    std::string name = program + "_" + file;
    for (char& c : name)
        if (!isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Manifest, Corpus,
                         testing::Combine(testing::Values("tb-sfx-lzh", "tb-sfx-lzh-asan"),
                                          testing::ValuesIn(corpusRows())),
                         [](const auto& info) {
                             return testName(std::get<0>(info.param), std::get<1>(info.param).file);
                         });

// ---- Generated archives: every method at every header level -----------

class Generated : public testing::TestWithParam<std::string> {};

TEST_P(Generated, ExtractsLikeLhasa)
{
    const fs::path archive = dataDir() / (GetParam() + ".lzh");
    const Extraction ours = extractWith(tool(), archive);
    EXPECT_EQ(ours.status, 0);
    const auto reference = lhasaExtract(archive);
    ASSERT_EQ(reference.size(), 2u);
    EXPECT_TRUE(ours.files == reference);
}

INSTANTIATE_TEST_SUITE_P(AllMethods, Generated,
                         testing::Values("lh0_h0", "lh1_h1", "lh4_h2", "lh5_h3", "lh6_h0", "lh7_h1", "lzs_h2",
                                         "lz5_h3", "lh5_h0", "lh6_h2", "lh7_h3"));

// ---- Unsafe names: nothing outside the destination -----------------------

class Traversal : public testing::TestWithParam<int> {};

TEST_P(Traversal, WritesOnlyTheSafeEntries)
{
    TempFolder scratch;
    const fs::path archive = scratch / "evil.lzh";
    const int level = GetParam();
    std::vector<LzhEntry> entries = {{"", "..\\evil1.txt", "x"},
                                     {"", "\\evil2.txt", "x"},
                                     {"", "sub\\..\\..\\evil3.txt", "x"},
                                     {"", "ok.txt", "fine"}};
    if (level == 2)
        entries.push_back({"..\xFF..\xFF", "evil4.txt", "x"});
    WriteBytes(archive, MakeLzhArchive(entries, level));
    const Extraction ours = extractWith(tool(), archive);
    EXPECT_NE(ours.status, 0);
    ASSERT_EQ(ours.files.size(), 1u);
    EXPECT_EQ(ours.files.begin()->first, "ok.txt");
}

INSTANTIATE_TEST_SUITE_P(Levels, Traversal, testing::Values(0, 1, 2));

// ---- Switches ----------------------------------------------------------------

TEST(Switches, TestWritesNothingAndFindsDamage)
{
    TempFolder scratch;
    const std::string cd = "cd " + Quote(scratch.Path()) + " && " + Quote(tool());
    EXPECT_EQ(Shell(cd + " -t " + Quote(dataDir() / "lh6_h1.lzh") + " >/dev/null"), 0);
    EXPECT_TRUE(fs::is_empty(scratch.Path()));
    Bytes damaged = ReadBytes<Bytes>(dataDir() / "lh6_h1.lzh");
    damaged[damaged.size() / 3] ^= 0x40;
    WriteBytes(scratch / "bad.lzh", damaged);
    EXPECT_EQ(Shell(cd + " -t bad.lzh >/dev/null 2>&1"), 1);
}

TEST(Switches, ListNamesEveryEntry)
{
    TempFolder scratch;
    const fs::path out = scratch / "list.txt";
    EXPECT_EQ(Shell(Quote(tool()) + " -l " + Quote(dataDir() / "lz5_h2.lzh") + " >" + Quote(out)), 0);
    const Bytes text = ReadBytes<Bytes>(out);
    const std::string listing(text.begin(), text.end());
    EXPECT_NE(listing.find("-lz5- 863d words.txt"), std::string::npos) << listing;
    EXPECT_NE(listing.find("sub/bytes.bin"), std::string::npos) << listing;
}

TEST(Switches, ReplacesExistingFilesOnlyWithY)
{
    TempFolder scratch;
    const fs::path dest = scratch / "dest";
    WriteBytes(dest / "words.txt", "old");
    const std::string command =
        Quote(tool()) + " -o" + Quote(dest) + " " + Quote(dataDir() / "lh5_h1.lzh") + " >/dev/null 2>&1";
    EXPECT_EQ(Shell(command), 1);
    EXPECT_EQ(ReadBytes<Bytes>(dest / "words.txt"), Bytes({'o', 'l', 'd'}));
    EXPECT_EQ(
        Shell(Quote(tool()) + " -y -o" + Quote(dest) + " " + Quote(dataDir() / "lh5_h1.lzh") + " >/dev/null"),
        0);
    EXPECT_EQ(ReadBytes<Bytes>(dest / "words.txt").size(), 20003u);
}

TEST(Switches, MakesAMissingDestinationWithItsParents)
{
    TempFolder scratch;
    const fs::path dest = scratch / "a/b/c";
    EXPECT_EQ(
        Shell(Quote(tool()) + " -y -o" + Quote(dest) + " " + Quote(dataDir() / "lh4_h0.lzh") + " >/dev/null"),
        0);
    EXPECT_EQ(FilesBelow<Bytes>(dest).size(), 2u);
}

// ---- Counts --------------------------------------------------------------------

// The closing line of a test run counts past 65,535: a count that wrapped at
// 65,536 would call an archive of damaged entries "0 failed".
struct CountRow {
    std::size_t badCrc, intact;
    std::string summary;
    int status;
};

void PrintTo(const CountRow& row, std::ostream* os)
{
    *os << row.badCrc << " damaged, " << row.intact << " intact";
}

class Counts : public testing::TestWithParam<CountRow> {};

TEST_P(Counts, TheClosingLineIsTrue)
{
    const CountRow& row = GetParam();
    TempFolder scratch;
    WriteBytes(scratch / "many.lzh", MakeManyEntriesArchive(row.badCrc, row.intact, 0));
    std::string out;
    EXPECT_EQ(
        Shell("cd " + Quote(scratch.Path()) + " && " + Quote(tool()) + " -t many.lzh 2>/dev/null", &out),
        row.status);
    ASSERT_FALSE(out.empty());
    out.pop_back();
    EXPECT_EQ(out.substr(out.rfind('\n') + 1), row.summary);
}

INSTANTIATE_TEST_SUITE_P(PastSixteenBits, Counts,
                         testing::Values(CountRow{65536, 70000, "70000 entries OK, 65536 failed", 1},
                                         CountRow{65536, 0, "0 entries OK, 65536 failed", 1},
                                         CountRow{0, 500000, "500000 entries OK, 0 failed", 0},
                                         CountRow{65535, 65535, "65535 entries OK, 65535 failed", 1}));

// A damaged header before the archive is reported however many header-like
// spots the search passed over: 65,536 of them must not read as none.
TEST(Search, ManyDamagedHeadersBeforeTheArchiveAreStillDamage)
{
    TempFolder scratch;
    const Bytes spot = {0x16, 0x00, '-', 'l', 'h', '0', '-'}; // a header's shape, its checksum wrong
    Bytes file;
    for (int n = 0; n < 65536; n++)
        file.insert(file.end(), spot.begin(), spot.end());
    const Bytes archive = MakeLzhArchive({{"", "a.txt", "text"}}, 1);
    file.insert(file.end(), archive.begin(), archive.end());
    WriteBytes(scratch / "junk.lzh", file);
    std::string out;
    EXPECT_EQ(
        Shell("cd " + Quote(scratch.Path()) + " && " + Quote(tool()) + " -t junk.lzh 2>/dev/null", &out), 1);
    EXPECT_NE(out.find("1 entries OK, 1 failed"), std::string::npos) << out;
}

// --help answers on standard output and succeeds; a wrong call says what is
// wrong, then shows the usage, both on standard error only, with status 2.
struct CallRow {
    std::string arguments;
    std::string complaint; // empty: the call asks for the usage
};

void PrintTo(const CallRow& row, std::ostream* os)
{
    *os << "tb-sfx-lzh " << row.arguments;
}

class Calls : public testing::TestWithParam<CallRow> {};

TEST_P(Calls, HelpOnStdoutWrongCallsOnStderr)
{
    const CallRow& row = GetParam();
    TempFolder scratch;
    const fs::path errFile = scratch / "err.txt";
    std::string out;
    const int status = Shell("cd " + Quote(scratch.Path()) + " && " + Quote(tool()) + " " + row.arguments
                                 + " 2>" + Quote(errFile),
                             &out);
    const Bytes errBytes = ReadBytes<Bytes>(errFile);
    const std::string err(errBytes.begin(), errBytes.end());
    const std::string usage = "Usage: tb-sfx-lzh ";
    if (row.complaint.empty()) {
        EXPECT_EQ(status, 0);
        EXPECT_EQ(out.rfind(usage, 0), 0u) << out;
        EXPECT_EQ(err, "");
    } else {
        EXPECT_EQ(status, 2);
        EXPECT_EQ(out, "");
        EXPECT_EQ(err.rfind("tb-sfx-lzh: " + row.complaint + "\n" + usage, 0), 0u) << err;
    }
    fs::remove(errFile);
    EXPECT_TRUE(fs::is_empty(scratch.Path())) << "the call wrote something";
}

INSTANTIATE_TEST_SUITE_P(Switches, Calls,
                         testing::Values(CallRow{"--help", ""}, CallRow{"-y --help", ""},
                                         CallRow{"-x a.lzh", "unknown option -x"},
                                         CallRow{"--version", "unknown option --version"},
                                         CallRow{"-o", "-o needs a folder"}, CallRow{"", "no file given"},
                                         CallRow{"a.lzh b.lzh", "one file at a time; also given: b.lzh"}));

TEST(SelfExtractor, ArchiveBehindTheWin32StubIsFound)
{
    TempFolder scratch;
    Bytes sfx = ReadBytes<Bytes>(stubPath());
    ASSERT_FALSE(sfx.empty());
    const Bytes archive = ReadBytes<Bytes>(dataDir() / "lh7_h2.lzh");
    sfx.insert(sfx.end(), archive.begin(), archive.end());
    WriteBytes(scratch / "x.exe", sfx);
    const Extraction ours = extractWith(tool(), scratch / "x.exe");
    EXPECT_EQ(ours.status, 0);
    EXPECT_TRUE(ours.files == lhasaExtract(dataDir() / "lh7_h2.lzh"));
}

// ---- Seals: only a self-extractor of ours has one -------------------------

void Put32(Bytes& bytes, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A plain archive whose stored member holds a seal record that names an
// archive hidden behind the end marker, with the right CRC.
Bytes HiddenBehindASeal()
{
    const Bytes hidden = MakeLzhArchive({{"", "hidden.txt", "not an entry of this archive"}}, 1);
    const auto cover = [&](std::uint32_t offset) {
        constexpr char kMagic[] = "TB2SEAL\x1A";
        Bytes record(kMagic, kMagic + sizeof kMagic - 1);
        Put32(record, offset);
        Put32(record, static_cast<std::uint32_t>(hidden.size()));
        Put32(record, Crc32(hidden.data(), hidden.size()));
        return MakeLzhArchive({{"", "cover.bin", std::string(record.begin(), record.end())}}, 1);
    };
    Bytes file = cover(static_cast<std::uint32_t>(cover(0).size()));
    file.insert(file.end(), hidden.begin(), hidden.end());
    return file;
}

// A plain archive that stores one of our self-extractors as it is.
Bytes StoringASelfExtractor()
{
    const Bytes sfx = Sealed(ReadBytes<Bytes>(stubPath()), ReadBytes<Bytes>(dataDir() / "lh5_h1.lzh"));
    return MakeLzhArchive({{"", "sfx.exe", std::string(sfx.begin(), sfx.end())}}, 1);
}

TEST(Seals, APlainArchiveIsReadAsLhasaReadsItWhateverItsMembersHold)
{
    for (const auto& [name, bytes] :
         {std::pair{"hidden.lzh", HiddenBehindASeal()}, std::pair{"storing.lzh", StoringASelfExtractor()}}) {
        SCOPED_TRACE(name);
        TempFolder scratch;
        WriteBytes(scratch / name, bytes);
        const Extraction ours = extractWith(tool(), scratch / name);
        EXPECT_EQ(ours.status, 0);
        EXPECT_TRUE(ours.files == lhasaExtract(scratch / name));
    }
}

} // namespace
