// The DOS self-extractor run for real in DOSBox: stub + archive,
// concatenated as the library does. Each test starts DOSBox once for a
// whole table of runs (a start costs most of a second).
#include <gtest/gtest.h>

#include "sfx16Kit.h"

using namespace sfx16;

namespace {

using namespace testSupport;

// Every method and header level the DOS stub decodes.
const char* const kSupported[] = {"lh0_h0", "lh0_h1", "lh0_h2", "lh0_h3", "lh4_h0", "lh4_h1", "lh4_h2",
                                  "lh4_h3", "lh5_h0", "lh5_h1", "lh5_h2", "lh5_h3", "lh6_h0", "lh6_h1",
                                  "lh6_h2", "lh6_h3", "lh7_h0", "lh7_h1", "lh7_h2", "lh7_h3"};
// Methods left out of the 16-bit stubs to keep them small.
const char* const kLeftOut[] = {"lh1_h0", "lzs_h0", "lz5_h2"};

std::string program(std::size_t i)
{
    return "X" + std::to_string(i) + ".EXE";
}

TEST(DosStub, FitsInTheFirst20KiBWithTheArchiveHeader)
{
    // Readers that scan only 20 KiB into a file must still see the
    // archive's first header (22 bytes) behind the stub.
    EXPECT_LE(fs::file_size(dosStub()) + 22, 20u * 1024u);
}

TEST(DosStub, ExtractsEveryMethodAndLevelLikeLhasa)
{
    TempFolder scratch;
    std::vector<std::string> names(std::begin(kSupported), std::end(kSupported));
    names.insert(names.end(), std::begin(kLeftOut), std::end(kLeftOut));
    std::vector<DosRun> runs;
    for (std::size_t i = 0; i < names.size(); i++) {
        WriteBytes(scratch / program(i),
                   withStub(dosStub(), ReadBytes<Bytes>(dataDir() / (names[i] + ".lzh"))));
        runs.push_back({program(i), "-y -oOUT" + std::to_string(i), ""});
    }
    const std::vector<int> levels = runInDosbox(scratch.Path(), runs);

    for (std::size_t i = 0; i < names.size(); i++) {
        SCOPED_TRACE(names[i]);
        const fs::path out = scratch / ("OUT" + std::to_string(i));
        const bool supported = i < std::size(kSupported);
        if (supported) {
            EXPECT_EQ(levels[i], 0);
            const auto reference = lhasaFiles(dataDir() / (names[i] + ".lzh"));
            ASSERT_FALSE(reference.empty());
            EXPECT_TRUE(foldedFilesBelow(out) == reference);
        } else {
            // The compressed entry is refused; the small one, stored, is not.
            EXPECT_EQ(levels[i], 1);
            const auto written = foldedFilesBelow(out);
            EXPECT_EQ(written.count("words.txt"), 0u);
            EXPECT_EQ(written.count("sub/bytes.bin"), 1u);
        }
    }
}

TEST(DosStub, DamagedAndUnsafeArchivesFailWithoutAWrongFile)
{
    TempFolder scratch;
    const fs::path root = scratch.Path();
    const Bytes good = ReadBytes<Bytes>(dataDir() / "lh5_h2.lzh");
    const Bytes truncated(good.begin(), good.begin() + good.size() * 2 / 3);
    WriteBytes(root / "DAMAGED.EXE", withStub(dosStub(), damagedArchive()));
    WriteBytes(root / "CUT.EXE", withStub(dosStub(), truncated));
    WriteBytes(root / "UNSAFE.EXE", withStub(dosStub(), unsafeArchive()));
    WriteBytes(root / "NOARC.EXE", ReadBytes<Bytes>(dosStub()));
    const std::vector<int> levels = runInDosbox(root,
                                                {
                                                    {"DAMAGED.EXE", "-y -oDAMAGED", ""},
                                                    {"CUT.EXE", "-y -oCUT", ""},
                                                    {"UNSAFE.EXE", "-y -oDEST\\UNSAFE", ""},
                                                    {"DAMAGED.EXE", "-t", ""},
                                                    {"NOARC.EXE", "-y -oNOARC", ""},
                                                });
    const auto reference = lhasaFiles(dataDir() / "lh5_h2.lzh");

    // Whatever was written is exact; the damaged entry is not there.
    EXPECT_NE(levels[0], 0);
    for (const auto& [name, content] : foldedFilesBelow(root / "DAMAGED"))
        EXPECT_TRUE(reference.count(name) && reference.at(name) == content) << name;
    EXPECT_EQ(foldedFilesBelow(root / "DAMAGED").count("words.txt"), 0u);
    EXPECT_NE(levels[1], 0);
    for (const auto& [name, content] : foldedFilesBelow(root / "CUT"))
        EXPECT_TRUE(reference.count(name) && reference.at(name) == content) << name;

    // Unsafe names are refused; the harmless entry still comes out.
    EXPECT_EQ(levels[2], 1);
    EXPECT_TRUE(filesNamed(root, "EVIL").empty());
    const auto unsafe = foldedFilesBelow(root / "DEST");
    EXPECT_EQ(unsafe.size(), 1u);
    EXPECT_EQ(unsafe.count("unsafe/good.txt"), 1u);

    // A test run reports the damage and writes nothing.
    EXPECT_NE(levels[3], 0);
    EXPECT_FALSE(fs::exists(root / "WORDS.TXT"));
    EXPECT_FALSE(fs::exists(root / "SUB"));

    // No archive behind the stub.
    EXPECT_EQ(levels[4], 2);
    EXPECT_FALSE(fs::exists(root / "NOARC"));

    // No temporary file is left behind by any of them.
    EXPECT_TRUE(filesNamed(root, ".TMP").empty());
}

TEST(DosStub, SwitchesQuestionsAndDosNames)
{
    TempFolder scratch;
    const fs::path root = scratch.Path();
    const fs::path archive = dataDir() / "lh6_h1.lzh";
    WriteBytes(root / "SFX.EXE", withStub(dosStub(), ReadBytes<Bytes>(archive)));
    WriteBytes(root / "NAMES.EXE", withStub(dosStub(), longNamesArchive()));
    WriteBytes(root / "KEEP/WORDS.TXT", Bytes{'o', 'l', 'd'});
    WriteBytes(root / "REPLACE/WORDS.TXT", Bytes{'o', 'l', 'd'});
    WriteBytes(root / "NOINPUT/WORDS.TXT", Bytes{'o', 'l', 'd'});
    WriteBytes(root / "EMPTY.TXT", Bytes{});
    const std::vector<int> levels =
        runInDosbox(root,
                    {
                        {"SFX.EXE", "", "ASKED\r"},    // no switches: asks for the folder
                        {"SFX.EXE", "-oKEEP", "n"},    // asks before replacing: no
                        {"SFX.EXE", "-oREPLACE", "y"}, // yes
                        {"SFX.EXE", "-t", ""},
                        {"SFX.EXE", "-l", ""},
                        {"SFX.EXE", "-q", ""},
                        {"NAMES.EXE", "-y -oNAMES", ""},
                        {"SFX.EXE", "-oNOINPUT < EMPTY.TXT", ""}, // input ends: no
                        {"SFX.EXE", "-y -oSLASH\\", ""},          // a folder written with its separator
                        {"SFX.EXE", "/Y -o SPACED", ""},          // DOS-style switch, folder apart
                    });
    const auto reference = lhasaFiles(archive);

    EXPECT_EQ(levels[0], 0);
    EXPECT_TRUE(foldedFilesBelow(root / "ASKED") == reference);

    EXPECT_EQ(levels[1], 1); // an entry left out is not a full success
    EXPECT_EQ(ReadBytes<Bytes>(root / "KEEP/WORDS.TXT"), (Bytes{'o', 'l', 'd'}));
    EXPECT_EQ(foldedFilesBelow(root / "KEEP").at("sub/bytes.bin"), reference.at("sub/bytes.bin"));
    EXPECT_EQ(levels[2], 0);
    EXPECT_TRUE(foldedFilesBelow(root / "REPLACE") == reference);

    EXPECT_EQ(levels[3], 0);
    EXPECT_EQ(levels[4], 0);
    const Bytes listing = ReadBytes<Bytes>(root / "LOG4.TXT");
    const std::string text(listing.begin(), listing.end());
    EXPECT_NE(text.find("words.txt"), std::string::npos);
    EXPECT_NE(text.find("bytes.bin"), std::string::npos);
    EXPECT_FALSE(fs::exists(root / "SUB")); // -t and -l wrote nothing
    EXPECT_EQ(levels[5], 3);

    EXPECT_EQ(levels[6], 0);
    const auto names = foldedFilesBelow(root / "NAMES");
    const std::map<std::string, Bytes> expected = {{"longfile.tex", Bytes{'f', 'i', 'r', 's', 't'}},
                                                   {"longfi~1.tex", Bytes{'s', 'e', 'c', 'o', 'n', 'd'}},
                                                   {"long_fol/a_b.c", Bytes{'d', 'o', 't', 's'}}};
    EXPECT_TRUE(names == expected);

    EXPECT_EQ(levels[7], 1);
    EXPECT_EQ(ReadBytes<Bytes>(root / "NOINPUT/WORDS.TXT"), (Bytes{'o', 'l', 'd'}));
    EXPECT_EQ(levels[8], 0);
    EXPECT_TRUE(foldedFilesBelow(root / "SLASH") == reference);
    EXPECT_EQ(levels[9], 0);
    EXPECT_TRUE(foldedFilesBelow(root / "SPACED") == reference);
}

// Counts past 65,535 (32-bit in the 16-bit stub too): the closing line and
// the exit status of a test run over 65,536 damaged entries, and over 65,537
// folder entries (fine folders print no line, so the log is the summary).
// A count that wrapped said "0 intact, 0 failed" and "1 intact", and took
// the damaged archive for no archive at all (status 2).
TEST(DosStub, CountsPastSixteenBits)
{
    struct Row {
        std::size_t badCrc, folders;
        std::string summary;
        int level;
    };
    const std::vector<Row> rows = {{65536, 0, "0 intact, 65536 failed", 1},
                                   {0, 65537, "65537 intact, 0 failed", 0}};
    TempFolder scratch;
    std::vector<DosRun> runs;
    for (std::size_t i = 0; i < rows.size(); i++) {
        WriteBytes(scratch / program(i),
                   withStub(dosStub(), MakeManyEntriesArchive(rows[i].badCrc, 0, rows[i].folders)));
        runs.push_back({program(i), "-t", ""});
    }
    const std::vector<int> levels = runInDosbox(scratch.Path(), runs);

    for (std::size_t i = 0; i < rows.size(); i++) {
        SCOPED_TRACE(rows[i].summary);
        EXPECT_EQ(levels[i], rows[i].level);
        const Bytes log = ReadBytes<Bytes>(scratch / ("LOG" + std::to_string(i) + ".TXT"));
        const std::string text(log.begin(), log.end());
        EXPECT_TRUE(text.size() >= rows[i].summary.size() + 2
                    && text.compare(text.size() - rows[i].summary.size() - 2, std::string::npos,
                                    rows[i].summary + "\r\n")
                        == 0)
            << text.substr(text.size() > 200 ? text.size() - 200 : 0);
    }
}

} // namespace
